// The built-in functions in the row's code: the inline ones of the IA-32
// templates, and in place of most routine calls the routines' own
// arithmetic on their own tables.
#include <cstdint>

#include "codegen/builtin_table.h"
#include "codegen/compiled_forms.h"
#include "codegen/random.h"
#include "codegen/routines.h"
#include "codegen/wasm_compiler_parts.h"
#include "image/palettes.h"

namespace zorva::wasm {

void WasmCompiler::CallBuiltin(const ExprNode* node) {
  const int32_t row = symbols.At(node->symbol).builtin;
  const BuiltinFunc& builtin = kBuiltins[row];
  int32_t count = 0;
  for (const ExprNode* link = node->child[0]; link != nullptr; link = link->child[1], ++count) {
    Value(link->child[0]);
    if (count >= 2) code.Op(kDrop);  // never kept by any call form
  }
  const int32_t kind = CompiledCallKind(builtin, count);
  if (!CallsRoutine(kind)) return Inline(kind);
  switch (row) {
    case kBuiltinAsin: return TableByte(at.arcsine);
    case kBuiltinAcos: return TableByte(at.arccosine);
    case kBuiltinDsin: return TableByte(at.dampedSine);
    case kBuiltinDecay: return TableByte(at.decay);
    case kBuiltinFft: return TableByte(at.spectrum);
    case kBuiltinAtan:
      ClampToByte();
      return code.Load8(at.arctangent);
    case kBuiltinExp: return Exponential();
    case kBuiltinVol: return Volume();
    case kBuiltinRand: return Random();
    case kBuiltinPal:
      if (kind == 59) code.Const(0);
      return Palette();
    case kBuiltinSqrt: return SquareRoot();
    case kBuiltinRad: return Radius();
    case kBuiltinTheta: return Angle();
    default: return code.Call(routineFunction[row]);  // tan
  }
}

// The inline built-ins, on the argument's value.
void WasmCompiler::Inline(int32_t compiledKind) {
  Bytes& c = code;
  const uint32_t a = Temporary();
  switch (compiledKind) {
    case 49:  // abs: -2147483648 stays itself
      c.LocalSet(a);
      c.Const(0);
      c.LocalGet(a);
      c.Op(kI32Sub);
      c.LocalGet(a);
      c.LocalGet(a);
      c.Const(0);
      c.Op(kI32LtS);
      c.Op(kSelect);
      break;
    case 50: case 51:  // cos, sin
      c.Const(255);
      c.Op(kI32And);
      c.Load8(compiledKind == 50 ? at.cosine : at.sine);
      break;
    case 52:  // peg
      ClampToByte();
      break;
    case 53:  // saw
      c.Const(1);
      c.Op(kI32Shl);
      c.Const(255);
      c.Op(kI32And);
      break;
    case 54:  // tri: the doubled low byte, inverted when its top bit was set
      c.Const(255);
      c.Op(kI32And);
      c.LocalTee(a);
      c.Const(1);
      c.Op(kI32Shl);
      c.Const(0);
      c.LocalGet(a);
      c.Const(7);
      c.Op(kI32ShrU);
      c.Op(kI32Sub);
      c.Op(kI32Xor);
      c.Const(255);
      c.Op(kI32And);
      break;
    default:  // snd, sndl, sndr: a byte of the interleaved waveform
      c.Const(255);
      c.Op(kI32And);
      c.Const(1);
      c.Op(kI32Shl);
      c.Load8(compiledKind == 57 ? at.waveform + 1 : at.waveform);
      break;
  }
  Release(1);
}

// The value clamped to 0..255: peg, and the index of atan's and exp's tables.
void WasmCompiler::ClampToByte() {
  Bytes& c = code;
  const uint32_t a = Temporary();
  c.LocalSet(a);
  c.Const(0);
  c.Const(255);
  c.LocalGet(a);
  c.LocalGet(a);
  c.Const(255);
  c.Op(kI32GtS);
  c.Op(kSelect);
  c.LocalGet(a);
  c.Const(0);
  c.Op(kI32LtS);
  c.Op(kSelect);
  Release(1);
}

// asin, acos, dsin, decay, fft: the byte of the value's low 8 bits.
void WasmCompiler::TableByte(uint32_t table) {
  code.Const(255);
  code.Op(kI32And);
  code.Load8(table);
}

// exp: 0 below 0, else the table's entry, the index clamped to 255.
void WasmCompiler::Exponential() {
  Bytes& c = code;
  const uint32_t a = Temporary();
  c.LocalSet(a);
  c.Const(0);
  c.LocalGet(a);
  ClampToByte();
  c.Const(2);
  c.Op(kI32Shl);
  c.Load32(at.exponential);
  c.LocalGet(a);
  c.Const(0);
  c.Op(kI32LtS);
  c.Op(kSelect);
  Release(1);
}

// vol(a): the sum of |L(k) - 128| over the eight left samples from a, over 4;
// 0 when a + 8 does not fit in 32 bits.
void WasmCompiler::Volume() {
  Bytes& c = code;
  const uint32_t a = Temporary();
  const uint32_t deviation = Temporary();
  const uint32_t sign = Temporary();
  c.LocalTee(a);
  c.Const(2147483647 - 8);
  c.Op(kI32GtS);
  c.If();
  c.Const(0);
  c.Op(kElse);
  c.Const(0);
  for (int k = 0; k < 8; ++k) {
    c.LocalGet(a);
    if (k > 0) {
      c.Const(k);
      c.Op(kI32Add);
    }
    c.Const(255);
    c.Op(kI32And);
    c.Const(1);
    c.Op(kI32Shl);
    c.Load8(at.waveform);
    c.Const(128);
    c.Op(kI32Sub);
    c.LocalTee(deviation);
    c.LocalGet(deviation);
    c.Const(31);
    c.Op(kI32ShrS);
    c.LocalTee(sign);
    c.Op(kI32Xor);
    c.LocalGet(sign);
    c.Op(kI32Sub);
    c.Op(kI32Add);
  }
  c.Const(2);
  c.Op(kI32ShrU);
  c.Op(kEnd);
  Release(3);
}

// rand(n): 0 without a draw for n = 0; otherwise the generator's next draw,
// modulo n read as unsigned, which leaves draws above 32767 as they are.
void WasmCompiler::Random() {
  Bytes& c = code;
  const uint32_t bound = Temporary();
  const uint32_t draw = Temporary();
  c.LocalTee(bound);
  c.Op(kI32Eqz);
  c.If();
  c.Const(0);
  c.Op(kElse);
  c.Const(0);
  c.Const(0);
  c.Load32(at.randomState);
  c.Const(214013);
  c.Op(kI32Mul);
  c.Const(2531011);
  c.Op(kI32Add);
  c.LocalTee(draw);
  c.Store32(at.randomState);
  c.LocalGet(draw);
  c.Const(16);
  c.Op(kI32ShrU);
  c.Const(kRandomMax);
  c.Op(kI32And);
  c.LocalTee(draw);
  c.LocalGet(draw);
  c.LocalGet(bound);
  c.Op(kI32RemU);
  c.LocalGet(bound);
  c.Const(kRandomMax);
  c.Op(kI32GtU);
  c.Op(kSelect);
  c.Op(kEnd);
  Release(2);
}

// pal(a, b): x for a = 0, else component `channel` of entry (b + x) & 255 of
// palette (a - 1) mod 28, a read as unsigned.
void WasmCompiler::Palette() {
  Bytes& c = code;
  const uint32_t a = Temporary();
  const uint32_t b = Temporary();
  c.LocalSet(b);
  c.LocalSet(a);
  c.LocalGet(kX);
  c.LocalGet(a);
  c.Const(1);
  c.Op(kI32Sub);
  c.Const(kPaletteCount);
  c.Op(kI32RemU);
  c.Const(kPaletteEntries * 3);
  c.Op(kI32Mul);
  c.LocalGet(b);
  c.LocalGet(kX);
  c.Op(kI32Add);
  c.Const(255);
  c.Op(kI32And);
  c.Const(3);
  c.Op(kI32Mul);
  c.Op(kI32Add);
  c.LocalGet(kChannel);
  c.Op(kI32Add);
  c.Load8(at.palettes);
  c.LocalGet(a);
  c.Op(kI32Eqz);
  c.Op(kSelect);
  Release(2);
}

// sqrt(a), a read as unsigned: from the table below 2^16, else through the
// routine.
void WasmCompiler::SquareRoot() {
  Bytes& c = code;
  const uint32_t a = Temporary();
  c.LocalTee(a);
  c.Const(1 << 16);
  c.Op(kI32LtU);
  c.If();
  c.LocalGet(a);
  c.Load8(at.squareRoots);
  c.Op(kElse);
  c.LocalGet(a);
  c.Call(routineFunction[kBuiltinSqrt]);
  c.Op(kEnd);
  Release(1);
}

// rad(a, b): the square root of the squared distance from the centre.
void WasmCompiler::Radius() {
  Bytes& c = code;
  const uint32_t dy = Temporary();
  const uint32_t dx = Temporary();
  c.LocalGet(kCenterY);
  c.Op(kI32Sub);
  c.LocalSet(dy);
  c.LocalGet(kCenterX);
  c.Op(kI32Sub);
  c.LocalTee(dx);
  c.LocalGet(dx);
  c.Op(kI32Mul);
  c.LocalGet(dy);
  c.LocalGet(dy);
  c.Op(kI32Mul);
  c.Op(kI32Add);
  Release(2);
  SquareRoot();
}

// theta(a, b): the taxicab angle, as ThetaRoutine computes it: the quotient
// by a reciprocal when the distance is 1..1023, else through theta itself.
void WasmCompiler::Angle() {
  Bytes& c = code;
  const uint32_t dx = Temporary();
  const uint32_t dy = Temporary();
  const uint32_t dySign = Temporary();
  const uint32_t rise = Temporary();
  const uint32_t span = Temporary();
  c.LocalGet(kCenterY);
  c.Op(kI32Sub);
  c.LocalSet(dy);
  c.LocalGet(kCenterX);
  c.Op(kI32Sub);
  c.LocalSet(dx);
  c.LocalGet(dy);
  c.Const(31);
  c.Op(kI32ShrS);
  c.LocalSet(dySign);
  c.LocalGet(dy);
  c.LocalGet(dySign);
  c.Op(kI32Xor);
  c.LocalGet(dySign);
  c.Op(kI32Sub);
  c.LocalTee(rise);
  c.LocalGet(dx);  // |dx| = (dx ^ sign) - sign
  c.LocalGet(dx);
  c.Const(31);
  c.Op(kI32ShrS);
  c.LocalTee(span);
  c.Op(kI32Xor);
  c.LocalGet(span);
  c.Op(kI32Sub);
  c.Op(kI32Add);
  c.LocalTee(span);
  c.Const(1);
  c.Op(kI32Sub);
  c.Const(kSmallDivisorLimit - 1);
  c.Op(kI32GeU);
  c.If();
  c.LocalGet(dx);
  c.LocalGet(kCenterX);
  c.Op(kI32Add);
  c.LocalGet(dy);
  c.LocalGet(kCenterY);
  c.Op(kI32Add);
  c.LocalGet(kContext);
  c.Call(routineFunction[kBuiltinTheta]);
  c.Op(kElse);
  // q = rise * 64 / span, with the sign of dy
  c.LocalGet(rise);
  c.Const(6);
  c.Op(kI32Shl);
  c.Op(kI64ExtendI32U);
  c.LocalGet(span);
  c.Const(2);
  c.Op(kI32Shl);
  c.Load32(at.reciprocals);
  c.Op(kI64ExtendI32U);
  c.Op(kI64Mul);
  c.Const(31);
  c.Op(kI64ExtendI32U);
  c.Op(kI64ShrU);
  c.Op(kI32WrapI64);
  c.LocalGet(dySign);
  c.Op(kI32Xor);
  c.LocalGet(dySign);
  c.Op(kI32Sub);
  c.LocalSet(rise);
  // 128 - q left of the centre; q below it (dy >= 0); q + 255 above it
  c.Const(128);
  c.LocalGet(rise);
  c.Op(kI32Sub);
  c.LocalGet(rise);
  c.LocalGet(rise);
  c.Const(255);
  c.Op(kI32Add);
  c.LocalGet(dySign);
  c.Op(kI32Eqz);
  c.Op(kSelect);
  c.LocalGet(dx);
  c.Const(0);
  c.Op(kI32LtS);
  c.Op(kSelect);
  c.Op(kEnd);
  Release(5);
}

}  // namespace zorva::wasm
