#include "codegen/code_gen.h"

#include <cstring>
#include <vector>

#include "codegen/builtin_table.h"
#include "codegen/code_template.h"
#include "lang/messages.h"

namespace zorva {

namespace {

constexpr int32_t kClassOfX = 64;       // cgClass of the variable that lives in ESI
constexpr int32_t kClassOfBuiltin = 1;  // cgClass of every built-in function
constexpr int kGlobalLabels = 25;  // references and definitions, each
constexpr int32_t kFirstSlotByte = 64;  // EDI + 64 + 4 * slot addresses a variable
constexpr uint32_t kRegisterOrder[] = {kRegEax, kRegEcx, kRegEdx, kRegEbx};

struct StrengthReduction {
  ExprKind base;
  int32_t constant;
  ExprKind derived;
};

constexpr StrengthReduction kReductions[] = {
    {ExprKind::Mul, 1, ExprKind::MulBy1},  {ExprKind::Mul, 2, ExprKind::MulBy2},
    {ExprKind::Mul, 3, ExprKind::MulBy3},  {ExprKind::Mul, 4, ExprKind::MulBy4},
    {ExprKind::Mul, 5, ExprKind::MulBy5},  {ExprKind::Mul, 8, ExprKind::MulBy8},
    {ExprKind::Mul, 9, ExprKind::MulBy9},  {ExprKind::Div, 1, ExprKind::DivBy1},
    {ExprKind::Div, 2, ExprKind::DivBy2},  {ExprKind::Div, 4, ExprKind::DivBy4},
    {ExprKind::Div, 8, ExprKind::DivBy8},  {ExprKind::Div, 16, ExprKind::DivBy16},
    {ExprKind::Pow, 2, ExprKind::Square},
};

bool IsCallKind(ExprKind kind) { return Descriptor(kind).base == ExprKind::Call; }

// The inline built-ins and the routine-calling kinds that replace Call.
bool IsBuiltinKind(ExprKind kind) { return static_cast<int32_t>(kind) >= 49; }

bool CallsWithContext(ExprKind kind) {
  const int32_t k = static_cast<int32_t>(kind);
  return k == 58 || k == 59 || k == 65;
}

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

int RegisterNumber(uint32_t mask) { return __builtin_ctz(mask); }
int CountRegisters(uint32_t mask) { return __builtin_popcount(mask & kRegAll); }

uint32_t OperandClass(const ExprNode* child) {
  if (child == nullptr) return kClassAbsent;
  switch (child->kind) {
    case ExprKind::Const: return kClassConst;
    case ExprKind::Var: return kClassMemory;
    case ExprKind::RegVar: return kClassRegister;
    default: return kClassGeneral;
  }
}

const CodeTemplate* FindTemplate(uint32_t key) {
  for (int i = 0; i < codeTemplateCount; ++i) {
    if ((codeTemplates[i].key & 0xFFFF) == (key & 0xFFFF)) return &codeTemplates[i];
  }
  return nullptr;
}

// Templates for two general operands win over the special forms, so those
// serve only kinds without a general template.
const CodeTemplate* SelectTemplate(const ExprNode* node) {
  const int32_t operands = Descriptor(node->kind).operandCount;
  const uint32_t kind = static_cast<uint32_t>(node->kind);
  const uint32_t class0 = operands >= 1 ? OperandClass(node->child[0]) : kClassAbsent;
  const uint32_t class1 = operands >= 2 ? OperandClass(node->child[1]) : kClassAbsent;
  const uint32_t general0 = class0 == kClassAbsent ? class0 : kClassGeneral;
  const uint32_t general1 = class1 == kClassAbsent ? class1 : kClassGeneral;
  const uint32_t keys[] = {TemplateKey(kind, kClassGeneral, kClassGeneral),
                           TemplateKey(kind, class0, class1), TemplateKey(kind, general0, class1),
                           TemplateKey(kind, general0, general1)};
  for (uint32_t key : keys) {
    if (const CodeTemplate* found = FindTemplate(key)) return found;
  }
  return nullptr;
}

// The register that a template writes itself while its operand is held.
uint32_t WrittenWhileHeld(ExprKind kind) {
  if (kind == ExprKind::Pow) return kRegEcx;      // the exponent
  if (kind == ExprKind::Bracket) return kRegEdx;  // the source height
  return 0;
}

struct LocalLabel {
  uint32_t position = 0;
  uint32_t referenceAt = 0;
  int referenceWidth = 0;  // 0: not referenced, 1 or 4 bytes
  int jumpIndex = -1;      // the conditional jump whose form this label decides
};

struct GlobalLabel {
  uint32_t number;
  bool absolute;
  uint32_t position;
};

class CodeGen {
 public:
  CodeGen(const ExprTree& tree, SymbolTable& symbols) : tree(tree), root(tree.Root()), symbols(symbols) {}
  std::unique_ptr<CodeBuffer> Compile();

 private:
  std::unique_ptr<CodeBuffer> Generate();
  static uint32_t RewriteVisit(ExprNode* node, void* self);
  static uint32_t AllocateVisit(ExprNode* node, void* self);
  static uint32_t RestoreVisit(ExprNode* node, void* self);

  void Rewrite(ExprNode* node);
  void ReduceStrength(ExprNode* node);
  void RewriteCall(ExprNode* node);
  void Allocate(ExprNode* node);
  void ChooseHoldRegister(ExprNode* node, const CodeTemplate& selected);
  void AssignSlots();

  void GenerateProgram();
  void GenerateNode(ExprNode* node);
  void Interpret(const uint32_t* words, const CodeTemplate* entry, ExprNode* node,
                 const CodeTemplate* selected);
  void Emit(uint32_t byte);
  void Store(uint32_t at, const void* bytes, uint32_t count);
  void Emit32(uint32_t value);
  void EmitOperand(const ExprNode* node);
  void Move(uint32_t from, uint32_t to);
  void DefineLocal(LocalLabel& label);
  void ReferenceLocal(LocalLabel& label, int width);
  void JumpIfZero(LocalLabel& label);
  void PatchLocals(const LocalLabel* labels);
  void ResolveGlobals();
  void ReportMissingTemplate();

  const ExprTree& tree;
  ExprNode* const root;
  SymbolTable& symbols;
  std::unique_ptr<CodeBuffer> buffer;
  int32_t nextSlot = 0;
  uint32_t pos = 0;
  bool emitting = false;
  GlobalLabel globalRefs[kGlobalLabels] = {};
  GlobalLabel globalDefs[kGlobalLabels] = {};
  int globalRefCount = 0;
  int globalDefCount = 0;
  std::vector<bool> longJumps;  // per conditional jump, in generation order
  size_t jumpCount = 0;
  bool missingTemplate = false;
  bool overrun = false;  // the emit pass reached past the block
};

std::unique_ptr<CodeBuffer> CodeGen::Compile() {
  CountSymbolUses(tree, symbols);
  const int32_t x = symbols.Lookup("x");
  if (x >= 0) symbols.At(x).cgClass = kClassOfX;
  Walk(root, RewriteVisit, this, WalkOrder::PostOrder);
  Walk(root, AllocateVisit, this, WalkOrder::PostOrder);
  std::unique_ptr<CodeBuffer> code = missingTemplate ? nullptr : Generate();
  // Whatever failed, the tree leaves with its parser kinds.
  Walk(root, RestoreVisit, this, WalkOrder::PostOrder);
  return code;
}

// The size pass counts, the emit pass writes into a block of exactly that
// size. The two must agree byte for byte; if they ever did not, the code
// would be wrong, so it is thrown away rather than run.
std::unique_ptr<CodeBuffer> CodeGen::Generate() {
  AssignSlots();
  GenerateProgram();
  buffer = std::make_unique<CodeBuffer>();
  if (!buffer->Allocate(pos)) return nullptr;
  emitting = true;
  GenerateProgram();
  if (overrun || pos - Address(buffer->base) != buffer->size) {
    InternalError(kMsgNoCodeTemplate);
    return nullptr;
  }
  if (!buffer->Seal()) return nullptr;
  return std::move(buffer);
}

uint32_t CodeGen::RewriteVisit(ExprNode* node, void* self) {
  static_cast<CodeGen*>(self)->Rewrite(node);
  return kVisitAllSlots;
}

uint32_t CodeGen::AllocateVisit(ExprNode* node, void* self) {
  static_cast<CodeGen*>(self)->Allocate(node);
  return kVisitAllSlots;
}

uint32_t CodeGen::RestoreVisit(ExprNode* node, void*) {
  node->kind = Descriptor(node->kind).base;
  return kVisitAllSlots;
}

void CodeGen::Rewrite(ExprNode* node) {
  switch (node->kind) {
    case ExprKind::Var:
      if (symbols.At(node->symbol).cgClass == kClassOfX) node->kind = ExprKind::RegVar;
      break;
    case ExprKind::Mul:
    case ExprKind::Div:
    case ExprKind::Pow:
      ReduceStrength(node);
      break;
    case ExprKind::Call:
      RewriteCall(node);
      break;
    default:
      break;
  }
}

void CodeGen::ReduceStrength(ExprNode* node) {
  const ExprNode* right = node->child[1];
  if (right == nullptr || right->kind != ExprKind::Const) return;
  if (node->kind == ExprKind::Mul && right->value == 0) {
    // For good: the statement's text shows the 0 from now on.
    DeleteTree(node->child[0]);
    DeleteTree(node->child[1]);
    node->child[1] = node->child[2] = nullptr;
    node->kind = ExprKind::Const;
    node->value = 0;
    return;
  }
  for (const StrengthReduction& reduction : kReductions) {
    if (reduction.base == node->kind && reduction.constant == right->value) {
      node->kind = reduction.derived;
      return;
    }
  }
}

void CodeGen::RewriteCall(ExprNode* node) {
  const Symbol& function = symbols.At(node->symbol);
  if (function.cgClass != kClassOfBuiltin) return;
  const BuiltinFunc& row = symbols.BuiltinOf(function);
  int32_t count = 0;
  for (ExprNode* link = node->child[0]; link != nullptr; link = link->child[1], ++count) {
    if (!row.argsInRegisters) link->kind = ExprKind::ArgOnly;
    else link->kind = count == 0 ? ExprKind::ArgFirst : ExprKind::ArgSecond;
  }
  if (count == row.maxArgs && row.kindAtMaxArgs != kStaysCall)
    node->kind = static_cast<ExprKind>(row.kindAtMaxArgs);
  else if (count == row.minArgs && row.kindAtMinArgs != kStaysCall)
    node->kind = static_cast<ExprKind>(row.kindAtMinArgs);
}

void CodeGen::Allocate(ExprNode* node) {
  const CodeTemplate* selected = SelectTemplate(node);
  if (selected == nullptr) return ReportMissingTemplate();
  node->cgUseMask |= selected->clobbers;
  if (node->kind == ExprKind::Call) {
    node->cgUseMask |= kRegAll;
  } else if (IsBuiltinKind(node->kind)) {
    for (const ExprNode* link = node->child[0]; link != nullptr; link = link->child[1])
      node->cgUseMask |= link->cgUseMask;
    if (CallsWithContext(node->kind)) node->cgUseMask |= kRegAll;
  } else if (node->kind != ExprKind::Const) {
    for (const ExprNode* child : node->child)
      if (child != nullptr) node->cgUseMask |= child->cgUseMask;
    // Evaluating the register-hungrier operand first leaves more registers
    // free to hold its value.
    if (selected->holdReg != kRegNone && Descriptor(node->kind).commutative &&
        CountRegisters(node->child[1]->cgUseMask) > CountRegisters(node->child[0]->cgUseMask)) {
      std::swap(node->child[0], node->child[1]);
      node->swapped ^= 1;
      selected = SelectTemplate(node);
    }
  }
  if (selected->holdReg != kRegNone) ChooseHoldRegister(node, *selected);
}

void CodeGen::ChooseHoldRegister(ExprNode* node, const CodeTemplate& selected) {
  const ExprNode* evaluatedMeanwhile = node->kind == ExprKind::Sub ? node->child[0] : node->child[1];
  uint32_t result = selected.holdReg;
  if (evaluatedMeanwhile != nullptr && (evaluatedMeanwhile->cgUseMask & selected.holdReg)) {
    const uint32_t busy = evaluatedMeanwhile->cgUseMask | WrittenWhileHeld(node->kind);
    result = kRegStack;
    for (uint32_t reg : kRegisterOrder) {
      if (!(busy & reg)) {
        result = reg;
        break;
      }
    }
  }
  node->cgResult = result;
  node->cgUseMask |= result;
}

// Unused variables get no slot, so a stale number cannot alias a slot that
// now belongs to another variable.
void CodeGen::AssignSlots() {
  for (int32_t i = 0; i < symbols.Count(); ++i) {
    Symbol& symbol = symbols.At(i);
    if (symbol.kind != SymbolKind::Variable) continue;
    symbol.slot = symbol.useCount > 0 ? nextSlot++ : -1;
  }
}

void CodeGen::GenerateProgram() {
  pos = emitting ? Address(buffer->base) : 0;
  globalRefCount = globalDefCount = 0;
  jumpCount = 0;
  Interpret(frameTemplates[0], nullptr, nullptr, nullptr);
  Interpret(frameTemplates[9], nullptr, nullptr, nullptr);
  for (int k = 0; k < 4; ++k) {
    Interpret(frameTemplates[3 + k], nullptr, nullptr, nullptr);
    GenerateNode(root);
  }
  for (int number : {7, 8, 10, 1}) Interpret(frameTemplates[number], nullptr, nullptr, nullptr);
  if (emitting) ResolveGlobals();
}

void CodeGen::GenerateNode(ExprNode* node) {
  if (node == nullptr) return;
  const CodeTemplate* selected = SelectTemplate(node);
  if (selected == nullptr) return ReportMissingTemplate();
  Interpret(selected->words, selected, node, selected);
}

// Local labels live for one template application, continuation included.
void CodeGen::Interpret(const uint32_t* words, const CodeTemplate* entry, ExprNode* node,
                        const CodeTemplate* selected) {
  LocalLabel labels[kLocalLabelCount];
  for (;;) {
    const uint32_t word = *words++ & 0xFFFF;
    const uint32_t low = word & 0xFF;
    if (word == word::kEnd) break;
    if (word == word::kContinued) {
      words = (++entry)->words;
      continue;
    }
    switch (word >> 8) {
      case 0x00: case 0x40: case 0x80: Emit(low); break;
      case 0x20: break;
      case 0x01: while (pos % low != 0) Emit(0x90); break;
      case 0x02: GenerateNode(node->child[low - 1]); break;
      case 0x03:
        if (low == 3) Emit(*words++ & 0xFF);
        else if (low == 4) Emit32(*words++);
        else EmitOperand(low == 0 ? node : node->child[low - 1]);
        break;
      case 0x04: DefineLocal(labels[low]); break;
      case 0x05: ReferenceLocal(labels[low], 1); break;
      case 0x09: ReferenceLocal(labels[low], 4); break;
      case 0x0A: JumpIfZero(labels[low]); break;
      case 0x06:
        if (globalDefCount < kGlobalLabels)
          globalDefs[globalDefCount++] = {low & 0x7F, (low & 0x80) != 0, pos};
        break;
      case 0x07:
        if (globalRefCount < kGlobalLabels)
          globalRefs[globalRefCount++] = {low & 0x7F, (low & 0x80) != 0, pos};
        Emit32(0);
        break;
      case 0x08:
        if (low == 0) Move(kRegEax, node->cgResult);
        else Move(node->cgResult, selected->holdReg);
        break;
      default: Emit(low); break;
    }
  }
  if (emitting) PatchLocals(labels);
}

void CodeGen::Emit(uint32_t byte) {
  const uint8_t low = static_cast<uint8_t>(byte);
  if (emitting) Store(pos, &low, 1);
  ++pos;
}

// Every write of the emit pass goes through here and stays inside the block.
void CodeGen::Store(uint32_t at, const void* bytes, uint32_t count) {
  const uint32_t offset = at - Address(buffer->base);
  if (offset > buffer->size || buffer->size - offset < count) {
    overrun = true;
    return;
  }
  std::memcpy(buffer->base + offset, bytes, count);
}

void CodeGen::Emit32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) Emit(value >> shift);
}

void CodeGen::EmitOperand(const ExprNode* node) {
  const ExprKind base = Descriptor(node->kind).base;
  if (base == ExprKind::Const) {
    Emit32(static_cast<uint32_t>(node->value));
  } else if (base == ExprKind::Var) {
    Emit(kFirstSlotByte + 4 * symbols.At(node->symbol).slot);
  } else if (IsCallKind(node->kind)) {
    const BuiltinFunc& row = symbols.BuiltinOf(symbols.At(node->symbol));
    Emit32(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(row.routine)) - (pos + 4));
  }
}

// Moves a value between registers, or to and from the machine stack.
void CodeGen::Move(uint32_t from, uint32_t to) {
  if (from == kRegNone || to == kRegNone || from == to) return;
  if (to == kRegStack) {
    Emit(0x50 + RegisterNumber(from));  // PUSH
  } else if (from == kRegStack) {
    Emit(0x58 + RegisterNumber(to));  // POP
  } else {
    Emit(0x8B);  // MOV to, from
    Emit(0xC0 + 8 * RegisterNumber(to) + RegisterNumber(from));
  }
}

void CodeGen::DefineLocal(LocalLabel& label) {
  label.position = pos;
  // The size pass learns here whether the jump to this label needs its long
  // form; the 4 extra bytes are counted now, the emit pass writes them.
  if (!emitting && label.jumpIndex >= 0 && pos - (label.referenceAt + 1) > 127) {
    longJumps[label.jumpIndex] = true;
    pos += 4;
    label.position = pos;
  }
}

void CodeGen::ReferenceLocal(LocalLabel& label, int width) {
  label.referenceAt = pos;
  label.referenceWidth = width;
  if (width == 1) Emit(0);
  else Emit32(0);
}

void CodeGen::JumpIfZero(LocalLabel& label) {
  const size_t index = jumpCount++;
  if (!emitting) {
    longJumps.push_back(false);
    Emit(0x74);  // JZ rel8
    ReferenceLocal(label, 1);
    label.jumpIndex = static_cast<int>(index);
  } else if (longJumps[index]) {
    Emit(0x0F);  // JZ rel32
    Emit(0x84);
    ReferenceLocal(label, 4);
  } else {
    Emit(0x74);
    ReferenceLocal(label, 1);
  }
}

void CodeGen::PatchLocals(const LocalLabel* labels) {
  for (int i = 0; i < kLocalLabelCount; ++i) {
    const LocalLabel& label = labels[i];
    const uint32_t displacement = label.position - (label.referenceAt + label.referenceWidth);
    if (label.referenceWidth != 0) Store(label.referenceAt, &displacement, label.referenceWidth);
  }
}

void CodeGen::ResolveGlobals() {
  for (int r = 0; r < globalRefCount; ++r) {
    for (int d = 0; d < globalDefCount; ++d) {
      if (globalDefs[d].number != globalRefs[r].number) continue;
      const uint32_t at = globalRefs[r].position;
      const uint32_t value =
          globalRefs[r].absolute ? globalDefs[d].position : globalDefs[d].position - (at + 4);
      Store(at, &value, 4);
    }
  }
}

void CodeGen::ReportMissingTemplate() {
  if (!missingTemplate) InternalError(kMsgNoCodeTemplate);
  missingTemplate = true;
}

}  // namespace

std::unique_ptr<CodeBuffer> Compile(const ExprTree& tree, SymbolTable& symbols) {
  return CodeGen(tree, symbols).Compile();
}

}  // namespace zorva
