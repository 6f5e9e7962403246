#include "codegen/builtin_table.h"

#include "codegen/routines.h"

namespace zorva {

namespace {

// Node kinds of the inline built-ins and of the calls that pass the context.
constexpr int32_t kAbsKind = 49;
constexpr int32_t kCosKind = 50;
constexpr int32_t kSinKind = 51;
constexpr int32_t kPegKind = 52;
constexpr int32_t kSawKind = 53;
constexpr int32_t kTriKind = 54;
constexpr int32_t kSndKind = 55;
constexpr int32_t kSndLKind = 56;
constexpr int32_t kSndRKind = 57;
constexpr int32_t kPalTwoArgsKind = 58;
constexpr int32_t kPalOneArgKind = 59;
constexpr int32_t kContextCallKind = 65;
constexpr int32_t kCall = kStaysCall;

template <typename Routine>
const void* Address(Routine routine) {
  return reinterpret_cast<const void*>(routine);
}

}  // namespace

// name, maxArgs, minArgs, argsInRegisters, kindAtMaxArgs, kindAtMinArgs, needs, routine
const BuiltinFunc kBuiltins[kBuiltinCount] = {
    {"Sin", 1, 1, 0, kSinKind, kSinKind, kNeedsTrig, Address(SineOfSigned)},
    {"Cos", 1, 1, 0, kCosKind, kCosKind, kNeedsTrig, Address(CosineOfSigned)},
    {"Tan", 1, 1, 1, kCall, kCall, 0, Address(TanRoutine)},
    {"Asin", 1, 1, 1, kCall, kCall, 0, Address(AsinRoutine)},
    {"Acos", 1, 1, 1, kCall, kCall, 0, Address(AcosRoutine)},
    {"Atan", 1, 1, 1, kCall, kCall, 0, Address(AtanRoutine)},
    {"Dsin", 1, 1, 1, kCall, kCall, 0, Address(DsinRoutine)},
    {"Decay", 1, 1, 1, kCall, kCall, 0, Address(DecayRoutine)},
    {"Abs", 1, 1, 0, kAbsKind, kAbsKind, 0, nullptr},
    {"Exp", 1, 1, 1, kCall, kCall, 0, Address(ExpRoutine)},
    {"Rand", 1, 1, 1, kCall, kCall, 0, Address(RandRoutine)},
    {"Peg", 1, 1, 0, kPegKind, kPegKind, 0, nullptr},
    {"Theta", 2, 2, 1, kContextCallKind, kContextCallKind, 0, Address(ThetaRoutine)},
    {"Rad", 2, 2, 1, kContextCallKind, kContextCallKind, 0, Address(RadRoutine)},
    {"Sqrt", 1, 1, 1, kCall, kCall, 0, Address(SqrtRoutine)},
    {"Snd", 1, 1, 0, kSndKind, kSndKind, kNeedsWaveform, nullptr},
    {"SndL", 1, 1, 0, kSndLKind, kSndLKind, kNeedsWaveform, nullptr},
    {"SndR", 1, 1, 0, kSndRKind, kSndRKind, kNeedsWaveform, nullptr},
    {"Fft", 1, 1, 1, kCall, kCall, kNeedsWaveform | kNeedsSpectrum, Address(FftRoutine)},
    {"Vol", 1, 1, 1, kCall, kCall, kNeedsWaveform, Address(VolRoutine)},
    {"Saw", 1, 1, 0, kSawKind, kSawKind, 0, nullptr},
    {"Tri", 1, 1, 0, kTriKind, kTriKind, 0, nullptr},
    {"Pal", 2, 1, 1, kPalTwoArgsKind, kPalOneArgKind, kNeedsPalette, Address(PalRoutine)},
};

}  // namespace zorva
