// Sections of settings files in the Windows profile format ("[Section]",
// then "Key=Value" lines). A section is read whole and written whole, so
// that a library of tens of thousands of keys costs one read and one write.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace zorva::sys {

struct ProfileKey {
  std::string name;
  std::string value;
  // The line as a file held it, where the writer can keep it: written back
  // as it was while the value stays, so that a hand-edited line is not
  // rewritten for nothing. A comment has a line and no name.
  std::string line = {};
};

// The keys of one section in file order. Names match without regard to
// ASCII letter case, as the platform's profile functions match them.
class ProfileSection {
 public:
  // The value of the first key of that name, or null.
  const std::string* Find(const std::string& name) const;
  // Replaces the first key of that name in place, or appends a new key.
  void Set(const std::string& name, const std::string& value);
  // A key as read from a file, with its line if the writer keeps it; a later
  // key of the same name stays but is never found.
  void Append(const std::string& name, const std::string& value, const std::string& line = "");
  // A comment line inside the section, kept where it stands.
  void AppendComment(const std::string& line);

  const std::vector<ProfileKey>& Keys() const { return keys; }

 private:
  std::vector<ProfileKey> keys;
  std::unordered_map<std::string, size_t> firstByName;  // lower-case name -> index in keys
};

// The line that writes `key` back: its line as read, or "name=value".
std::string LineOf(const ProfileKey& key);

// The keys of `section` in the file at `path`; empty when the file or the
// section is missing. Every value is read whole, however long.
ProfileSection LoadProfileSection(const std::string& path, const char* section);

// Replaces every key of `section` by the given keys, creating the file or the
// section when absent; the file's other sections stay as they are. False
// when the file can't be written.
bool StoreProfileSection(const std::string& path, const char* section, const ProfileSection& keys);

// A value as the platform's integer profile reading takes it: leading blanks,
// a sign, decimal digits, anything after them ignored; `fallback` when the
// value is missing or empty. Numbers beyond 32 bits stop at the nearest limit.
int32_t ProfileInt(const ProfileSection& keys, const std::string& name, int32_t fallback);

}  // namespace zorva::sys
