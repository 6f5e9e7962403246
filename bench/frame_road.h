// One frame as the plug-in computes it (three palette passes, the 256
// colours, the pixel pass), with every pass run by an engine of the bench.
#pragma once

#include <cstdint>

#include "codegen/statement.h"
#include "image/hsl.h"
#include "image/pixel_image.h"
#include "lang/statement_roles.h"

namespace zorva::bench {

struct FrameInputs {
  int32_t t;
  int32_t T;
  int32_t xm;
  int32_t ym;
};

constexpr int32_t kFrameSide = 256;  // the plug-in's area
constexpr int32_t kFramePeriod = 256;

// The same steps as GlyxImage::Render, over a 256 x 256 image at step 1;
// runPass(statement, context) renders one pass.
template <typename RunPass>
void RenderFrame(const GlyxStatements<Statement>& statements, PixelImage& image, const FrameInputs& in,
                 RunPass&& runPass) {
  uint8_t channels[3][256] = {};
  for (int c = 0; c < 3; ++c) {
    const Statement* statement = statements.palette ? statements.palette.get() : statements.channels[c].get();
    if (!statement) continue;
    RenderContext context;
    statement->SetupContext(context, {channels[c], 256, 1, 1, in.t, in.T, in.xm, in.ym, c, SourceImage{}});
    runPass(*statement, context);
  }
  for (int i = 0; i < 256; ++i) {
    if (statements.hslMode) {
      const Rgb rgb = HslToRgb(channels[0][i], channels[1][i], channels[2][i]);
      channels[0][i] = rgb.red;
      channels[1][i] = rgb.green;
      channels[2][i] = rgb.blue;
    }
    image.SetEntry(i, channels[0][i], channels[1][i], channels[2][i]);
  }
  RenderContext context;
  statements.pixel->SetupContext(
      context, {image.bits, kFrameSide, kFrameSide, 1, in.t, in.T, in.xm, in.ym, 0, SourceImage{}});
  runPass(*statements.pixel, context);
}

}  // namespace zorva::bench
