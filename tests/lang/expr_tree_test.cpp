#include "lang/expr_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/parser.h"

namespace zorva {
namespace {

TEST(Descriptor, KindBeyondTheTableIsAnInternalError) {
#ifdef _WIN32
  GTEST_SKIP() << "shows a message box";
#else
  ::testing::internal::CaptureStderr();
  const KindDescriptor& d = Descriptor(static_cast<ExprKind>(66));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("Internal Error: Need to define an ntd!"),
            std::string::npos);
  EXPECT_EQ(d.print[0], PrintItem::End);
#endif
}

uint32_t Record(ExprNode* node, void* context) {
  auto& seen = *static_cast<std::vector<ExprNode*>*>(context);
  seen.push_back(node);
  return kVisitAllSlots;
}

// The nodes of `text` in visiting order: names, values and operator texts.
std::string Visits(const char* text, WalkOrder order, int swappedRoot = 0) {
  SymbolTable symbols;
  ErrorRecord errors;
  std::unique_ptr<ExprTree> tree = ParseStatement(text, symbols, errors);
  if (!tree) return "no parse";
  tree->Root()->swapped = swappedRoot;
  std::vector<ExprNode*> seen;
  Walk(tree->Root(), Record, &seen, order);
  std::string visits;
  for (const ExprNode* node : seen) {
    if (node->kind == ExprKind::Const) visits += std::to_string(node->value);
    else if (node->kind == ExprKind::Var) visits += symbols.At(node->symbol).name;
    else visits += Descriptor(node->kind).text;
    visits += " ";
  }
  return visits;
}

TEST(Walk, VisitsSlotsInOrderWhateverSwapped) {
  EXPECT_EQ(Visits("x<y?t:T", WalkOrder::PreOrder), "? < x y t T ");  // the condition first
  EXPECT_EQ(Visits("x+1", WalkOrder::PostOrder), "x 1 + ");
  EXPECT_EQ(Visits("x-1", WalkOrder::PreOrder, 1), "- x 1 ");
  EXPECT_EQ(Visits("pal(8,-t*3)", WalkOrder::PreOrder), "( , 8 , * - t 3 ");
}

}  // namespace
}  // namespace zorva
