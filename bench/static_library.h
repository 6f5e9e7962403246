// The static limit: statements printed as C++, compiled by the optimising
// compiler (g++ -O2 -m32) into a shared library, and loaded.
#pragma once

#include <map>
#include <string>

#include "codegen/statement.h"

namespace zorva::bench {

class StaticLibrary {
 public:
  StaticLibrary() = default;
  StaticLibrary(const StaticLibrary&) = delete;
  StaticLibrary& operator=(const StaticLibrary&) = delete;
  ~StaticLibrary();

  // Before Build: prints the statement's pass into the library's source.
  void Add(const Statement& statement);

  // Compiles every added pass at once and loads them. False with the
  // compiler's complaint or the loader's in `error`.
  bool Build(std::string* error);

  // Renders one pass of an added statement over the context, under the
  // fault guard as RunRows does. False when a fault ended the pass.
  bool RunPass(const Statement& statement, RenderContext& context) const;

 private:
  using Pass = void (*)(RenderContext* context, const void* environment);
  std::string source;
  std::map<const Statement*, std::string> names;
  std::map<const Statement*, Pass> passes;
  std::string folder;
  void* library = nullptr;
};

}  // namespace zorva::bench
