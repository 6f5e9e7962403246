// The peer: the library a C++ developer would reach for to evaluate user
// expressions, muParser, in its bulk mode. Our built-ins are its callbacks,
// calling our routines; the integer operators are mapped as closely as it
// allows (see PeerText). Only its time is compared: it computes in doubles,
// so sums, products and powers do not wrap, and its results differ there.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codegen/statement.h"

namespace mu {
class Parser;
}

namespace zorva::bench {

// A statement in muParser's syntax: % is an operator and / a function, both
// with the language's integer rules; x^b is muParser's own power; the
// shifts of /2 /4 /8 /16 are a function; an assignment is its right side.
std::string PeerText(const Statement& statement);

class PeerEngine {
 public:
  PeerEngine();
  PeerEngine(const PeerEngine&) = delete;
  PeerEngine& operator=(const PeerEngine&) = delete;
  ~PeerEngine();

  // Parses the statement's text once; false with muParser's message.
  bool Add(const Statement& statement, std::string* error);

  // One pass over the context's points in one bulk evaluation; the low
  // bytes of the results land where RunRows would put them.
  void RunPass(const Statement& statement, RenderContext& context);

 private:
  struct Compiled;
  std::map<const Statement*, std::unique_ptr<Compiled>> compiled;
};

}  // namespace zorva::bench
