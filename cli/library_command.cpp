// zorva library list|add|remove: the good parents as the plug-in loads them
// from its settings file, and a way to add or remove one without the plug-in.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/picture_output.h"
#include "image/glyx_image.h"
#include "lang/error_record.h"
#include "library/builtin_glyxes.h"
#include "library/glyx_library.h"

namespace zorva {
namespace {

constexpr int32_t kLastIndex = GlyxLibrary::kMostEntries - 1;

// Loads the library of the settings file that --ini names. A file that
// cannot be read fails with the system's reason; a missing one too, unless
// `mayBeMissing` (add creates it). False after saying why.
bool LoadLibrary(const CommandLine& line, bool mayBeMissing, GlyxLibrary* library) {
  const std::string path = line.Value("--ini", "");
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr && errno == ENOENT && mayBeMissing) {
    library->Load(path);
    return true;
  }
  if (file == nullptr && errno == ENOENT) {
    std::fprintf(stderr, "zorva %s: %s does not exist\n", line.command.name, path.c_str());
    return false;
  }
  // Opening a folder succeeds; reading it does not.
  const bool unreadable = file == nullptr || (std::fgetc(file) == EOF && std::ferror(file));
  const int reason = errno;
  if (file != nullptr) std::fclose(file);
  if (unreadable) {
    CannotRead(line, path + ": " + std::strerror(reason));
    return false;
  }
  library->Load(path);
  return true;
}

int Save(const CommandLine& line, const GlyxLibrary& library) {
  const std::string path = line.Value("--ini", "");
  return library.Save(nullptr, path) ? 0 : CannotWrite(line, path);
}

int List(CommandLine& line) {
  GlyxLibrary library;
  if (!line.Has("--ini")) library.LoadFrom(sys::ProfileSection());
  else if (!LoadLibrary(line, false, &library)) return 1;
  const bool numbered = line.Has("--numbered");
  for (uint16_t index = 0; index < library.Count(); index++) {
    if (numbered) std::printf("%u: ", static_cast<unsigned>(index));
    std::printf("%s\n", library.At(index));
  }
  return 0;
}

// Stored as the plug-in's Enter stores the current expression: its text form
// with "; ", and never cut short.
int Add(CommandLine& line) {
  if (!line.Has("--ini")) return line.UsageError("needs --ini FILE");
  const std::string text = line.Text(1);
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(text.c_str(), errors)) return BuildError(MessageOf(errors));
  char normalised[1024];
  if (!glyx.ExpressionText(normalised, sizeof normalised, "; ").complete) {
    return BuildError("The expression's text is longer than 1023 characters: the plug-in would not keep it.");
  }
  GlyxLibrary library;
  if (!LoadLibrary(line, true, &library)) return 1;
  const uint16_t count = library.Count();
  if (library.Contains(normalised) != nullptr) {
    std::printf("already present\n");
    return 0;
  }
  if (!library.Add(normalised)) return BuildError("The library is full.");
  if (const int failed = Save(line, library)) return failed;
  std::printf("added %u: %s\n", static_cast<unsigned>(count), normalised);
  return 0;
}

// The entries after N move down one key, as if N had never been added; the
// end marker moves with them.
int Remove(CommandLine& line) {
  const int32_t removed = line.NumberOperand(1, kBuiltinGlyxCount, kLastIndex);
  if (!line.error.empty()) return line.UsageError(line.error + " (0 to 61 are the built-ins)");
  if (!line.Has("--ini")) return line.UsageError("needs --ini FILE");
  GlyxLibrary library;
  if (!LoadLibrary(line, false, &library)) return 1;
  if (removed >= library.Count()) {
    std::fprintf(stderr, "zorva library remove: %s has no entry %d (the last is %u)\n",
                 line.Value("--ini", "").c_str(), removed, static_cast<unsigned>(library.Count() - 1));
    return 1;
  }
  const std::string text = library.At(static_cast<uint16_t>(removed));
  GlyxLibrary kept;
  for (uint16_t index = 0; index < library.Count(); index++) {
    if (index != removed) kept.Add(library.At(index));
  }
  if (const int failed = Save(line, kept)) return failed;
  std::printf("removed %d: %s\n", removed, text.c_str());
  return 0;
}

}  // namespace

const Command kLibraryListCommand = {
    "library list", "[--ini FILE] [--numbered]", "print the good parents the plug-in loads",
    "Prints the library one entry a line, as the plug-in loads it from its\n"
    "settings file FILE (plugin.ini, section \"Zorva\"): the 62 built-in\n"
    "expressions, then \"Glyx1\", \"Glyx2\", ... up to the first empty value.\n"
    "Without --ini, the built-ins. --numbered puts each entry's index and \": \"\n"
    "before it, as add and remove report it.\n",
    {{"--ini", true}, {"--numbered", false}}, 1, List,
};

const Command kLibraryAddCommand = {
    "library add", "TEXT|- --ini FILE", "add an expression to the good parents of FILE",
    "Builds TEXT and adds its text form (statements separated by \"; \") to the\n"
    "library of the settings file FILE, as Enter does in the plug-in. Prints\n"
    "\"added N: TEXT\" with the entry's index, or \"already present\". The file's\n"
    "other keys stay as they are. A text that does not build prints the\n"
    "plug-in's message on standard error and exits 1.\n"
    "TEXT is one argument, or - to read standard input whole; -- ends the options.\n",
    {{"--ini", true}}, 2, Add,
};

const Command kLibraryRemoveCommand = {
    "library remove", "N --ini FILE", "remove entry N from the good parents of FILE",
    "Removes the entry at index N (62 or more: the built-ins stay) from the\n"
    "library of the settings file FILE; the entries after it move down one key,\n"
    "as the plug-in would have saved them. Prints \"removed N: TEXT\". The\n"
    "file's other keys stay as they are.\n",
    {{"--ini", true}}, 2, Remove,
};

}  // namespace zorva
