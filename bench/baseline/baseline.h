// The frame as the plug-in computed it before the work on its speed, kept
// so that every speed-up is a ratio measured in one run: the runtime
// routines copied unchanged into routines.cpp here (the build renames its
// functions Baseline...), and the passes set up and run as they were.
#pragma once

#include <memory>

#include "bench/frame_road.h"
#include "codegen/statement.h"
#include "image/pixel_image.h"
#include "lang/statement_roles.h"

namespace zorva::bench {

// A statement compiled against the baseline routines.
struct BaselineStatement {
  static std::unique_ptr<BaselineStatement> FromText(const char*& position, ErrorRecord& errors);
  static std::unique_ptr<BaselineStatement> FromFixedText(const char* text);
  StatementView View() const { return statement->View(); }

  std::unique_ptr<Statement> statement;
};

// The statements of one expression and the old frame road.
struct BaselineGlyx {
  bool CreateFromText(const char* text) {
    ErrorRecord errors;
    return statements.CreateFromText(text, errors);
  }
  void Render(PixelImage& image, const FrameInputs& in) const;

  GlyxStatements<BaselineStatement> statements;
};

}  // namespace zorva::bench
