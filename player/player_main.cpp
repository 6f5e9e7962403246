// zorva-player: a stand-in for the media player, for any plug-in that follows
// the published visualization interface. It loads the plug-in, feeds it sound
// and calls Render once a frame, and can drive it from a script for tests.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "audio/audio_feed.h"
#include "audio/wav_reader.h"
#include "player/dialog_watch.h"
#include "player/player_log.h"
#include "player/player_options.h"
#include "player/player_script.h"
#include "player/player_session.h"
#include "player/player_window.h"
#include "player/plugin_host.h"
#include "player/process_resources.h"

static void Report(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  playerLog.Line(line);
}

static bool Fail(const std::string& message) {
  std::fprintf(stderr, "zorva-player: %s\n", message.c_str());
  playerLog.Line("error " + Quoted(message));
  return false;
}

static bool LoadScript(const std::string& path, std::vector<ScriptEvent>* events) {
  if (path.empty()) return true;
  std::ifstream file(path, std::ios::binary);
  if (!file) return Fail("cannot read script " + path);
  std::stringstream source;
  source << file.rdbuf();
  std::string error;
  return ParseScript(source.str(), events, &error) || Fail(error);
}

static bool LoadFeed(const PlayerOptions& options, AudioFeed* feed) {
  std::string error;
  if (options.wav.empty()) return MakeBuiltinFeed(options.audio, feed);
  feed->kind = FeedKind::Clip;
  return ReadWavFile(options.wav, &feed->clip, &error) || Fail(error);
}

// The fields a player fills before Config or Init.
static void FillPlayerFields(winampVisModule* module, HWND playerWindow, HMODULE library, const AudioFeed& feed) {
  module->hwndParent = playerWindow;
  module->hDllInstance = library;
  module->sRate = feed.kind == FeedKind::Clip ? feed.clip.sampleRate : 44100;
  module->nCh = feed.kind == FeedKind::Clip ? feed.clip.channels : 2;
}

// The script's clipboard texts go there first, so that a test can tell what
// Config put on the clipboard.
static int RunConfig(PlayerSession& session) {
  for (const ScriptEvent& event : session.events) {
    if (event.action == ScriptAction::Clipboard) session.PutOnClipboard(event.text);
  }
  for (const ScriptEvent& event : session.events) {
    if (event.action == ScriptAction::Config) {
      session.watch.ExpectConfigDialog(event);
      break;
    }
  }
  session.module->Config(session.module);
  session.watch.StopExpectingConfigDialog();
  Report("config closed");
  playerLog.Line("clipboard " + session.ClipboardText());
  return 0;
}

// The primary screen as the plug-in sees it, for tests of a maximised window.
static std::string ScreenLine() {
  return "screen " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
         std::to_string(GetSystemMetrics(SM_CYSCREEN));
}

static int RunVisualization(PlayerSession& session) {
  playerLog.Line(ScreenLine());
  const int initResult = session.module->Init(session.module);
  Report("init " + std::to_string(initResult));
  if (initResult != 0) return 1;
  playerLog.Line(ResourceLine());
  session.Run();
  Report("frames " + std::to_string(session.frame));
  if (session.options.bench) Report(session.BenchLine());
  playerLog.Line(ResourceLine());
  playerLog.Line("clipboard " + session.ClipboardText());
  session.module->Quit(session.module);
  Report("quit");
  playerLog.Line("clipboard-after-quit " + session.ClipboardText());
  return 0;
}

int main(int argc, char** argv) {
  PlayerOptions options;
  std::string error;
  if (!ParsePlayerOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "zorva-player: %s\n%s", error.c_str(), kPlayerUsage);
    return 2;
  }
  if (!options.log.empty() && !playerLog.Open(options.log)) {
    Fail("cannot write log " + options.log);
    return 2;
  }
  AudioFeed feed;
  std::vector<ScriptEvent> events;
  if (!LoadScript(options.script, &events) || !LoadFeed(options, &feed)) return 2;

  // As the real player does: a plug-in's dialog may hold trackbars.
  const INITCOMMONCONTROLSEX commonControls = {sizeof commonControls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&commonControls);

  const HWND playerWindow = CreatePlayerWindow(GetModuleHandleA(nullptr));
  if (playerWindow == nullptr) return Fail("cannot create the player's window"), 1;
  ShowWindow(playerWindow, SW_SHOWNOACTIVATE);

  DialogWatch watch;
  PluginHost plugin;
  const std::string path = options.plugin.empty() ? DefaultPluginPath() : options.plugin;
  if (!plugin.Load(path, options.module, &error)) return Fail(error), 1;
  Report(DescribeHeader(*plugin.header));
  Report(DescribeModule(options.module, *plugin.module));
  FillPlayerFields(plugin.module, playerWindow, plugin.library, feed);

  PlayerSession session{options, plugin.module, playerWindow, feed, watch, events};
  const int result = options.config ? RunConfig(session) : RunVisualization(session);
  DestroyWindow(playerWindow);
  return result;
}
