#ifndef ZORVA_CLI_PROGRESS_H
#define ZORVA_CLI_PROGRESS_H

#include <cstdio>
#include <functional>
#include <string>

namespace zorva {

// How far a command that may run longer than a second has come: lines such
// as "zorva render: frame 40 of 1000". Nothing shows in the first second, so
// that quick runs stay quiet. Then a terminal sees one line that carriage
// returns rewrite, a file or a pipe at most one plain line a second. Once
// anything has shown, the last line is the final count.
class Progress {
 public:
  using Clock = std::function<double()>;  // seconds since any fixed moment

  // On standard error, by the steady clock.
  Progress(const std::string& label, int total);
  Progress(const std::string& label, int total, FILE* out, bool terminal, Clock clock);

  void Update(int done);
  // Before a message: ends a rewritten line, so that the message takes a line
  // of its own.
  void Break();
  // Shows the final count, if anything has shown.
  void Finish();

 private:
  void Show(int count);

  std::string label;  // "zorva render: frame"
  int total;
  FILE* out;
  bool terminal;
  Clock clock;
  double started;
  double shownAt = 0;
  int done = 0;
  int shownCount = -1;   // the count on the last line, -1 before any
  bool lineOpen = false;     // a terminal line waits for its next rewrite
  bool countIsLast = false;  // no message has followed the last count
};

}  // namespace zorva

#endif
