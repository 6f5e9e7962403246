#include "sys/profile_text.h"

namespace zorva::sys {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The name of a "[Name]" line, or false for any other line.
bool SectionName(const std::string& line, std::string* name) {
  const std::string text = Trimmed(line);
  if (text.empty() || text[0] != '[') return false;
  const size_t close = text.rfind(']');
  *name = Trimmed(text.substr(1, close == std::string::npos || close == 0 ? std::string::npos : close - 1));
  return true;
}

}  // namespace

std::vector<ProfileLine> SplitProfileLines(const std::string& bytes) {
  std::vector<ProfileLine> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t stop = bytes.find_first_of("\r\n", start);
    if (stop == std::string::npos) {
      lines.push_back({bytes.substr(start), ""});
      break;
    }
    const size_t endLength = bytes.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back({bytes.substr(start, stop - start), bytes.substr(stop, endLength)});
    start = stop + endLength;
  }
  return lines;
}

SectionSpan FindProfileSection(const std::vector<ProfileLine>& lines, const char* section) {
  std::string name;
  for (size_t i = 0; i < lines.size(); i++) {
    if (!SectionName(lines[i].text, &name) || !SameName(name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].text, &name)) end++;
    return {i, end};
  }
  return {lines.size(), lines.size()};
}

// Blank lines go; comments (";") are kept but are not keys; a line without
// "=" is a key with an empty value. Each keeps its line, so that a save
// rewrites only the lines whose values it changes.
ProfileSection ProfileKeysIn(const std::vector<ProfileLine>& lines, SectionSpan span) {
  ProfileSection keys;
  for (size_t i = span.header + 1; i < span.end; i++) {
    const std::string& line = lines[i].text;
    const std::string text = Trimmed(line);
    if (text.empty()) continue;
    const size_t equals = text.find('=');
    if (text[0] == ';') keys.AppendComment(line);
    else if (equals == std::string::npos) keys.Append(text, "", line);
    else keys.Append(Trimmed(text.substr(0, equals)), Trimmed(text.substr(equals + 1)), line);
  }
  return keys;
}

ProfileLine ProfileKeyLine(const ProfileKey& key) { return {LineOf(key), "\r\n"}; }

}  // namespace zorva::sys
