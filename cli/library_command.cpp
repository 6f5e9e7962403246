// zorva library list|add: the good parents as the plug-in loads them from
// its settings file, and a way to add one without the plug-in.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "image/glyx_image.h"
#include "lang/error_record.h"
#include "library/glyx_library.h"

namespace zorva {
namespace {

int List(CommandLine& line) {
  GlyxLibrary library;
  if (line.Has("--ini")) library.Load(line.Value("--ini", ""));
  else library.LoadFrom(sys::ProfileSection());
  for (uint16_t index = 0; index < library.Count(); index++) std::printf("%s\n", library.At(index));
  return 0;
}

// Stored as the plug-in's Enter stores the current expression: its text form
// with "; ", and never cut short.
int Add(CommandLine& line) {
  if (!line.Has("--ini")) return line.UsageError("needs --ini FILE");
  const std::string path = line.Value("--ini", "");
  const std::string text = line.Text(1);
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(text.c_str(), errors)) return BuildError(MessageOf(errors));
  char normalised[1024];
  if (!glyx.ExpressionText(normalised, sizeof normalised, "; ").complete) {
    return BuildError("The expression's text is longer than 1023 characters: the plug-in would not keep it.");
  }
  GlyxLibrary library;
  library.Load(path);
  const uint16_t count = library.Count();
  if (library.Contains(normalised) != nullptr) {
    std::printf("already present\n");
    return 0;
  }
  if (!library.Add(normalised)) return BuildError("The library is full.");
  if (!library.Save(nullptr, path)) {
    std::fprintf(stderr, "zorva library add: cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("added %u: %s\n", static_cast<unsigned>(count), normalised);
  return 0;
}

}  // namespace

const Command kLibraryListCommand = {
    "library list", "[--ini FILE]", "print the good parents the plug-in loads",
    "Prints the library one entry a line, as the plug-in loads it from its\n"
    "settings file FILE (plugin.ini, section \"Zorva\"): the 62 built-in\n"
    "expressions, then \"Glyx1\", \"Glyx2\", ... up to the first empty value.\n"
    "Without --ini, the built-ins.\n",
    {{"--ini", true}}, 1, List,
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

}  // namespace zorva
