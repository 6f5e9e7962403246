// The code generator's memory and data: sealed code, refused memory, and
// templates that the interpreter can follow without leaving its tables.

#include <gtest/gtest.h>

#include <string>

#include "codegen/code_template.h"
#include "lang/expr_kind.h"
#include "sys/exec_memory.h"
#include "sys/fault_guard.h"
#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

// What one template application (its continuations included) does with its
// local labels, and whether each word is one the interpreter knows.
struct TemplateCheck {
  TemplateCheck(bool forFrame, bool holds) : forFrame(forFrame), holds(holds) {}

  bool forFrame;
  bool holds;  // the template has a hold register for SAVE and RESTORE
  int defined[kLocalLabelCount] = {};
  int referenced[kLocalLabelCount] = {};
  std::string faults;

  void Word(uint32_t word) {
    const uint32_t low = word & 0xFF;
    const bool label = low < kLocalLabelCount;
    switch (word >> 8) {
      case 0x00: case 0x20: case 0x40: case 0x80: return;
      case 0x01: return Expect(low > 0, "alignment 0");
      case 0x02: return Expect(!forFrame && low >= 1 && low <= 3, "child index");
      case 0x03: return Expect(low <= 4 && (!forFrame || low >= 3), "operand");
      case 0x04: Expect(label, "label number"); if (label) ++defined[low]; return;
      case 0x05: case 0x09: case 0x0A:
        Expect(label, "label number");
        if (label) ++referenced[low];
        return;
      case 0x06: case 0x07: return Expect((low & 0x7F) < 25, "global label");
      case 0x08: return Expect(!forFrame && low <= 1 && holds, "save or restore");
      default: return Expect(false, "unknown word class");
    }
  }
  void Expect(bool condition, const char* what) {
    if (!condition) faults += std::string(what) + "; ";
  }
  void Finish() {
    for (int n = 0; n < kLocalLabelCount; ++n) {
      Expect(referenced[n] <= 1, "label referenced twice");
      Expect(referenced[n] == 0 || defined[n] == 1, "label not defined once");
    }
  }
};

// Reads words as the interpreter does; the faults found, or "" when sound.
std::string CheckWords(const uint32_t* words, int entry, bool forFrame, bool holds) {
  TemplateCheck check(forFrame, holds);
  for (int i = 0;; ++i) {
    if (i == kTemplateWords) return "no end";
    const uint32_t word = words[i] & 0xFFFF;
    if (word == word::kEnd) break;
    if (word == word::kContinued) {
      if (forFrame || entry + 1 >= codeTemplateCount || codeTemplates[entry + 1].key != kContinuationKey)
        return "continued into nothing";
      words = codeTemplates[++entry].words;
      i = -1;
      continue;
    }
    check.Word(word);
    if (word == word::kLiteralByte || word == word::kLiteral32) ++i;  // the literal's cell
  }
  check.Finish();
  return check.faults;
}

TEST(CodeTemplates, EveryWordStaysWithinTheInterpretersTables) {
  for (int i = 0; i < codeTemplateCount; ++i) {
    const CodeTemplate& entry = codeTemplates[i];
    if (entry.key == kContinuationKey) continue;
    EXPECT_LT(entry.key & 0x3FF, static_cast<uint32_t>(kKindCount)) << "template " << i;
    EXPECT_LE(entry.key >> 10 & 7, kClassAbsent) << "template " << i;
    EXPECT_LE(entry.key >> 13 & 7, kClassAbsent) << "template " << i;
    EXPECT_EQ(CheckWords(entry.words, i, false, entry.holdReg != kRegNone), "") << "template " << i;
  }
  for (int number = 0; number < kFrameTemplateCount; ++number)
    EXPECT_EQ(CheckWords(frameTemplates[number], 0, true, false), "") << "frame template " << number;
}

// Counts the nodes that still have a kind of the code generator's.
uint32_t CollectDerivedKinds(ExprNode* node, void* derived) {
  if (Descriptor(node->kind).base != node->kind) ++*static_cast<int*>(derived);
  return kVisitAllSlots;
}

TEST(CodeMemory, RefusedMemoryLeavesTheTreeWholeAndCompilableAgain) {
  const char* text = "x*2+sin(t)/4-theta(y,x)^2+(x<y?abs(y-x):x%3)";
  std::unique_ptr<Statement> fresh = Build(text);
  ASSERT_TRUE(fresh);
  std::unique_ptr<Statement> statement = Build(text);
  ASSERT_TRUE(statement);
  sys::RefuseCodeMemoryAfter(0);
  const bool compiled = statement->Recompile();
  sys::RefuseCodeMemoryAfter(-1);
  EXPECT_FALSE(compiled);
  int derived = 0;
  Walk(statement->tree->Root(), CollectDerivedKinds, &derived, WalkOrder::PreOrder);
  EXPECT_EQ(derived, 0);
  EXPECT_EQ(statement->Text(), text);
  // Without code a pass writes nothing; with memory again the code is the
  // same as that of a tree never refused.
  EXPECT_FALSE(Render(*statement, Pass(nullptr, 4, 1)).completed);
  ASSERT_TRUE(statement->Recompile());
  EXPECT_EQ(RoutineBytes(*statement).size(), RoutineBytes(*fresh).size());
  EXPECT_EQ(Render(*statement, Pass(nullptr, 64, 4)).bytes, Render(*fresh, Pass(nullptr, 64, 4)).bytes);
  // A text whose second statement gets no memory builds nothing.
  ErrorRecord errors;
  sys::RefuseCodeMemoryAfter(1);
  const char* cursor = "p=pal(3); x*y";
  std::unique_ptr<Statement> first = Statement::FromText(cursor, errors);
  std::unique_ptr<Statement> second = Statement::FromText(cursor, errors);
  sys::RefuseCodeMemoryAfter(-1);
  EXPECT_TRUE(first);
  EXPECT_FALSE(second);
  EXPECT_FALSE(errors.HasMessage());
}

void WriteIntoCode(void* code) { *static_cast<volatile uint8_t*>(code) = 0xC3; }

TEST(CodeMemory, FinishedCodeIsNotWritable) {
  std::unique_ptr<Statement> statement = Build("x+y");
  ASSERT_TRUE(statement);
  const std::vector<uint8_t> before = RoutineBytes(*statement);
  EXPECT_FALSE(sys::RunGuarded(WriteIntoCode, statement->compiled->code->base));
  EXPECT_EQ(RoutineBytes(*statement), before);
}

}  // namespace
}  // namespace zorva::testing
