#include "codegen/builtin_table.h"

namespace zorva {

// name, maxArgs, minArgs, argsInRegisters, kindAtMaxArgs, kindAtMinArgs, needs
const BuiltinFunc kBuiltins[kBuiltinCount] = {
    {"Sin", 1, 1, 0, 51, 51, kNeedsTrig},
    {"Cos", 1, 1, 0, 50, 50, kNeedsTrig},
    {"Tan", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Asin", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Acos", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Atan", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Dsin", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Decay", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Abs", 1, 1, 0, 49, 49, 0},
    {"Exp", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Rand", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Peg", 1, 1, 0, 52, 52, 0},
    {"Theta", 2, 2, 1, 65, 65, 0},
    {"Rad", 2, 2, 1, 65, 65, 0},
    {"Sqrt", 1, 1, 1, kStaysCall, kStaysCall, 0},
    {"Snd", 1, 1, 0, 55, 55, kNeedsWaveform},
    {"SndL", 1, 1, 0, 56, 56, kNeedsWaveform},
    {"SndR", 1, 1, 0, 57, 57, kNeedsWaveform},
    {"Fft", 1, 1, 1, kStaysCall, kStaysCall, kNeedsWaveform | kNeedsSpectrum},
    {"Vol", 1, 1, 1, kStaysCall, kStaysCall, kNeedsWaveform},
    {"Saw", 1, 1, 0, 53, 53, 0},
    {"Tri", 1, 1, 0, 54, 54, 0},
    {"Pal", 2, 1, 1, 58, 59, kNeedsPalette},
};

}  // namespace zorva
