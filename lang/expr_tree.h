// A parsed statement's tree, the one tree walker and the questions asked of trees.
#pragma once

#include <cstdint>

#include "lang/expr_node.h"
#include "lang/symbol_table.h"

namespace zorva {

enum class WalkOrder : int32_t { PreOrder = 0, PostOrder = 1 };

// Called with each node; in pre-order its result is the mask of the operand
// slots to visit (bit 0 slot 0, bit 1 slot 1, bit 2 slot 2). In post-order
// the operands are all visited first and the result is ignored.
using WalkCallback = uint32_t (*)(ExprNode* node, void* context);

constexpr uint32_t kVisitAllSlots = 7;

// Calls visit(operand) for each filled operand slot that the node's print
// template names and `mask` selects, in template order.
template <typename Node, typename Visit>
void ForEachOperand(Node* node, uint32_t mask, Visit visit) {
  for (PrintItem item : Descriptor(node->kind).print) {
    if (item == PrintItem::End) break;
    const int slot = SlotOf(item);
    if (slot < 0 || !(mask & (1u << slot)) || !node->child[slot]) continue;
    visit(node->child[slot]);
  }
}

// Visits the operand slots that the node's print template names, in template
// order (a Cond: condition, true value, false value). Ignores `swapped`.
void Walk(ExprNode* root, WalkCallback callback, void* context, WalkOrder order);

// Frees every node below and including root (post-order).
void DeleteTree(ExprNode* root);

// The number of nodes on the longest path from root down to a leaf (0 for no
// tree). Iterative, so it is safe on trees of any depth.
int TreeDepth(const ExprNode* root);

class ExprTree {
 public:
  explicit ExprTree(ExprNode* root) : root(root) {}
  ~ExprTree() { DeleteTree(root); }
  ExprTree(const ExprTree&) = delete;
  ExprTree& operator=(const ExprTree&) = delete;

  ExprNode* Root() const { return root; }

 private:
  ExprNode* root;
};

bool ContainsKind(const ExprTree& tree, ExprKind kind);

// Sets every symbol's useCount to the number of the tree's nodes naming it.
void CountSymbolUses(const ExprTree& tree, SymbolTable& table);

// True when the root is an Assign whose left side names the symbol `name`.
bool AssignsTo(const ExprTree& tree, const SymbolTable& table, const char* name);

}  // namespace zorva
