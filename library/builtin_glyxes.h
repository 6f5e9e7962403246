// The expressions every library starts with, in library order.
#pragma once

namespace zorva {

constexpr int kBuiltinGlyxCount = 62;

extern const char* const kBuiltinGlyxes[kBuiltinGlyxCount];

}  // namespace zorva
