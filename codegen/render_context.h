#pragma once

#include <cstddef>
#include <cstdint>

namespace zorva {

// The seven fields of the image that [a,b] reads, copied word for word: the
// context only reads them and never frees what they refer to.
struct SourceImage {
  std::uint32_t memoryHandle;
  const std::uint8_t* bits;
  const void* header;
  const void* palette;
  std::int32_t width;
  std::int32_t height;
  std::int32_t stride;
};

constexpr int kVariableSlots = 16;  // an 8-bit displacement reaches slots 0..15

// The block of 32-bit words that a row routine reads through EDI. Generated
// code addresses the fields by their word number, so the layout is fixed.
struct RenderContext {
  std::int32_t step;         // word 0: distance between evaluated points
  std::int32_t width;        // word 1
  std::int32_t height;       // word 2
  std::int32_t centerX;      // word 3: read by theta and rad
  std::int32_t centerY;      // word 4
  std::uint8_t* out;         // word 5: advanced by 4 per group of four pixels
  std::uint32_t unused;      // word 6: no image is described here
  std::int32_t stride;       // word 7: bytes per destination row
  std::int32_t channel;      // word 8: colour component of a palette pass
  SourceImage source;        // words 9..15
  std::int32_t slots[kVariableSlots];  // word 16 + s: variable slot s
};

static_assert(sizeof(void*) == 4, "generated code is 32-bit");
static_assert(offsetof(RenderContext, out) == 5 * 4, "word 5");
static_assert(offsetof(RenderContext, stride) == 7 * 4, "word 7");
static_assert(offsetof(RenderContext, source) == 9 * 4, "word 9");
static_assert(offsetof(RenderContext, source) + offsetof(SourceImage, bits) == 10 * 4, "word 10");
static_assert(offsetof(RenderContext, source) + offsetof(SourceImage, width) == 13 * 4, "word 13");
static_assert(offsetof(RenderContext, source) + offsetof(SourceImage, stride) == 15 * 4, "word 15");
static_assert(offsetof(RenderContext, slots) == 16 * 4, "word 16");

}  // namespace zorva
