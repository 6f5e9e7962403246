// What the page's calls share: the result of the last call, and the live
// session that stands in for the plug-in's application object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio_feed.h"
#include "frame/frame.h"
#include "image/glyx_image.h"
#include "library/glyx_library.h"

namespace zorva::web {

// The buffers that the calls returning texts or bytes hand out.
struct ApiResult {
  std::string text;
  std::vector<uint8_t> bytes;
};

ApiResult& Result();

// Sets the result's text and returns it for the caller.
const char* ResultText(std::string text);

// A null pointer from the page (a missing argument) reads as an empty text.
inline const char* TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

constexpr int kPcmSamples = 1152;

// Starts with the built-ins in its library, no expression and no sound.
struct Session {
  Session() { library.LoadFrom(sys::ProfileSection()); }

  std::unique_ptr<GlyxImage> current;
  GlyxLibrary library;
  int32_t pixelStep = 1;
  int32_t frameCount = 0;
  AudioFeed feed;
  // Each frame takes its sound from `feed` at frameCount, unless the page
  // handed samples since, which `sound` then holds.
  bool soundFromPcm = false;
  SoundRows sound;
  float pcm[2 * kPcmSamples] = {};
  Frame frame;
  std::vector<uint8_t> rgba;
};

Session& TheSession();

}  // namespace zorva::web
