// The library of the page's session, and its exchange with the plug-in's
// settings file.
#include <string>

#include "sys/profile_text.h"
#include "web/api/api_state.h"
#include "web/api/zorva_api.h"

namespace zorva::web {
namespace {

// The section as the plug-in leaves it in a new plugin.ini.
std::string ExportText(const GlyxLibrary& library) {
  sys::ProfileSection keys;
  library.StoreIn(&keys);
  std::string text = std::string("[") + kSettingsSection + "]\r\n";
  for (const sys::ProfileKey& key : keys.Keys()) {
    const sys::ProfileLine line = sys::ProfileKeyLine(key);
    text += line.text + line.end;
  }
  return text;
}

// Loading into a library that holds entries only adds what it lacks.
bool Import(GlyxLibrary& library, const char* iniText) {
  const std::vector<sys::ProfileLine> lines = sys::SplitProfileLines(iniText);
  const sys::SectionSpan span = sys::FindProfileSection(lines, kSettingsSection);
  if (span.header == lines.size()) return false;
  library.LoadFrom(sys::ProfileKeysIn(lines, span));
  return true;
}

}  // namespace
}  // namespace zorva::web

using zorva::web::TheSession;

extern "C" {

int zorva_library_count(void) { return TheSession().library.Count(); }

const char* zorva_library_at(int index) {
  const zorva::GlyxLibrary& library = TheSession().library;
  return index >= 0 && index < library.Count() ? library.At(static_cast<uint16_t>(index)) : "";
}

const char* zorva_library_export(void) {
  return zorva::web::ResultText(zorva::web::ExportText(TheSession().library));
}

int zorva_library_import(const char* ini_text) {
  return zorva::web::Import(TheSession().library, zorva::web::TextOrEmpty(ini_text));
}

}
