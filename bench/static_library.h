// The static limits: statements printed as C++, compiled by the optimising
// compiler (g++ -O2 -m32) into a shared library, and loaded. The static
// column calls the routines through pointers, from position-independent
// code; the limit compiles the routines' source with the passes, not
// position-independent, so that the compiler may inline and fold them.
#pragma once

#include <map>
#include <string>

#include "bench/static_emitter.h"
#include "codegen/statement.h"

namespace zorva::bench {

class StaticLibrary {
 public:
  explicit StaticLibrary(Linkage linkage) : linkage(linkage) {}
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
  using Enter = void (*)(const uint8_t* waveform, const uint8_t* spectrum, uint32_t state);
  using Leave = uint32_t (*)();
  const Linkage linkage;
  std::string source;
  std::map<const Statement*, std::string> names;
  std::map<const Statement*, Pass> passes;
  std::string folder;
  void* library = nullptr;
  Enter enter = nullptr;  // kOneUnit: the unit's own sound frame and random state
  Leave leave = nullptr;
};

}  // namespace zorva::bench
