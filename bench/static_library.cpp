#include "bench/static_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "codegen/builtin_table.h"
#include "codegen/lookup_tables.h"
#include "codegen/random.h"
#include "codegen/sound_frame.h"
#include "sys/fault_guard.h"

namespace zorva::bench {

namespace {

// What a printed pass is handed: the same routines and tables as the
// generated code reaches.
struct StaticEnvironment {
  const void* routines[kBuiltinCount];
  const uint8_t* sine;
  const uint8_t* cosine;
  const uint8_t* waveform;
};

StaticEnvironment MakeEnvironment() {
  StaticEnvironment environment{};
  for (int row = 0; row < kBuiltinCount; ++row) environment.routines[row] = kBuiltins[row].routine;
  environment.sine = sineTable;
  environment.cosine = cosineTable;
  environment.waveform = soundWaveform;
  return environment;
}


struct GuardedPass {
  void (*pass)(RenderContext* context, const void* environment);
  RenderContext* context;
};

void RunPassBody(void* argument) {
  const GuardedPass& call = *static_cast<GuardedPass*>(argument);
  static const StaticEnvironment environment = MakeEnvironment();  // after the table's initialiser
  call.pass(call.context, &environment);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

StaticLibrary::~StaticLibrary() {
  if (library) dlclose(library);
  if (!folder.empty()) std::filesystem::remove_all(folder);
}

void StaticLibrary::Add(const Statement& statement) {
  if (names.count(&statement)) return;
  const std::string name = "pass" + std::to_string(names.size());
  names[&statement] = name;
  source += StaticPass(statement, name, linkage);
}

bool StaticLibrary::Build(std::string* error) {
  std::string pattern = (std::filesystem::temp_directory_path() / "zorva-static-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    *error = "cannot make a temporary folder";
    return false;
  }
  folder = pattern;
  const std::string cpp = folder + "/passes.cpp";
  const std::string so = folder + "/passes.so";
  std::ofstream(cpp) << StaticPrologue(linkage) << source;
  // The one unit is not position-independent: its tables and state are
  // addressed directly, as in a program linked statically. Its text is
  // relocated once, when it is loaded.
  const std::string flags = linkage == Linkage::kOneUnit
                                ? "-fno-pic -fno-pie -fvisibility=hidden -I'" ZORVA_SOURCE_DIR "'"
                                : "-fPIC";
  const std::string command =
      "g++ -O2 -m32 -shared " + flags + " -o " + so + " " + cpp + " 2>" + folder + "/errors.txt";
  if (std::system(command.c_str()) != 0) {
    *error = "g++ -O2 -m32 failed: " + ReadFile(folder + "/errors.txt");
    return false;
  }
  library = dlopen(so.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    *error = dlerror();
    return false;
  }
  if (linkage == Linkage::kOneUnit) {
    enter = reinterpret_cast<Enter>(dlsym(library, "EnterUnit"));
    leave = reinterpret_cast<Leave>(dlsym(library, "LeaveUnit"));
    if (!enter || !leave) {
      *error = "no EnterUnit or LeaveUnit in the compiled passes";
      return false;
    }
  }
  for (const auto& [statement, name] : names) {
    passes[statement] = reinterpret_cast<Pass>(dlsym(library, name.c_str()));
    if (!passes[statement]) {
      *error = "no " + name + " in the compiled passes";
      return false;
    }
  }
  return true;
}

bool StaticLibrary::RunPass(const Statement& statement, RenderContext& context) const {
  GuardedPass call{passes.at(&statement), &context};
  if (linkage == Linkage::kThroughPointers) return sys::RunGuarded(RunPassBody, &call);
  enter(soundWaveform, soundSpectrum, RandomState());
  const bool completed = sys::RunGuarded(RunPassBody, &call);
  SeedRandom(leave());
  return completed;
}

}  // namespace zorva::bench
