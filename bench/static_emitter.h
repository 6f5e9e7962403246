// Prints compiled statements as C++ with exactly the generated code's
// semantics, so that an optimising compiler can show what the same work
// costs without the code templates' limits.
#pragma once

#include <string>

#include "codegen/statement.h"

namespace zorva::bench {

// How a printed pass reaches the routines and tables: through the addresses
// its environment hands it (a shared library beside the program), or by
// name, their source being in the same translation unit.
enum class Linkage { kThroughPointers, kOneUnit };

// The declarations every printed pass needs: the environment it is handed
// (routine addresses and table addresses), the helpers for the language's
// arithmetic and, for kOneUnit, the routines' source with EnterUnit and
// LeaveUnit, which copy the sound frame and the random state in and out.
// Printed once at the top of the file.
std::string StaticPrologue(Linkage linkage);

// One statement as
//   extern "C" void NAME(int32_t* context, const StaticEnvironment* env)
// which renders every row of the context exactly as Statement::RunRows does:
// the same bytes, the same operand order and so the same rand draws. It
// reads the slots and operand order that the statement's last compilation
// left in its tree. With kOneUnit it calls the routines by name and leaves
// env unread.
std::string StaticPass(const Statement& statement, const std::string& name, Linkage linkage);

}  // namespace zorva::bench
