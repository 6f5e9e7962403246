#ifndef ZORVA_PLAYER_PLAYER_SESSION_H
#define ZORVA_PLAYER_PLAYER_SESSION_H

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "audio/audio_feed.h"
#include "host/vis_module.h"
#include "player/dialog_watch.h"
#include "player/player_options.h"
#include "player/player_script.h"

// One run of a plug-in between Init and Quit: the message loop, the frames
// and the script's events.
struct PlayerSession {
  const PlayerOptions& options;
  winampVisModule* module;
  HWND playerWindow;
  const AudioFeed& feed;
  DialogWatch& watch;
  std::vector<ScriptEvent> events;  // those at frames, then the timed ones
  size_t nextEvent = 0;
  size_t firstTimedEvent = 0;
  size_t nextTimedEvent = 0;
  DWORD startTicks = 0;
  std::atomic<int> frame{0};  // with --render-thread, counted on the render thread
  std::atomic<bool> quitRequested{false};
  std::vector<double> renderMilliseconds{};  // with --bench: each Render after the script's last event

  // Until --frames are rendered, the script quits or the plug-in's window
  // closes.
  void Run();
  void PutOnClipboard(const std::string& text);
  // The clipboard's text, quoted for the log, or "none".
  std::string ClipboardText() const;
  // "bench frames=N render_ms=M": how many Renders were timed and their median.
  std::string BenchLine() const;

 private:
  bool PumpMessages();
  bool Finished() const;
  void RunWithRenderThread();
  void RenderFrame();
  int ElapsedMilliseconds() const;
  bool ScriptDone() const;
  void WaitForNextFrame();
  void RunDueEvents();
  void RunEvent(const ScriptEvent& event);
  void SendKey(HWND window, const ScriptEvent& event);
  void SendClick(HWND window, const ScriptEvent& event);

  void TypeText(const ScriptEvent& event);
  void MoveFocus(const ScriptEvent& event, HWND pluginWindow);
  std::string EditTextLine() const;
};

#endif
