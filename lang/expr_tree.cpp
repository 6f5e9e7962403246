#include "lang/expr_tree.h"

#include <cstring>
#include <utility>
#include <vector>

namespace zorva {
namespace {

struct KindSearch {
  ExprKind kind;
  bool found;
};

uint32_t FindKind(ExprNode* node, void* context) {
  KindSearch& search = *static_cast<KindSearch*>(context);
  if (node->kind != search.kind) return kVisitAllSlots;
  search.found = true;
  return 0;
}

uint32_t CountUse(ExprNode* node, void* context) {
  if (node->symbol != kNoSymbol) static_cast<SymbolTable*>(context)->At(node->symbol).useCount++;
  return kVisitAllSlots;
}

}  // namespace

void Walk(ExprNode* root, WalkCallback callback, void* context, WalkOrder order) {
  if (!root) return;
  const uint32_t mask = order == WalkOrder::PreOrder ? callback(root, context) : kVisitAllSlots;
  ForEachOperand(root, mask, [&](ExprNode* operand) { Walk(operand, callback, context, order); });
  if (order == WalkOrder::PostOrder) callback(root, context);
}

// By each node's base kind: the compiler deletes the operands of a product
// with 0 while it reduces the tree, and a reduced kind such as `x*5` leaves
// its constant out of the slots it names.
void DeleteTree(ExprNode* root) {
  if (!root) return;
  root->kind = Descriptor(root->kind).base;
  ForEachOperand(root, kVisitAllSlots, DeleteTree);
  delete root;
}

int TreeDepth(const ExprNode* root) {
  if (!root) return 0;
  std::vector<std::pair<const ExprNode*, int>> pending{{root, 1}};
  int deepest = 0;
  while (!pending.empty()) {
    const ExprNode* const node = pending.back().first;
    const int childDepth = pending.back().second + 1;
    pending.pop_back();
    if (childDepth - 1 > deepest) deepest = childDepth - 1;
    ForEachOperand(node, kVisitAllSlots, [&](const ExprNode* operand) { pending.push_back({operand, childDepth}); });
  }
  return deepest;
}

bool ContainsKind(const ExprTree& tree, ExprKind kind) {
  KindSearch search{kind, false};
  Walk(tree.Root(), FindKind, &search, WalkOrder::PreOrder);
  return search.found;
}

void CountSymbolUses(const ExprTree& tree, SymbolTable& table) {
  for (int32_t i = 0; i < table.Count(); ++i) table.At(i).useCount = 0;
  Walk(tree.Root(), CountUse, &table, WalkOrder::PreOrder);
}

bool AssignsTo(const ExprTree& tree, const SymbolTable& table, const char* name) {
  const ExprNode* root = tree.Root();
  if (!root || root->kind != ExprKind::Assign) return false;
  const ExprNode* target = root->child[0];
  return target && target->symbol != kNoSymbol && std::strcmp(table.At(target->symbol).name, name) == 0;
}

}  // namespace zorva
