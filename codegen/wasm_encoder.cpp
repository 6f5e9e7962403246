#include "codegen/wasm_encoder.h"

namespace zorva::wasm {

void Bytes::Unsigned(uint32_t value) {
  do {
    uint8_t byte = value & 0x7F;
    value >>= 7;
    if (value != 0) byte |= 0x80;
    Byte(byte);
  } while (value != 0);
}

// Ends once the rest is all sign: the last byte's bit 6 must then say so.
void Bytes::Signed(int32_t value) {
  for (;;) {
    const uint8_t byte = value & 0x7F;
    value >>= 7;  // arithmetic
    const bool signBit = (byte & 0x40) != 0;
    if ((value == 0 && !signBit) || (value == -1 && signBit)) {
      Byte(byte);
      return;
    }
    Byte(byte | 0x80);
  }
}

void Bytes::Name(const std::string& name) {
  Unsigned(static_cast<uint32_t>(name.size()));
  data.insert(data.end(), name.begin(), name.end());
}

void Bytes::Sized(const Bytes& content) {
  Unsigned(static_cast<uint32_t>(content.data.size()));
  data.insert(data.end(), content.data.begin(), content.data.end());
}

void Bytes::Section(SectionId id, const Bytes& content) {
  Byte(id);
  Sized(content);
}

void Bytes::Const(int32_t value) {
  Op(kI32Const);
  Signed(value);
}

void Bytes::LocalGet(uint32_t local) {
  Op(kLocalGet);
  Unsigned(local);
}

void Bytes::LocalSet(uint32_t local) {
  Op(kLocalSet);
  Unsigned(local);
}

void Bytes::LocalTee(uint32_t local) {
  Op(kLocalTee);
  Unsigned(local);
}

void Bytes::Load32(uint32_t offset) {
  Op(kI32Load);
  Unsigned(2);  // alignment: 2^2
  Unsigned(offset);
}

void Bytes::Load8(uint32_t offset) {
  Op(kI32Load8U);
  Unsigned(0);
  Unsigned(offset);
}

void Bytes::Store32(uint32_t offset) {
  Op(kI32Store);
  Unsigned(2);
  Unsigned(offset);
}

void Bytes::Call(uint32_t function) {
  Op(kCall);
  Unsigned(function);
}

void Bytes::If() {
  Op(kIf);
  Byte(kTypeI32);
}

void Bytes::Branch(wasm::Op op, uint32_t depth) {
  Op(op);
  Unsigned(depth);
}

void Preamble(Bytes& module) {
  for (uint8_t byte : {0x00, 0x61, 0x73, 0x6D, 0x01, 0x00, 0x00, 0x00}) module.Byte(byte);
}

}  // namespace zorva::wasm
