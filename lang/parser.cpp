#include "lang/parser.h"

#include <initializer_list>

#include "lang/lexer.h"

namespace zorva {
namespace {

class Parser {
 public:
  explicit Parser(const SymbolTable& symbols) : symbols(symbols) {}

  std::unique_ptr<ExprTree> Parse(const char*& position, ErrorRecord& errors);

 private:
  using Level = ExprNode* (Parser::*)();

  ExprNode* Assignment();
  ExprNode* Conditional();
  ExprNode* Comparison();
  ExprNode* Additive();
  ExprNode* Term();
  ExprNode* Power();
  ExprNode* Primary();
  ExprNode* PrimaryForm();
  ExprNode* Call(int32_t symbol);
  ExprNode* Pair(ExprKind kind, TokenKind closing, MessageId missingClose);
  ExprNode* LeftAssociative(std::initializer_list<TokenKind> operators, Level operand);

  ExprNode* Made(ExprNode* node);
  void Advance();
  void LookAhead();
  bool CurrentIs(TokenKind kind) const { return !ended && token.kind == kind; }
  void Expect(TokenKind kind, MessageId missing) {
    if (!CurrentIs(kind)) lexer.Raise(missing);
  }
  void Open(int& depth);
  void FreeAllNodes();

  const SymbolTable& symbols;
  Lexer lexer;
  Token token;
  bool ended = false;  // the last read found the end of the text or a lexical error
  ExprNode* lastNode = nullptr;
  int openPrimaries = 0;
  int openBranches = 0;
};

// Every node of a parse is made here, so that a failed parse can free them
// all through the allocLink chain, half-built subtrees included.
ExprNode* Parser::Made(ExprNode* node) {
  node->allocLink = lastNode;
  lastNode = node;
  return node;
}

void Parser::FreeAllNodes() {
  while (lastNode) {
    ExprNode* previous = lastNode->allocLink;
    delete lastNode;
    lastNode = previous;
  }
}

void Parser::Advance() {
  lexer.NextRequired(token);
  ended = false;
}

// The end of the text is allowed here. The token then stays as it was; the
// `ended` state keeps it from matching any operator.
void Parser::LookAhead() { ended = !lexer.Next(token); }

void Parser::Open(int& depth) {
  if (++depth > kMaxNesting) lexer.Raise(kMsgNestedTooDeeply);
}

std::unique_ptr<ExprTree> Parser::Parse(const char*& position, ErrorRecord& errors) {
  lexer.Init(position, &errors);
  ExprNode* root = nullptr;
  try {
    Advance();
    root = Assignment();
    // A ";" must be followed by another statement.
    if (CurrentIs(TokenKind::Semicolon)) Advance();
  } catch (const ParseAbort&) {
    FreeAllNodes();
    return nullptr;
  }
  if (lexer.Failed()) {
    FreeAllNodes();
    return nullptr;
  }
  if (TreeDepth(root) > kMaxNesting) {
    lexer.RecordError(kMsgNestedTooDeeply);
    FreeAllNodes();
    return nullptr;
  }
  // The next statement begins where the last token's read began, blanks
  // before it included; after the end of the text nothing is left.
  position = ended ? lexer.Position() : lexer.TokenStart();
  return std::make_unique<ExprTree>(root);
}

// At most one "=": "r=g=b" stops before the second one.
ExprNode* Parser::Assignment() {
  ExprNode* target = Conditional();
  if (!CurrentIs(TokenKind::Assign)) return target;
  Advance();
  ExprNode* value = Conditional();
  return Made(new ExprNode(ExprKind::Assign, target, value));
}

// At most one "?"; the false branch is a full assignment, so chains nest to
// the right. Branches recurse without opening a primary, so they count too.
ExprNode* Parser::Conditional() {
  ExprNode* condition = Comparison();
  if (!CurrentIs(TokenKind::Question)) return condition;
  Open(openBranches);
  Advance();
  ExprNode* ifTrue = Assignment();
  Expect(TokenKind::Colon, kMsgColonExpected);
  Advance();
  ExprNode* ifFalse = Assignment();
  --openBranches;
  return Made(new ExprNode(ExprKind::Cond, ifTrue, ifFalse, condition));
}

ExprNode* Parser::Comparison() {
  return LeftAssociative({TokenKind::Less, TokenKind::Greater, TokenKind::EqualEqual, TokenKind::LessEqual,
                          TokenKind::GreaterEqual, TokenKind::LessGreater},
                         &Parser::Additive);
}

ExprNode* Parser::Additive() { return LeftAssociative({TokenKind::Plus, TokenKind::Minus}, &Parser::Term); }

ExprNode* Parser::Term() {
  return LeftAssociative({TokenKind::Star, TokenKind::Slash, TokenKind::Percent}, &Parser::Power);
}

ExprNode* Parser::Power() { return LeftAssociative({TokenKind::Caret}, &Parser::Primary); }

// An operator node's kind has the value of its token's kind.
ExprNode* Parser::LeftAssociative(std::initializer_list<TokenKind> operators, Level operand) {
  ExprNode* tree = (this->*operand)();
  for (;;) {
    bool matched = false;
    for (TokenKind kind : operators) matched = matched || CurrentIs(kind);
    if (!matched) return tree;
    const ExprKind kind = static_cast<ExprKind>(token.kind);
    Advance();
    ExprNode* right = (this->*operand)();
    tree = Made(new ExprNode(kind, tree, right));
  }
}

ExprNode* Parser::Primary() {
  Open(openPrimaries);
  ExprNode* node = PrimaryForm();
  --openPrimaries;
  return node;
}

ExprNode* Parser::PrimaryForm() {
  switch (token.kind) {
    case TokenKind::LParen: {
      Advance();
      ExprNode* inner = Assignment();
      Expect(TokenKind::RParen, kMsgRightParenExpected);
      LookAhead();
      return inner;
    }
    case TokenKind::Minus: {
      // No look-ahead of its own: "-x^2" is "(-x)^2".
      Advance();
      ExprNode* operand = Primary();
      return Made(new ExprNode(ExprKind::Neg, operand));
    }
    case TokenKind::Number: {
      ExprNode* constant = Made(ExprNode::MakeConst(token.number));
      LookAhead();
      return constant;
    }
    case TokenKind::Identifier: {
      const int32_t symbol = symbols.Lookup(token.text);
      if (symbol < 0) lexer.Raise(kMsgUnknownIdentifier, token.text);
      if (symbols.At(symbol).kind == SymbolKind::Function) return Call(symbol);
      ExprNode* variable = Made(ExprNode::MakeSymbol(ExprKind::Var, symbol));
      LookAhead();
      return variable;
    }
    case TokenKind::LBracket: return Pair(ExprKind::Bracket, TokenKind::RBracket, kMsgRightBracketExpected);
    case TokenKind::LBrace: return Pair(ExprKind::Brace, TokenKind::RBrace, kMsgRightBraceExpected);
    default: lexer.Raise(kMsgUnknownThang);
  }
}

// At least one argument is parsed, so "rand()" fails at the ")". The count is
// checked before the closing parenthesis: "sin(1,2" reports message 6.
ExprNode* Parser::Call(int32_t symbol) {
  ExprNode* call = Made(ExprNode::MakeSymbol(ExprKind::Call, symbol));
  Advance();
  Expect(TokenKind::LParen, kMsgLeftParenExpected);
  ExprNode** slot = &call->child[0];
  int32_t count = 0;
  do {
    Advance();
    ExprNode* argument = Assignment();
    ExprNode* link = Made(new ExprNode(ExprKind::ArgLink, argument));
    *slot = link;
    slot = &link->child[1];
    ++count;
  } while (CurrentIs(TokenKind::Comma));
  const Symbol& function = symbols.At(symbol);
  const BuiltinFunc& row = symbols.BuiltinOf(function);
  if (count < row.minArgs || count > row.maxArgs) lexer.Raise(kMsgArgumentCount, function.name);
  Expect(TokenKind::RParen, kMsgRightParenExpected);
  LookAhead();
  return call;
}

// "[a,b]" and "{a,b}".
ExprNode* Parser::Pair(ExprKind kind, TokenKind closing, MessageId missingClose) {
  Advance();
  ExprNode* first = Assignment();
  Expect(TokenKind::Comma, kMsgCommaExpected);
  Advance();
  ExprNode* second = Assignment();
  Expect(closing, missingClose);
  ExprNode* pair = Made(new ExprNode(kind, first, second));
  LookAhead();
  return pair;
}

}  // namespace

std::unique_ptr<ExprTree> ParseStatement(const char*& position, const SymbolTable& symbols, ErrorRecord& errors) {
  return Parser(symbols).Parse(position, errors);
}

}  // namespace zorva
