// The profile format as text in memory: the reader and writer that the POSIX
// profile uses for files, and the page for a plugin.ini that it imports or
// exports. Names of sections and keys match without regard to case, names
// and values are trimmed, and lines may end in CR LF, LF or CR.
#pragma once

#include <string>
#include <vector>

#include "sys/profile.h"

namespace zorva::sys {

// A line with its line end, so that lines nobody changes are written back
// byte for byte.
struct ProfileLine {
  std::string text;
  std::string end;
};

std::vector<ProfileLine> SplitProfileLines(const std::string& bytes);

// Where the first section of that name lies: its header line and the line
// after its last key. Both are lines.size() when there is no such section.
struct SectionSpan {
  size_t header;
  size_t end;
};

SectionSpan FindProfileSection(const std::vector<ProfileLine>& lines, const char* section);

// The keys of a section found by FindProfileSection; none for a missing one.
ProfileSection ProfileKeysIn(const std::vector<ProfileLine>& lines, SectionSpan span);

// A key's line as read, or as the platform writes it, with its CR LF.
ProfileLine ProfileKeyLine(const ProfileKey& key);

}  // namespace zorva::sys
