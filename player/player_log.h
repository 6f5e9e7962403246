#ifndef ZORVA_PLAYER_PLAYER_LOG_H
#define ZORVA_PLAYER_PLAYER_LOG_H

#include <cstdio>
#include <string>

// What happened during a run, one event a line, for tests to read:
//   header version=0x101 description="..."
//   messagebox caption="Zorva" text="..."
//   key down 0x20
// Texts are quoted with C escapes. Without a file, lines go nowhere.
class PlayerLog {
 public:
  ~PlayerLog();
  bool Open(const std::string& path);
  void Line(const std::string& line);

 private:
  FILE* file = nullptr;
};

// "text" with backslash escapes for quotes, backslashes and control bytes.
std::string Quoted(const std::string& text);

extern PlayerLog playerLog;

#endif
