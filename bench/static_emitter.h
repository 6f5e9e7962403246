// Prints compiled statements as C++ with exactly the generated code's
// semantics, so that an optimising compiler can show what the same work
// costs without the code templates' limits.
#pragma once

#include <string>

#include "codegen/statement.h"

namespace zorva::bench {

// The declarations every printed pass needs: the environment it is handed
// (routine addresses and table addresses) and the helpers for the
// language's arithmetic. Printed once at the top of the file.
std::string StaticPrologue();

// One statement as
//   extern "C" void NAME(int32_t* context, const StaticEnvironment* env)
// which renders every row of the context exactly as Statement::RunRows does:
// the same bytes, the same operand order and so the same rand draws. It
// reads the slots and operand order that the statement's last compilation
// left in its tree.
std::string StaticPass(const Statement& statement, const std::string& name);

}  // namespace zorva::bench
