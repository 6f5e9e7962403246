// What each statement of an expression text is for, and how a text becomes
// one palette statement or three channel statements plus a pixel statement.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lang/error_record.h"
#include "lang/expr_tree.h"
#include "lang/text_form.h"

namespace zorva {

// Position i names channel slot i % 3; 0 to 2 are RGB, 3 to 5 HSL.
constexpr char kChannelLetters[] = "rgbhsl";

enum class StatementRole { Palette, Channel, Pixel };

struct Classification {
  StatementRole role;
  int letter;  // Channel: the position in kChannelLetters
};

// "p=..." is the palette statement, "r=", "g=", "b=", "h=", "s=", "l=..." a
// channel statement, anything else the pixel statement.
Classification Classify(const ExprTree& tree, const SymbolTable& symbols);

// The statements of one expression. `Statement` provides
//   static std::unique_ptr<Statement> FromText(const char*& position, ErrorRecord&);
//   static std::unique_ptr<Statement> FromFixedText(const char* text);
//   StatementView View() const;
// and is the parsed statement alone, or a parsed and compiled one.
template <typename Statement>
class GlyxStatements {
 public:
  // Builds every statement of `text`. On failure nothing is kept and
  // `errors` holds the text's first message.
  bool CreateFromText(const char* text, ErrorRecord& errors);

  void Clear();

  // The palette statement or the three channel statements, then the pixel
  // statement: the order in which the expression's text lists them.
  std::vector<StatementView> InTextOrder() const;

  std::string Text(const char* separator) const {
    const std::vector<StatementView> views = InTextOrder();
    return ExpressionString(views.data(), views.size(), separator);
  }

  std::unique_ptr<Statement> pixel;
  std::unique_ptr<Statement> palette;
  std::unique_ptr<Statement> channels[3];
  bool hslMode = false;

 private:
  bool Fail() {
    Clear();
    return false;
  }
  bool AddDefaults();
};

template <typename Statement>
bool GlyxStatements<Statement>::CreateFromText(const char* text, ErrorRecord& errors) {
  Clear();
  bool rgbSeen = false;
  bool hslSeen = false;
  for (const char* cursor = text; *cursor;) {
    std::unique_ptr<Statement> statement = Statement::FromText(cursor, errors);
    if (!statement) return Fail();
    const StatementView view = statement->View();
    const Classification what = Classify(*view.tree, *view.symbols);
    // A later statement of the same kind, or of the same channel slot, wins.
    if (what.role == StatementRole::Palette) {
      palette = std::move(statement);
    } else if (what.role == StatementRole::Channel) {
      channels[what.letter % 3] = std::move(statement);
      (what.letter < 3 ? rgbSeen : hslSeen) = true;
    } else {
      pixel = std::move(statement);
    }
  }
  if (rgbSeen && hslSeen) {
    errors.BuildMessage(kMsgMixedColorModels, nullptr);
    return Fail();
  }
  hslMode = hslSeen;
  return AddDefaults() || Fail();
}

// The gaps are filled with "x", and with "p=pal(0)" for a lone source-image
// read "[a,b]", or else "r=x", "g=x", "b=x" (or "h=x", "s=x", "l=x"). These
// texts always parse; they fail only when their code gets no memory, and then
// the expression has no statement to run.
template <typename Statement>
bool GlyxStatements<Statement>::AddDefaults() {
  if (!pixel) pixel = Statement::FromFixedText("x");
  if (!pixel) return false;
  if (palette) return true;
  const bool noChannels = !channels[0] && !channels[1] && !channels[2];
  if (noChannels && ContainsKind(*pixel->View().tree, ExprKind::Bracket)) {
    palette = Statement::FromFixedText("p=pal(0)");
    return palette != nullptr;
  }
  for (int slot = 0; slot < 3; ++slot) {
    if (channels[slot]) continue;
    const char fixed[] = {kChannelLetters[slot + (hslMode ? 3 : 0)], '=', 'x', '\0'};
    channels[slot] = Statement::FromFixedText(fixed);
    if (!channels[slot]) return false;
  }
  return true;
}

template <typename Statement>
void GlyxStatements<Statement>::Clear() {
  pixel.reset();
  palette.reset();
  for (auto& channel : channels) channel.reset();
  hslMode = false;
}

// Channel statements are not written while a palette statement exists.
template <typename Statement>
std::vector<StatementView> GlyxStatements<Statement>::InTextOrder() const {
  std::vector<StatementView> views;
  if (palette) {
    views.push_back(palette->View());
  } else {
    for (const auto& channel : channels) {
      if (channel) views.push_back(channel->View());
    }
  }
  if (pixel) views.push_back(pixel->View());
  return views;
}

}  // namespace zorva
