#include "lang/text_form.h"

#include <climits>
#include <cstring>

namespace zorva {
namespace {

// Only a comparison (or anything tighter) can stand before "?" and before
// "=": a conditional or assignment there gets parentheses, or the text would
// read back as a different tree ("(x?y:t)?X:Y", "(r=g)=b").
constexpr int kComparisonPrecedence = 4;

int OfferedPrecedence(const ExprNode* node, const KindDescriptor& kind, int slot) {
  if ((node->kind == ExprKind::Cond && slot == 2) || (node->kind == ExprKind::Assign && slot == 0)) {
    return kComparisonPrecedence;
  }
  return slot == 1 ? kind.operandPrecedence - 1 : kind.operandPrecedence;
}

// "2147483648" reads as the constant -2147483648, which prints as
// "-2147483648" and reads back as its negation, the same value. Printing that
// negation as the constant alone keeps the text the same on every reprint.
bool IsNegatedLowestConstant(const ExprNode* node) {
  if (node->kind != ExprKind::Neg) return false;
  const ExprNode* operand = node->child[0];
  return operand && operand->kind == ExprKind::Const && operand->value == INT_MIN;
}

// A node's text, and its operands' texts, follow the kind's print template.
void PrintTemplateItem(const ExprNode* node, PrintItem item, const KindDescriptor& kind, std::string& out,
                       const SymbolTable& symbols) {
  switch (item) {
    case PrintItem::Slot0:
    case PrintItem::Slot1:
    case PrintItem::Slot2: {
      // Exchanged operands print in the parsed order, and each is offered the
      // precedence of the place it is printed in: the text then reads back
      // as the same tree, and "x*(y/t)" keeps its parentheses.
      const int place = SlotOf(item);
      const int slot = node->swapped && place < 2 ? place ^ 1 : place;
      const ExprNode* operand = node->child[slot];
      if (operand) PrintNode(operand, out, OfferedPrecedence(node, kind, place), symbols);
      break;
    }
    case PrintItem::Op: out += kind.text; break;
    case PrintItem::OpIfSlot1:
      if (node->child[1]) out += kind.text;
      break;
    case PrintItem::Extra0: out += kind.extra[0]; break;
    case PrintItem::Extra1: out += kind.extra[1]; break;
    case PrintItem::Value: out += std::to_string(node->value); break;
    case PrintItem::Name: out += symbols.At(node->symbol).name; break;
    case PrintItem::End: break;
  }
}

BoundedText CopyBounded(const std::string& text, char* buffer, size_t capacity) {
  if (capacity == 0) return {0, text.empty()};
  const size_t length = text.size() < capacity ? text.size() : capacity - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return {length, length == text.size()};
}

}  // namespace

void PrintNode(const ExprNode* node, std::string& out, int parentPrecedence, const SymbolTable& symbols) {
  if (IsNegatedLowestConstant(node)) node = node->child[0];
  const KindDescriptor& kind = Descriptor(node->kind);
  const bool wrap = parentPrecedence < kind.precedence;
  if (wrap) out += '(';
  for (PrintItem item : kind.print) {
    if (item == PrintItem::End) break;
    PrintTemplateItem(node, item, kind, out, symbols);
  }
  if (wrap) out += ')';
}

std::string StatementString(const ExprTree& tree, const SymbolTable& symbols, const char* suffix) {
  std::string text;
  if (tree.Root()) PrintNode(tree.Root(), text, kStatementPrecedence, symbols);
  if (!text.empty()) text += suffix;
  return text;
}

BoundedText StatementText(const ExprTree& tree, char* buffer, const SymbolTable& symbols, size_t capacity,
                          const char* suffix) {
  return CopyBounded(StatementString(tree, symbols, suffix), buffer, capacity);
}

std::string ExpressionString(const StatementView* statements, size_t count, const char* separator) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    text += StatementString(*statements[i].tree, *statements[i].symbols, i + 1 < count ? separator : "");
  }
  return text;
}

BoundedText ExpressionText(const StatementView* statements, size_t count, char* buffer, size_t capacity,
                           const char* separator) {
  return CopyBounded(ExpressionString(statements, count, separator), buffer, capacity);
}

}  // namespace zorva
