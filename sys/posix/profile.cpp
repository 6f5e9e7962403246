// The profile format read and written without the platform's functions, so
// that files written on Windows read the same here (sys/profile_text.h).
#include <cstdio>
#include <fstream>
#include <iterator>

#include "sys/profile.h"
#include "sys/profile_text.h"

namespace zorva::sys {
namespace {

std::vector<ProfileLine> ReadLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return SplitProfileLines({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
}

}  // namespace

ProfileSection LoadProfileSection(const std::string& path, const char* section) {
  const std::vector<ProfileLine> lines = ReadLines(path);
  return ProfileKeysIn(lines, FindProfileSection(lines, section));
}

// New lines end in CR LF, as the platform writes them. The file is written
// beside the old one and then put in its place, so that a failed write loses
// nothing.
bool StoreProfileSection(const std::string& path, const char* section, const ProfileSection& keys) {
  std::vector<ProfileLine> lines = ReadLines(path);
  SectionSpan span = FindProfileSection(lines, section);
  if (span.header == lines.size()) {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = "\r\n";
    lines.push_back({std::string("[") + section + "]", "\r\n"});
    span = {lines.size() - 1, lines.size()};
  }
  if (lines[span.header].end.empty()) lines[span.header].end = "\r\n";
  std::vector<ProfileLine> body;
  for (const ProfileKey& key : keys.Keys()) body.push_back(ProfileKeyLine(key));
  lines.erase(lines.begin() + span.header + 1, lines.begin() + span.end);
  lines.insert(lines.begin() + span.header + 1, body.begin(), body.end());

  const std::string written = path + ".new";
  {
    std::ofstream file(written, std::ios::binary | std::ios::trunc);
    for (const ProfileLine& line : lines) file << line.text << line.end;
    if (!file.flush()) {
      std::remove(written.c_str());
      return false;
    }
  }
  return std::rename(written.c_str(), path.c_str()) == 0;
}

}  // namespace zorva::sys
