#ifndef ZORVA_CODEGEN_ROUTINES_H
#define ZORVA_CODEGEN_ROUTINES_H

#include <cstdint>

namespace zorva {
struct RenderContext;
}

// The runtime routines that compiled code calls. First argument in ECX,
// second in EDX, any further arguments on the stack, removed by the routine;
// EBX, ESI, EDI and EBP are preserved. Generated code calls them with
// whatever stack alignment it has, so they must not rely on 16 bytes.
// Elsewhere (WebAssembly) no generated code runs: only the reference
// evaluator calls them, in the platform's own convention.
#if defined(__i386__)
#define ZORVA_ROUTINE_CALL __attribute__((fastcall))
#define ZORVA_ROUTINE __attribute__((fastcall, force_align_arg_pointer))
#else
#define ZORVA_ROUTINE_CALL
#define ZORVA_ROUTINE
#endif

int32_t ZORVA_ROUTINE SineOfSigned(int32_t a);
int32_t ZORVA_ROUTINE CosineOfSigned(int32_t a);
int32_t ZORVA_ROUTINE TanRoutine(int32_t a);
int32_t ZORVA_ROUTINE AsinRoutine(int32_t a);
int32_t ZORVA_ROUTINE AcosRoutine(int32_t a);
int32_t ZORVA_ROUTINE AtanRoutine(int32_t a);
int32_t ZORVA_ROUTINE DsinRoutine(int32_t a);
int32_t ZORVA_ROUTINE DecayRoutine(int32_t a);
int32_t ZORVA_ROUTINE ExpRoutine(int32_t a);
int32_t ZORVA_ROUTINE RandRoutine(int32_t n);
int32_t ZORVA_ROUTINE SqrtRoutine(int32_t a);
int32_t ZORVA_ROUTINE FftRoutine(int32_t a);
int32_t ZORVA_ROUTINE VolRoutine(int32_t a);

// theta and rad measure from the context's centre (centerX, centerY).
int32_t ZORVA_ROUTINE ThetaRoutine(int32_t a, int32_t b, const zorva::RenderContext* context);
int32_t ZORVA_ROUTINE RadRoutine(int32_t a, int32_t b, const zorva::RenderContext* context);

// pal reads the context's channel; b is 0 for the one-argument form.
int32_t ZORVA_ROUTINE PalRoutine(int32_t a, int32_t b, int32_t x,
                                 const zorva::RenderContext* context);

#endif
