#include "image/glyx_image.h"

#include "image/hsl.h"

namespace zorva {

namespace {

constexpr int kPaletteEntries = 256;

// What a render pass shares whatever it writes: the frame's variables and
// the source image.
struct FrameVariables {
  int32_t t;
  int32_t T;
  int32_t xm;
  int32_t ym;
  SourceImage source;
};

// Up to three palette passes and the pixel pass, set up for one run.
struct FramePasses {
  RenderContext contexts[4];
  Pass passes[4];
  int count = 0;

  void Add(const Statement& statement, uint8_t* destination, int32_t width, int32_t height, int32_t step,
           int32_t channel, const FrameVariables& frame) {
    RenderContext& context = contexts[count];
    statement.SetupContext(context, {destination, width, height, step, frame.t, frame.T, frame.xm, frame.ym,
                                     channel, frame.source});
    passes[count++] = {&statement, &context};
  }
};

}  // namespace

bool GlyxImage::CreateFromText(const char* text, ErrorRecord& errors) {
  return statements.CreateFromText(text, errors);
}

bool GlyxImage::Resize(int32_t newWidth, int32_t newHeight, int32_t newPixelStep, int32_t newPeriod) {
  image.Free();
  frame = 0;
  period = newPeriod;
  pixelStep = newPixelStep;
  const int32_t columns = (newWidth + pixelStep - 1) / pixelStep;
  const int32_t rows = (newHeight + pixelStep - 1) / pixelStep;
  width = columns * pixelStep;
  height = rows * pixelStep;
  return image.Allocate(columns, rows);
}

// The passes run before the palette is built: the pixel pass reads neither
// the colours nor the channel buffers, so the entries and the random draws
// are those of running each pass in its place; one fault guard serves them all.
bool GlyxImage::Render(int32_t xm, int32_t ym) {
  const FrameVariables variables{frame, period, xm, ym, sourceImage.AsSource()};
  uint8_t channels[3][kPaletteEntries] = {};
  FramePasses passes;
  for (int c = 0; c < 3; ++c) {
    const Statement* statement = statements.palette ? statements.palette.get() : statements.channels[c].get();
    if (statement) passes.Add(*statement, channels[c], kPaletteEntries, 1, 1, c, variables);
  }
  if (statements.pixel && image.bits)
    passes.Add(*statements.pixel, image.bits, width, height, pixelStep, 0, variables);
  // A fault in the generated code only ends its pass.
  lastFrameWhole = RunPasses(passes.passes, passes.count);
  for (int i = 0; i < kPaletteEntries; ++i) {
    if (statements.hslMode) {
      const Rgb rgb = HslToRgb(channels[0][i], channels[1][i], channels[2][i]);
      channels[0][i] = rgb.red;
      channels[1][i] = rgb.green;
      channels[2][i] = rgb.blue;
    }
    image.SetEntry(i, channels[0][i], channels[1][i], channels[2][i]);
  }
  ++frame;
  return true;
}

void GlyxImage::Mutate(int32_t mode) {
  if (statements.palette) {
    statements.palette->Mutate(mode);
  } else {
    for (auto& channel : statements.channels) {
      if (channel) channel->Mutate(mode);
    }
  }
  if (statements.pixel) statements.pixel->Mutate(mode);
}

BoundedText GlyxImage::ExpressionText(char* buffer, size_t capacity, const char* separator) const {
  const std::vector<StatementView> views = statements.InTextOrder();
  return zorva::ExpressionText(views.data(), views.size(), buffer, capacity, separator);
}

}  // namespace zorva
