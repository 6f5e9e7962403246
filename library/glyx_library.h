// The good parents: an ordered list of expression texts without duplicates,
// the 62 built-in expressions first, kept in the settings file beside the
// plug-in and placed whole on the clipboard at every save.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "library/ptr_array.h"
#include "sys/profile.h"

namespace zorva {

// The section of the settings file that holds the settings and the library.
constexpr char kSettingsSection[] = "Zorva";

class GlyxLibrary {
 public:
  static constexpr uint16_t kMostEntries = 65530;

  // The entry's text equal to `text` byte for byte, or null.
  const char* Contains(const char* text) const;
  // 1 when `text` is in the library afterwards, also when it was there
  // before; 0 when it could not be added (no memory, or the library is full).
  int32_t Add(const char* text);
  uint16_t Count() const { return entries.Count(); }
  const char* At(uint16_t index) const { return entries.At(index)->get(); }

  // The built-ins, then the values of "Glyx1", "Glyx2", ... up to the first
  // empty or missing one. A library that holds entries keeps them and only
  // gains what it lacks.
  void Load(const std::string& path);
  void LoadFrom(const sys::ProfileSection& keys);

  // The whole library onto the clipboard (owned by `owner`) and into the
  // keys "Glyx0" ... "Glyx<n-1>", with "Glyx<n>" empty to mark the end. The
  // file's other keys stay. False when the file could not be written.
  bool Save(void* owner, const std::string& path) const;
  void StoreIn(sys::ProfileSection* keys) const;
  // Every entry followed by one line feed.
  std::string ClipboardText() const;

 private:
  PtrArray<std::unique_ptr<char[]>> entries{10, 10};
  // Views of the entries' texts: a library of tens of thousands of entries
  // would otherwise spend seconds comparing on every load.
  std::unordered_set<std::string_view> texts;
};

}  // namespace zorva
