// The profile format read and written without the platform's functions, so
// that files written on Windows read the same here: names of sections and
// keys match without regard to case, names and values are trimmed, and lines
// may end in CR LF, LF or CR.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "sys/profile.h"

namespace zorva::sys {
namespace {

// A line of the file with its line end, so that lines we do not change are
// written back byte for byte.
struct FileLine {
  std::string text;
  std::string end;
};

std::vector<FileLine> ReadLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::vector<FileLine> lines;
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

// Where the first section of that name lies: its header line and the line
// after its last key. Both are lines.size() when there is no such section.
struct SectionSpan {
  size_t header;
  size_t end;
};

SectionSpan FindSection(const std::vector<FileLine>& lines, const char* section) {
  std::string name;
  for (size_t i = 0; i < lines.size(); i++) {
    if (!SectionName(lines[i].text, &name) || !SameName(name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].text, &name)) end++;
    return {i, end};
  }
  return {lines.size(), lines.size()};
}

}  // namespace

// Blank lines go; comments (";") are kept but are not keys; a line without
// "=" is a key with an empty value. Each keeps its line, so that a save
// rewrites only the lines whose values it changes.
ProfileSection LoadProfileSection(const std::string& path, const char* section) {
  const std::vector<FileLine> lines = ReadLines(path);
  const SectionSpan span = FindSection(lines, section);
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

// New lines end in CR LF, as the platform writes them. The file is written
// beside the old one and then put in its place, so that a failed write loses
// nothing.
bool StoreProfileSection(const std::string& path, const char* section, const ProfileSection& keys) {
  std::vector<FileLine> lines = ReadLines(path);
  SectionSpan span = FindSection(lines, section);
  if (span.header == lines.size()) {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = "\r\n";
    lines.push_back({std::string("[") + section + "]", "\r\n"});
    span = {lines.size() - 1, lines.size()};
  }
  if (lines[span.header].end.empty()) lines[span.header].end = "\r\n";
  std::vector<FileLine> body;
  for (const ProfileKey& key : keys.Keys()) body.push_back({LineOf(key), "\r\n"});
  lines.erase(lines.begin() + span.header + 1, lines.begin() + span.end);
  lines.insert(lines.begin() + span.header + 1, body.begin(), body.end());

  const std::string written = path + ".new";
  {
    std::ofstream file(written, std::ios::binary | std::ios::trunc);
    for (const FileLine& line : lines) file << line.text << line.end;
    if (!file.flush()) {
      std::remove(written.c_str());
      return false;
    }
  }
  return std::rename(written.c_str(), path.c_str()) == 0;
}

}  // namespace zorva::sys
