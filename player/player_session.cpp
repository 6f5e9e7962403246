#include "player/player_session.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

#include "player/player_log.h"
#include "player/player_window.h"
#include "player/process_resources.h"
#include "player/screenshot.h"
#include "sys/clipboard.h"

void PlayerSession::Run() {
  startTicks = GetTickCount();
  firstTimedEvent = std::partition_point(events.begin(), events.end(), [](const ScriptEvent& event) {
                      return event.milliseconds < 0;
                    }) - events.begin();
  nextTimedEvent = firstTimedEvent;
  if (options.renderThread) {
    RunWithRenderThread();
    return;
  }
  while (PumpMessages()) {
    RunDueEvents();
    if (Finished()) break;
    RenderFrame();
    if (options.frames < 0) WaitForNextFrame();
  }
}

bool PlayerSession::Finished() const { return quitRequested || (options.frames >= 0 && frame >= options.frames); }

// As hosts that render on their audio thread do: the frames come from a
// second thread, while this one runs the windows' messages and the script.
void PlayerSession::RunWithRenderThread() {
  std::atomic<bool> stop{false};
  std::thread renderer([&] {
    while (!stop && !Finished()) {
      RenderFrame();
      if (options.frames < 0) Sleep(module->delayMs > 0 ? static_cast<DWORD>(module->delayMs) : 1);
    }
  });
  while (PumpMessages()) {
    RunDueEvents();
    if (Finished()) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  stop = true;
  renderer.join();
}

// False once the thread's quit message arrives: the plug-in's window closed.
bool PlayerSession::PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    // No TranslateMessage, as in the real player: a plug-in's edit box that
    // translates its own key-downs would get every character twice.
    DispatchMessageA(&message);
  }
  return true;
}

static_assert(sizeof(SoundRows::waveform) == sizeof(winampVisModule::waveformData));
static_assert(sizeof(SoundRows::spectrum) == sizeof(winampVisModule::spectrumData));

// What a player writes into the module record before every Render.
static void PutSound(const SoundRows& rows, winampVisModule* module) {
  module->nCh = rows.channels;
  std::memcpy(module->waveformData, rows.waveform, sizeof rows.waveform);
  std::memcpy(module->spectrumData, rows.spectrum, sizeof rows.spectrum);
}

// With --frames the sound advances one frame's time per frame; in real time
// it follows the clock.
void PlayerSession::RenderFrame() {
  const int soundFrame =
      options.frames >= 0 ? frame.load() : static_cast<int>(static_cast<long long>(ElapsedMilliseconds()) * options.fps / 1000);
  SoundRows rows;
  feed.Fill(soundFrame, options.fps, rows);
  PutSound(rows, module);
  const bool timed = options.bench && ScriptDone();
  LARGE_INTEGER start, end, frequency;
  QueryPerformanceCounter(&start);
  module->Render(module);
  QueryPerformanceCounter(&end);
  QueryPerformanceFrequency(&frequency);
  if (timed) renderMilliseconds.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  frame++;
}

std::string PlayerSession::BenchLine() const {
  std::vector<double> sorted = renderMilliseconds;
  std::sort(sorted.begin(), sorted.end());
  const size_t n = sorted.size();
  const double median = n == 0 ? 0 : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  char line[64];
  std::snprintf(line, sizeof line, "bench frames=%u render_ms=%.3f", static_cast<unsigned>(n), median);
  return line;
}

void PlayerSession::WaitForNextFrame() {
  const DWORD delay = module->delayMs > 0 ? static_cast<DWORD>(module->delayMs) : 1;
  MsgWaitForMultipleObjects(0, nullptr, FALSE, delay, QS_ALLINPUT);
}

// Real time, or with --frames the time of the sound played so far.
int PlayerSession::ElapsedMilliseconds() const {
  if (options.frames >= 0) return static_cast<int>(static_cast<long long>(frame) * 1000 / options.fps);
  return static_cast<int>(GetTickCount() - startTicks);
}

bool PlayerSession::ScriptDone() const { return nextEvent >= firstTimedEvent && nextTimedEvent >= events.size(); }

void PlayerSession::RunDueEvents() {
  while (nextEvent < firstTimedEvent && events[nextEvent].frame <= frame && !quitRequested) {
    RunEvent(events[nextEvent++]);
  }
  while (nextTimedEvent < events.size() && events[nextTimedEvent].milliseconds <= ElapsedMilliseconds() &&
         !quitRequested) {
    RunEvent(events[nextTimedEvent++]);
  }
}

// "script frame 10: no plug-in window": an event that found nothing to act on.
static void LogMissing(const ScriptEvent& event, const std::string& what) {
  const std::string when = event.milliseconds >= 0 ? "time " + std::to_string(event.milliseconds) + "ms"
                                                    : "frame " + std::to_string(event.frame);
  playerLog.Line("script " + when + ": " + what);
}

// The modifier keys held, as VkKeyScan tells them.
constexpr BYTE kShiftHeld = 1;
constexpr BYTE kCtrlHeld = 2;
constexpr BYTE kAltHeld = 4;

// Sent, not posted, so that the key state the window reads while its handler
// runs (GetKeyState, and the translation of a key-down into characters) has
// exactly the modifiers given; the state is put back afterwards.
static void SendKeyMessages(HWND window, BYTE key, BYTE modifiers, bool down, bool up) {
  BYTE saved[256];
  GetKeyboardState(saved);
  BYTE keys[256];
  std::memcpy(keys, saved, sizeof keys);
  keys[VK_SHIFT] = (modifiers & kShiftHeld) ? 0x80 : 0;
  keys[VK_CONTROL] = (modifiers & kCtrlHeld) ? 0x80 : 0;
  keys[VK_MENU] = (modifiers & kAltHeld) ? 0x80 : 0;
  SetKeyboardState(keys);
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  if (down) SendMessageA(window, WM_KEYDOWN, key, scanCode | 1);
  if (up) SendMessageA(window, WM_KEYUP, key, scanCode | static_cast<LPARAM>(0xC0000001u));
  SetKeyboardState(saved);
}

void PlayerSession::RunEvent(const ScriptEvent& event) {
  const HWND window = FindPluginWindow(playerWindow);
  const bool needsWindow = event.action == ScriptAction::Key || event.action == ScriptAction::KeyDown ||
                           event.action == ScriptAction::KeyUp || event.action == ScriptAction::Click ||
                           event.action == ScriptAction::Screenshot;
  if (needsWindow && window == nullptr) return LogMissing(event, "no plug-in window");
  switch (event.action) {
    case ScriptAction::Key:
    case ScriptAction::KeyDown:
    case ScriptAction::KeyUp: SendKey(window, event); break;
    case ScriptAction::Click: SendClick(window, event); break;
    case ScriptAction::Clipboard: PutOnClipboard(event.text); break;
    case ScriptAction::Screenshot:
      playerLog.Line("screenshot " + Quoted(event.text) + (SaveClientAreaBmp(window, event.text) ? " saved" : " failed"));
      break;
    case ScriptAction::Config:
      watch.ExpectConfigDialog(event);
      module->Config(module);
      watch.StopExpectingConfigDialog();
      playerLog.Line("config closed");
      break;
    case ScriptAction::Type: TypeText(event); break;
    case ScriptAction::Focus: MoveFocus(event, window); break;
    case ScriptAction::EditText: playerLog.Line(EditTextLine()); break;
    case ScriptAction::Resources: playerLog.Line(ResourceLine()); break;
    case ScriptAction::Quit: quitRequested = true; break;
  }
}

// Each character as the keys that type it, to the window that has the focus
// then, as typing does: a tab or a submitted line may move the focus. Only
// key-downs are sent; the window makes its own characters of them, as
// nothing in this message loop translates keys. The characters it makes are
// handled before the next key.
void PlayerSession::TypeText(const ScriptEvent& event) {
  for (unsigned char character : event.text) {
    const HWND focus = GetFocus();
    if (focus == nullptr) return LogMissing(event, "no focus");
    const SHORT keys = VkKeyScanA(static_cast<char>(character));
    if (keys == -1) return LogMissing(event, "no key types character " + std::to_string(character));
    SendKeyMessages(focus, LOBYTE(keys), HIBYTE(keys), true, true);
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) DispatchMessageA(&message);
  }
}

void PlayerSession::MoveFocus(const ScriptEvent& event, HWND pluginWindow) {
  const bool input = event.target == "input";
  const HWND target = input ? FindInputEditBox() : pluginWindow;
  if (target == nullptr) return LogMissing(event, input ? "no input window" : "no plug-in window");
  SetFocus(target);
}

// The input window's whole text, "edit none" without one.
std::string PlayerSession::EditTextLine() const {
  const HWND editBox = FindInputEditBox();
  if (editBox == nullptr) return "edit none";
  std::string text(static_cast<size_t>(SendMessageA(editBox, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  const LRESULT length = SendMessageA(editBox, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return "edit " + Quoted(text);
}

void PlayerSession::SendKey(HWND window, const ScriptEvent& event) {
  SendKeyMessages(window, static_cast<BYTE>(event.key), event.ctrl ? kCtrlHeld : 0,
                  event.action != ScriptAction::KeyUp, event.action != ScriptAction::KeyDown);
}

void PlayerSession::SendClick(HWND window, const ScriptEvent& event) {
  RECT client;
  GetClientRect(window, &client);
  const int x = event.x >= 0 ? event.x : client.right / 2;
  const int y = event.y >= 0 ? event.y : client.bottom / 2;
  const LPARAM where = MAKELPARAM(x, y);
  if (event.button == "right") {
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, where);
    SendMessageA(window, WM_RBUTTONUP, 0, where);
    return;
  }
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageA(window, WM_LBUTTONUP, 0, where);
  if (event.button == "double") {
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    SendMessageA(window, WM_LBUTTONUP, 0, where);
  }
}

void PlayerSession::PutOnClipboard(const std::string& text) {
  if (!zorva::sys::WriteClipboardText(playerWindow, text)) playerLog.Line("clipboard could not be written");
}

std::string PlayerSession::ClipboardText() const {
  std::string text;
  return zorva::sys::ReadClipboardText(playerWindow, &text) ? Quoted(text) : "none";
}
