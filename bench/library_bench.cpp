// The library at its largest: a settings file of 70,000 entries, of which
// the library takes 65,530. Loading should stay under 2 s and saving under
// 10 s: the plug-in does both while the player waits.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "library/glyx_library.h"

namespace zorva {
namespace {

constexpr int kFileEntries = 70000;

std::string FilePath(const char* name) { return "/tmp/zorva_library_bench_" + std::to_string(getpid()) + name; }

// Entries like the ones Enter keeps: texts of some 60 characters.
void WriteLargeFile(const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  file << "[Zorva]\r\nScreen_x=50\r\nScreen_y=50\r\nAutoRestart=60\r\nAutoMutate=10\r\n";
  for (int index = 1; index <= kFileEntries; index++) {
    file << "Glyx" << index << "=p=pal(8,-t*3); decay(rad(x,y))%snd(sin(theta(x,y))%" << index << ")\r\n";
  }
}

void Load(benchmark::State& state) {
  const std::string path = FilePath("_load.ini");
  WriteLargeFile(path);
  for (auto _ : state) {
    GlyxLibrary library;
    library.Load(path);
    if (library.Count() != GlyxLibrary::kMostEntries) state.SkipWithError("the library is not full");
  }
  std::remove(path.c_str());
}

void Save(benchmark::State& state) {
  const std::string path = FilePath("_save.ini");
  WriteLargeFile(path);
  GlyxLibrary library;
  library.Load(path);
  for (auto _ : state) {
    if (!library.Save(nullptr, path)) state.SkipWithError("the file could not be written");
  }
  std::remove(path.c_str());
}

BENCHMARK(Load)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Save)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zorva

BENCHMARK_MAIN();
