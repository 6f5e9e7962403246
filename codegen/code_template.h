// The constant data that the code generator interprets: expression templates
// selected by node kind and operand classes, and the frame templates of the
// row routine.
#pragma once

#include <cstdint>

namespace zorva {

// Register masks, used in templates, in nodes and by the allocator. The
// register number in instruction encodings is the index of the lowest bit.
constexpr uint32_t kRegEax = 1;
constexpr uint32_t kRegEcx = 2;
constexpr uint32_t kRegEdx = 4;
constexpr uint32_t kRegEbx = 8;
constexpr uint32_t kRegAll = kRegEax | kRegEcx | kRegEdx | kRegEbx;
constexpr uint32_t kRegStack = 0x4000;  // a value held by PUSH/POP
constexpr uint32_t kRegNone = 0x8000;

// Template words: 16-bit actions in 32-bit cells.
namespace word {
constexpr uint32_t kEnd = 0xFFFF;
constexpr uint32_t kContinued = 0xFFFE;  // go on with the next table entry's words
constexpr uint32_t kAlign = 0x0100;      // | n: pad with NOP to a multiple of n
constexpr uint32_t kChild = 0x0200;      // | 1..3: generate child 0..2
constexpr uint32_t kOperand = 0x0300;    // the node's own operand; | 1, | 2: a child's
constexpr uint32_t kLiteralByte = 0x0303;  // the next cell's low byte
constexpr uint32_t kLiteral32 = 0x0304;    // the next cell as 32 bits
constexpr uint32_t kLocalLabel = 0x0400;   // | n
constexpr uint32_t kLocalRef8 = 0x0500;    // | n
constexpr uint32_t kGlobalLabel = 0x0600;  // | n; bit 7 of n: absolute
constexpr uint32_t kGlobalRef = 0x0700;    // | n
constexpr uint32_t kSave = 0x0800;         // EAX to the node's cgResult
constexpr uint32_t kRestore = 0x0801;      // cgResult to the template's holdReg
constexpr uint32_t kLocalRef32 = 0x0900;   // | n
// | n: jump to local label n when ZF is set, as 74 rel8, or as 0F 84 rel32
// when the size pass found the label more than 127 bytes away.
constexpr uint32_t kJumpIfZero = 0x0A00;
}  // namespace word

constexpr int kTemplateWords = 32;

// Local labels are numbered 0 to 24 within one template application.
constexpr int kLocalLabelCount = 25;

struct CodeTemplate {
  uint32_t key;  // kind | class of child 0 << 10 | class of child 1 << 13
  uint32_t holdReg;
  uint32_t clobbers;
  uint32_t words[kTemplateWords];
};

// Operand classes of the children in a template key.
constexpr uint32_t kClassConst = 0;
constexpr uint32_t kClassMemory = 1;
constexpr uint32_t kClassRegister = 2;
constexpr uint32_t kClassGeneral = 4;
constexpr uint32_t kClassAbsent = 5;

constexpr uint32_t TemplateKey(uint32_t kind, uint32_t class0, uint32_t class1) {
  return kind | class0 << 10 | class1 << 13;
}

// The expression templates. An entry whose words another entry continues has
// the key kContinuationKey, which no node computes.
constexpr uint32_t kContinuationKey = 0xFFFF;
extern const CodeTemplate codeTemplates[];
extern const int codeTemplateCount;

// Frame templates by number, 0..10 (number 2 is empty and unused).
constexpr int kFrameTemplateCount = 11;
extern const uint32_t* const frameTemplates[kFrameTemplateCount];

}  // namespace zorva
