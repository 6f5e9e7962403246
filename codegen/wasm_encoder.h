// The WebAssembly binary format: as much of it as the statement compiler
// writes (integers as LEB128, names, sections, the i32 instructions).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorva::wasm {

// Opcodes of the instructions the compiler emits.
enum Op : uint8_t {
  kBlock = 0x02, kLoop = 0x03, kIf = 0x04, kElse = 0x05, kEnd = 0x0B,
  kBr = 0x0C, kBrIf = 0x0D, kReturn = 0x0F, kCall = 0x10, kDrop = 0x1A, kSelect = 0x1B,
  kLocalGet = 0x20, kLocalSet = 0x21, kLocalTee = 0x22,
  kI32Load = 0x28, kI32Load8U = 0x2D, kI32Store = 0x36, kI32Const = 0x41,
  kI32Eqz = 0x45, kI32Eq = 0x46, kI32Ne = 0x47, kI32LtS = 0x48, kI32LtU = 0x49, kI32GtS = 0x4A,
  kI32GtU = 0x4B, kI32LeS = 0x4C, kI32LeU = 0x4D, kI32GeS = 0x4E, kI32GeU = 0x4F,
  kI32Add = 0x6A, kI32Sub = 0x6B, kI32Mul = 0x6C, kI32DivS = 0x6D, kI32RemS = 0x6F, kI32RemU = 0x70,
  kI32And = 0x71, kI32Or = 0x72, kI32Xor = 0x73, kI32Shl = 0x74, kI32ShrS = 0x75, kI32ShrU = 0x76,
  kI64Mul = 0x7E, kI64ShrU = 0x88, kI32WrapI64 = 0xA7, kI64ExtendI32U = 0xAD,
};

constexpr uint8_t kTypeI32 = 0x7F;
constexpr uint8_t kBlockVoid = 0x40;
constexpr uint8_t kTypeFunction = 0x60;

enum SectionId : uint8_t {
  kTypeSection = 1, kImportSection = 2, kFunctionSection = 3, kExportSection = 7, kCodeSection = 10,
};

enum ExternalKind : uint8_t { kExternalFunction = 0, kExternalMemory = 2 };

// A growing byte string with the format's encodings.
class Bytes {
 public:
  void Byte(uint8_t byte) { data.push_back(byte); }
  void Unsigned(uint32_t value);
  void Signed(int32_t value);
  void Name(const std::string& name);
  // The content preceded by its length, as sections and function bodies are.
  void Sized(const Bytes& content);
  void Section(SectionId id, const Bytes& content);

  // Instructions.
  void Op(wasm::Op op) { Byte(op); }
  void Const(int32_t value);
  void LocalGet(uint32_t local);
  void LocalSet(uint32_t local);
  void LocalTee(uint32_t local);
  void Load32(uint32_t offset);  // i32.load, 4-byte aligned
  void Load8(uint32_t offset);   // i32.load8_u
  void Store32(uint32_t offset);
  void Call(uint32_t function);
  void If();                     // if with an i32 result
  void Branch(wasm::Op op, uint32_t depth);

  std::vector<uint8_t> data;
};

// The magic number and version that open every module.
void Preamble(Bytes& module);

}  // namespace zorva::wasm
