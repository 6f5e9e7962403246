#include <cstdint>

#include "codegen/code_template.h"
#include "codegen/lookup_tables.h"
#include "codegen/sound_frame.h"

namespace zorva {

namespace {

using namespace word;

// Short names keep one template on one line.
constexpr uint32_t END = kEnd;
constexpr uint32_t MORE = kContinued;
constexpr uint32_t C0 = kChild | 1;
constexpr uint32_t C1 = kChild | 2;
constexpr uint32_t C2 = kChild | 3;
constexpr uint32_t SAVE = kSave;
constexpr uint32_t RESTORE = kRestore;
constexpr uint32_t SELF = kOperand;          // constant, slot byte or routine displacement
constexpr uint32_t OF0 = kOperand | 1;       // child 0's operand
constexpr uint32_t ADDR = kLiteral32;        // followed by an address
constexpr uint32_t ALIGN16 = kAlign | 16;
constexpr uint32_t G1 = kGlobalLabel | 1;
constexpr uint32_t TO_G1 = kGlobalRef | 1;
constexpr uint32_t L(uint32_t n) { return kLocalLabel | n; }
constexpr uint32_t J8(uint32_t n) { return kLocalRef8 | n; }
constexpr uint32_t J32(uint32_t n) { return kLocalRef32 | n; }
constexpr uint32_t JZ(uint32_t n) { return kJumpIfZero | n; }

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

constexpr uint32_t EAX = kRegEax, ECX = kRegEcx, EDX = kRegEdx, EBX = kRegEbx;
constexpr uint32_t NONE = kRegNone;

}  // namespace

// Every result ends in EAX. The comments name the node kind and the main
// instruction.
const CodeTemplate codeTemplates[] = {
    {0xB400, NONE, EAX, {0xB8, SELF, END}},                        // Const: MOV EAX, imm32
    {0xB401, NONE, EAX, {0x8B, 0x47, SELF, END}},                  // Var: MOV EAX, [EDI+d8]
    {0xB41F, NONE, EAX, {0x8B, 0xC6, END}},                        // RegVar: MOV EAX, ESI
    {0x9002, EBX, EAX | EBX, {C0, SAVE, C1, RESTORE, 0x03, 0xC3, END}},        // Add
    {0x9003, EBX, EAX | EBX, {C1, SAVE, C0, RESTORE, 0x2B, 0xC3, END}},        // Sub
    {0x9004, EBX, EAX | EDX | EBX, {C0, SAVE, C1, RESTORE, 0xF7, 0xEB, END}},  // Mul: IMUL EBX
    // Div and Mod skip the division when the divisor is 0, leaving the dividend.
    {0x9005, EAX, EAX | ECX | EDX,
     {C0, 0x50, C1, 0x8B, 0xC8, 0x58, 0x85, 0xC9, 0x74, J8(0), 0x8B, 0xD0, 0xC1, 0xFA, 0x1F,
      0xF7, 0xF9, L(0), END}},
    {0x9006, EAX, EAX | ECX | EDX,
     {C0, 0x50, C1, 0x8B, 0xC8, 0x58, 0x85, 0xC9, 0x74, J8(0), 0x8B, 0xD0, 0xC1, 0xFA, 0x1F,
      0xF7, 0xF9, 0x8B, 0xC2, L(0), END}},
    // Comparisons: CMP EBX, EAX; SETcc AL; AND EAX, 0FFh.
    {0x9007, EBX, EAX | EBX,
     {C0, SAVE, C1, RESTORE, 0x3B, 0xD8, 0x0F, 0x9C, 0xC0, 0x25, 0xFF, 0x00, 0x00, 0x00, END}},
    {0x9008, EBX, EAX | EBX,
     {C0, SAVE, C1, RESTORE, 0x3B, 0xD8, 0x0F, 0x9F, 0xC0, 0x25, 0xFF, 0x00, 0x00, 0x00, END}},
    {0x9009, EBX, EAX | EBX,
     {C0, SAVE, C1, RESTORE, 0x3B, 0xD8, 0x0F, 0x94, 0xC0, 0x25, 0xFF, 0x00, 0x00, 0x00, END}},
    {0x900A, EBX, EAX | EBX,
     {C0, SAVE, C1, RESTORE, 0x3B, 0xD8, 0x0F, 0x9E, 0xC0, 0x25, 0xFF, 0x00, 0x00, 0x00, END}},
    {0x900B, EBX, EAX | EBX,
     {C0, SAVE, C1, RESTORE, 0x3B, 0xD8, 0x0F, 0x9D, 0xC0, 0x25, 0xFF, 0x00, 0x00, 0x00, END}},
    {0x900C, EBX, EAX | EBX,
     {C0, SAVE, C1, RESTORE, 0x3B, 0xD8, 0x0F, 0x95, 0xC0, 0x25, 0xFF, 0x00, 0x00, 0x00, END}},
    // Pow: exponent to ECX, base to EBX; a negative exponent gives 0. Repeated
    // squaring: SHR ECX, 1; JNC; IMUL EAX, EBX; IMUL EBX, EBX; TEST ECX, ECX;
    // JNZ. At most 31 rounds, whatever the exponent.
    {0x900D, EBX, EAX | ECX | EDX | EBX,
     {C0, SAVE, C1, 0x8B, 0xC8, RESTORE, 0x33, 0xC0, 0x85, 0xC9, 0x78, J8(0), 0x40, L(1), 0xD1,
      0xE9, 0x73, J8(2), 0x0F, 0xAF, 0xC3, L(2), 0x0F, 0xAF, 0xDB, 0x85, 0xC9, 0x75, J8(1), L(0),
      END}},
    {0x900E, NONE, NONE, {C1, END}},  // Assign: only the value
    // Bracket [a,b]: a byte of the source image, 0 outside it.
    {0x900F, EBX, EAX | ECX | EDX | EBX,
     {C0, SAVE, C1, 0x8B, 0x57, 0x38, RESTORE, 0x8B, 0xCB, 0x2B, 0xD0, 0xB8, 0x00, 0x00, 0x00,
      0x00, 0x76, J8(0), 0x4A, 0x03, 0x4F, 0x28, 0x3B, 0x5F, 0x34, 0x73, J8(1), MORE}},
    {kContinuationKey, NONE, NONE,
     {0x8B, 0x47, 0x3C, 0xF7, 0xE2, 0x03, 0xC8, 0x33, 0xC0, 0x8A, 0x01, L(0), L(1), END}},
    // Cond c?a:b. The jump over the true branch takes its long form when the
    // branch is too long for 8 bits.
    {0x9010, NONE, EAX, {C2, 0x85, 0xC0, JZ(0), C0, 0xE9, J32(1), L(0), C1, L(1), END}},
    {0xB011, NONE, EAX, {C0, 0xE8, SELF, END}},                    // Call: CALL rel32
    {0xB013, NONE, EAX, {C0, 0xF7, 0xD8, END}},                    // Neg: NEG EAX
    // Brace {a,b} has no image to read: both operands are evaluated, the result is 0.
    {0x9014, NONE, EAX, {C0, C1, 0x33, 0xC0, END}},
    {0xB023, NONE, EAX | EDX, {C0, 0xF7, 0xE0, END}},              // Square: MUL EAX
    {0xB024, NONE, NONE, {C0, END}},                               // MulBy1
    {0xB025, NONE, EAX, {C0, 0x03, 0xC0, END}},                    // MulBy2: ADD EAX, EAX
    {0xB026, NONE, EAX, {C0, 0x8D, 0x04, 0x40, END}},              // MulBy3: LEA
    {0xB027, NONE, EAX, {C0, 0x8D, 0x04, 0x85, 0x00, 0x00, 0x00, 0x00, END}},  // MulBy4
    {0xB028, NONE, EAX, {C0, 0x8D, 0x04, 0x80, END}},                          // MulBy5
    {0xB029, NONE, EAX, {C0, 0x8D, 0x04, 0xC5, 0x00, 0x00, 0x00, 0x00, END}},  // MulBy8
    {0xB02A, NONE, EAX, {C0, 0x8D, 0x04, 0xC0, END}},                          // MulBy9
    {0xB02B, NONE, EAX, {C0, END}},                                // DivBy1
    {0xB02C, NONE, EAX, {C0, 0xC1, 0xF8, 0x01, END}},              // DivBy2: SAR EAX, 1
    {0xB02D, NONE, EAX, {C0, 0xC1, 0xF8, 0x02, END}},              // DivBy4
    {0xB02E, NONE, EAX, {C0, 0xC1, 0xF8, 0x03, END}},              // DivBy8
    {0xB02F, NONE, EAX, {C0, 0xC1, 0xF8, 0x04, END}},              // DivBy16
    {0xB020, NONE, NONE, {C0, C1, END}},                           // ArgOnly
    {0x9021, ECX, EAX | ECX, {C0, SAVE, C1, RESTORE, END}},        // ArgFirst: into ECX
    {0xB022, NONE, EAX | EDX, {C0, 0x8B, 0xD0, END}},              // ArgSecond: MOV EDX, EAX
    {0xA422, NONE, EDX, {0x8B, 0x57, OF0, END}},                   // ArgSecond: MOV EDX, [EDI+d8]
    {0xA022, NONE, EDX, {0xBA, OF0, END}},                         // ArgSecond: MOV EDX, imm32
    {0xA822, NONE, EDX, {0x8B, 0xD6, END}},                        // ArgSecond: MOV EDX, ESI
    {0xB031, NONE, EAX | EDX, {C0, 0x8B, 0xD0, 0xC1, 0xFA, 0x1F, 0x33, 0xC2, 0x2B, 0xC2, END}},  // abs
    {0xB032, NONE, EAX | EDX,                                      // cos: MOV AL, [EAX+table]
     {C0, 0x25, 0xFF, 0x00, 0x00, 0x00, 0x8A, 0x80, ADDR, Address(cosineTable), END}},
    {0xB033, NONE, EAX,                                            // sin
     {C0, 0x25, 0xFF, 0x00, 0x00, 0x00, 0x8A, 0x80, ADDR, Address(sineTable), END}},
    {0xB034, NONE, EAX,                                            // peg: clamp to 0..255
     {C0, 0x85, 0xC0, 0x7D, J8(0), 0x33, 0xC0, 0xEB, J8(1), L(0), 0x3D, 0xFF, 0x00, 0x00, 0x00,
      0x7E, J8(2), 0xB8, 0xFF, 0x00, 0x00, 0x00, L(2), L(1), END}},
    {0xB035, NONE, EAX, {C0, 0xD1, 0xE0, 0x25, 0xFF, 0x00, 0x00, 0x00, END}},  // saw
    {0xB036, NONE, EAX,                                            // tri: SHL AL,1; JNC; NOT AL
     {C0, 0x25, 0xFF, 0x00, 0x00, 0x00, 0xD0, 0xE0, 0x73, J8(0), 0xF6, 0xD0, L(0), END}},
    {0xB037, NONE, EAX,                                            // snd: MOV AL, [EAX*2+array]
     {C0, 0x25, 0xFF, 0x00, 0x00, 0x00, 0x8A, 0x04, 0x45, ADDR, Address(soundWaveform), END}},
    {0xB038, NONE, EAX,                                            // sndl
     {C0, 0x25, 0xFF, 0x00, 0x00, 0x00, 0x8A, 0x04, 0x45, ADDR, Address(soundWaveform), END}},
    {0xB039, NONE, EAX,                                            // sndr
     {C0, 0x25, 0xFF, 0x00, 0x00, 0x00, 0x8A, 0x04, 0x45, ADDR, Address(soundWaveform + 1), END}},
    {0xB03A, NONE, EAX, {C0, 0x57, 0x56, 0xE8, SELF, END}},        // pal(a,b): PUSH EDI; PUSH ESI
    {0xB03B, NONE, EAX | EDX, {C0, 0x33, 0xD2, 0x57, 0x56, 0xE8, SELF, END}},  // pal(a)
    {0xB041, NONE, EAX, {C0, 0x57, 0xE8, SELF, END}},              // theta, rad: PUSH EDI
};

const int codeTemplateCount = sizeof codeTemplates / sizeof codeTemplates[0];

namespace {

constexpr uint32_t kNoFrame[] = {END};
constexpr uint32_t kReturn[] = {0xC2, 0x04, 0x00, END};  // RET 4
// PUSH EBX; PUSH EBP; PUSH ESI; XOR ESI, ESI; loop head: XOR EBP, EBP
constexpr uint32_t kLoopHead[] = {0x53, 0x55, 0x56, 0x33, 0xF6, ALIGN16, G1, 0x33, 0xED, END};
// Pixel k into byte k of EBP, then ADD ESI, [step].
constexpr uint32_t kPixel0[] = {0x25, 0xFF, 0x00, 0x00, 0x00, 0x8B, 0x5F, 0x00, 0x0B, 0xE8,
                                0x03, 0xF3, END};
constexpr uint32_t kPixel1[] = {0x8B, 0x5F, 0x00, 0x25, 0xFF, 0x00, 0x00, 0x00, 0xC1, 0xE0,
                                0x08, 0x03, 0xF3, 0x0B, 0xE8, END};
constexpr uint32_t kPixel2[] = {0x8B, 0x5F, 0x00, 0x25, 0xFF, 0x00, 0x00, 0x00, 0xC1, 0xE0,
                                0x10, 0x03, 0xF3, 0x0B, 0xE8, END};
constexpr uint32_t kPixel3[] = {0x8B, 0x5F, 0x00, 0xC1, 0xE0, 0x18, 0x03, 0xF3, 0x0B, 0xE8, END};
// Store EBP at out, out += 4; CMP ESI, [width]; JL loop head; POP ESI, EBP, EBX.
constexpr uint32_t kLoopTail[] = {0x8B, 0x5F, 0x14, 0x89, 0x2B, 0x83, 0xC3, 0x04, 0x89, 0x5F,
                                  0x14, 0x3B, 0x77, 0x04, 0x0F, 0x8C, TO_G1, 0x5E, 0x5D, 0x5B,
                                  END};
// PUSH EDI; MOV EDI, [ESP+8]: the context's address.
constexpr uint32_t kLoadContext[] = {0x57, 0x8B, 0x7C, 0x24, 0x08, END};
constexpr uint32_t kRestoreContext[] = {0x5F, END};  // POP EDI

}  // namespace

const uint32_t* const frameTemplates[kFrameTemplateCount] = {
    kNoFrame, kReturn, kNoFrame, kLoopHead, kPixel0, kPixel1,
    kPixel2, kPixel3, kLoopTail, kLoadContext, kRestoreContext,
};

}  // namespace zorva
