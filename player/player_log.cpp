#include "player/player_log.h"

PlayerLog playerLog;

PlayerLog::~PlayerLog() {
  if (file != nullptr) std::fclose(file);
}

// Binary mode: one "\n" a line on every platform.
bool PlayerLog::Open(const std::string& path) {
  file = std::fopen(path.c_str(), "wb");
  return file != nullptr;
}

// Flushed at once, so that a test still reads everything up to a crash.
void PlayerLog::Line(const std::string& line) {
  if (file == nullptr) return;
  std::fprintf(file, "%s\n", line.c_str());
  std::fflush(file);
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}
