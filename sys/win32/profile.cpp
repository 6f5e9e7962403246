#include "sys/profile.h"

#include <windows.h>

namespace zorva::sys {
namespace {

// The section as "Name=Value" strings, each ending in NUL, with one more NUL
// at the end. The platform cuts what does not fit and then returns the
// buffer's size minus two, so the buffer grows until the whole section fits.
std::string SectionStrings(const std::string& path, const char* section) {
  std::string buffer(64 * 1024, '\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetPrivateProfileSectionA(section, &buffer[0], size, path.c_str());
    if (length + 2 < size || buffer.size() > (1u << 30)) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

ProfileSection LoadProfileSection(const std::string& path, const char* section) {
  const std::string strings = SectionStrings(path, section);
  ProfileSection keys;
  size_t start = 0;
  while (start < strings.size()) {
    size_t stop = strings.find('\0', start);
    if (stop == std::string::npos) stop = strings.size();
    const std::string line = strings.substr(start, stop - start);
    const size_t equals = line.find('=');
    if (equals == std::string::npos) keys.Append(line, "");
    else keys.Append(line.substr(0, equals), line.substr(equals + 1));
    start = stop + 1;
  }
  return keys;
}

bool StoreProfileSection(const std::string& path, const char* section, const ProfileSection& keys) {
  std::string strings;
  for (const ProfileKey& key : keys.Keys()) {
    strings += LineOf(key);
    strings += '\0';
  }
  strings += '\0';
  return WritePrivateProfileSectionA(section, strings.c_str(), path.c_str()) != 0;
}

}  // namespace zorva::sys
