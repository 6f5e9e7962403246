// The live picture: what the plug-in's application does with its keys, its
// timers and its frames, for the page.
#include <algorithm>
#include <cmath>
#include <new>

#include "codegen/random.h"
#include "codegen/sound_frame.h"
#include "frame/frame.h"
#include "lang/error_record.h"
#include "web/api/api_state.h"
#include "web/api/zorva_api.h"

namespace zorva::web {
namespace {

// Unlike the plug-in, which drops its expression before it builds the next
// one, a text that fails leaves the current picture: the page shows the
// message beside it instead of an empty window.
bool SetText(Session& session, const char* text) {
  std::unique_ptr<GlyxImage> next(new (std::nothrow) GlyxImage);
  ErrorRecord errors;
  if (!next || !next->CreateFromText(text, errors) ||
      !next->Resize(kAreaSize, kAreaSize, session.pixelStep, kPeriod)) {
    const char* message = MessageOf(errors);
    ResultText(message != nullptr ? message : "");
    return false;
  }
  session.current = std::move(next);
  return true;
}

// A text cut short would be another expression, so only a whole one is kept.
bool KeepCurrent(Session& session) {
  if (!session.current) return false;
  char text[1024];
  if (!session.current->ExpressionText(text, sizeof text, "; ").complete) return false;
  if (session.library.Contains(text) != nullptr) return false;
  return session.library.Add(text) != 0;
}

// Up refines the grid down to step 1, Down coarsens it; both restart t. An
// image that cannot be had leaves no expression, as in the plug-in.
void ChangeSize(Session& session, bool up) {
  if (!session.current) return;
  session.pixelStep = up ? std::max(session.pixelStep - 1, 1) : session.pixelStep + 1;
  if (!session.current->Resize(kAreaSize, kAreaSize, session.pixelStep, kPeriod)) session.current.reset();
}

// The frame's sound into the arrays that snd, fft and vol read.
void LoadSound(Session& session) {
  if (!session.soundFromPcm) session.feed.Fill(session.frameCount, kFramesPerSecond, session.sound);
  CopySoundFrame(session.sound.waveform, session.sound.channels, session.sound.spectrum[0]);
}

// The picture as the canvas takes it: four bytes a pixel, rows from the top.
// The session keeps both buffers, so that a frame allocates nothing.
void ColourFrame(const PixelImage& image, Frame* frame, std::vector<uint8_t>* rgba) {
  frame->Take(image);
  rgba->resize(frame->pixels.size() * 4);
  for (size_t i = 0; i < frame->pixels.size(); ++i) {
    const uint8_t* colour = &frame->rgb[3 * frame->pixels[i]];
    uint8_t* out = &(*rgba)[4 * i];
    out[0] = colour[0];
    out[1] = colour[1];
    out[2] = colour[2];
    out[3] = 255;
  }
}

const uint8_t* RenderFrame(Session& session, int xm, int ym) {
  if (!session.current) return nullptr;
  LoadSound(session);
  session.current->Render(xm, ym);
  ++session.frameCount;
  ColourFrame(session.current->image, &session.frame, &session.rgba);
  return session.rgba.data();
}

// Samples as the player's 16-bit clips hold them, made the frame's rows by
// the same code that plays a WAV file to the plug-in.
void SoundFromPcm(Session& session, int channels) {
  AudioFeed pcm;
  pcm.kind = FeedKind::Clip;
  pcm.clip.channels = channels == 1 ? 1 : 2;
  pcm.clip.samples.resize(static_cast<size_t>(kPcmSamples) * pcm.clip.channels);
  for (int i = 0; i < kPcmSamples; ++i) {
    for (int c = 0; c < pcm.clip.channels; ++c) {
      const float sample = std::clamp(session.pcm[c * kPcmSamples + i], -1.0f, 1.0f);
      pcm.clip.samples[static_cast<size_t>(i * pcm.clip.channels + c)] = static_cast<int16_t>(std::lrint(sample * 32767.0f));
    }
  }
  pcm.Fill(0, kFramesPerSecond, session.sound);
  session.soundFromPcm = true;
}

}  // namespace

Session& TheSession() {
  static Session session;
  return session;
}

}  // namespace zorva::web

using zorva::web::TheSession;

extern "C" {

void zorva_seed(unsigned seed) { SeedRandom(seed); }

int zorva_set_text(const char* text) { return zorva::web::SetText(TheSession(), zorva::web::TextOrEmpty(text)); }

const char* zorva_current_text(void) {
  const auto& current = TheSession().current;
  return zorva::web::ResultText(current ? current->ExpressionString("; ") : "");
}

void zorva_mutate_current(void) {
  if (TheSession().current) TheSession().current->Mutate(1);
}

int zorva_reset_to_good_parent(void) {
  zorva::GlyxLibrary& library = TheSession().library;
  if (library.Count() == 0) return 0;
  const uint16_t pick = static_cast<uint16_t>(DrawRandom() % library.Count());
  return zorva::web::SetText(TheSession(), library.At(pick));
}

int zorva_keep_current(void) { return zorva::web::KeepCurrent(TheSession()); }

void zorva_change_size(int up) { zorva::web::ChangeSize(TheSession(), up != 0); }

int zorva_image_width(void) {
  const auto& current = TheSession().current;
  return current ? current->image.width : (zorva::kAreaSize + TheSession().pixelStep - 1) / TheSession().pixelStep;
}

int zorva_image_height(void) { return zorva_image_width(); }

int zorva_sound_builtin(const char* name) {
  AudioFeed feed;
  if (!MakeBuiltinFeed(zorva::web::TextOrEmpty(name), &feed)) return 0;
  TheSession().feed = std::move(feed);
  TheSession().soundFromPcm = false;
  return 1;
}

float* zorva_sound_pcm_buffer(void) { return TheSession().pcm; }

void zorva_sound_from_pcm(int channels) { zorva::web::SoundFromPcm(TheSession(), channels); }

const uint8_t* zorva_render_frame(int xm, int ym) { return zorva::web::RenderFrame(TheSession(), xm, ym); }

int zorva_frame_count(void) { return TheSession().frameCount; }

}
