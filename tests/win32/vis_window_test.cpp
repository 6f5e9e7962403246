// The main window as the application makes it, driven by sending it the
// messages the system and the player would send.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/vis_app.h"
#include "app/vis_window.h"
#include "codegen/random.h"
#include "sys/clipboard.h"

// Every allocation of this program fails while this is set, so that a test
// can run a command out of memory.
static bool refuseAllocations;

void* operator new(size_t size) {
  void* block = refuseAllocations ? nullptr : HeapAlloc(GetProcessHeap(), 0, size > 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void operator delete(void* block) noexcept { HeapFree(GetProcessHeap(), 0, block); }
void operator delete(void* block, size_t) noexcept { HeapFree(GetProcessHeap(), 0, block); }

namespace {

// Message boxes shown while one of these lives are recorded as
// "caption: text" and answered with OK at once.
class MessageBoxWatch {
 public:
  MessageBoxWatch() : hook(SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId())) {
    boxes.clear();
  }
  ~MessageBoxWatch() { UnhookWindowsHookEx(hook); }

  static std::vector<std::string> boxes;

 private:
  static BOOL CALLBACK CollectText(HWND child, LPARAM lParam) {
    char className[16] = "";
    char text[512] = "";
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    if (std::string(className) == "Static" && text[0] != '\0') *reinterpret_cast<std::string*>(lParam) += text;
    return TRUE;
  }

  static LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG) {
      char caption[64] = "";
      GetWindowTextA(message->hwnd, caption, sizeof caption);
      std::string box = std::string(caption) + ": ";
      EnumChildWindows(message->hwnd, CollectText, reinterpret_cast<LPARAM>(&box));
      boxes.push_back(box);
      PostMessageA(message->hwnd, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HHOOK hook;
};

std::vector<std::string> MessageBoxWatch::boxes;

// The module record as a player gives it, with a new window of that player.
winampVisModule RecordOfANewPlayer() {
  winampVisModule record{};
  record.description = "Zorva";
  record.hwndParent =
      CreateWindowExA(0, "STATIC", "player", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  record.hDllInstance = GetModuleHandleA(nullptr);
  record.nCh = 2;
  return record;
}

// Also takes the quit message that destroying the main window posts, which
// must not end the message loops of later tests.
void DispatchQueuedMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// With Control held or not, as GetKeyState reads it during the message.
void PressKey(WPARAM key, bool ctrl) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageA(visApp.mainWindow, WM_KEYDOWN, key, 1);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

std::string CurrentText() { return visApp.current ? visApp.current->ExpressionString("; ") : "none"; }

// The window shows from the start unless the settings say otherwise.
void HideInputWindow() {
  if (visApp.inputWindow->IsShown()) visApp.ToggleInputWindow();
}

// Kills both automatic timers of the main window, and tells whether both ran:
// whether the last command restarted them.
bool KillBothTimers() {
  const bool restart = KillTimer(visApp.mainWindow, kRestartTimerId) != 0;
  return KillTimer(visApp.mainWindow, kMutateTimerId) != 0 && restart;
}

// Seeds the generator so that the next reset picks the last of `count` entries.
void SeedLandingOnLast(uint16_t count) {
  uint32_t seed = 0;
  while (SeedRandom(seed), DrawRandom() % count != count - 1) seed++;
  SeedRandom(seed);
}

// One main window for the suite: under Wine without a window manager,
// destroying a captioned window waits two seconds for the window manager.
class MainWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    record = RecordOfANewPlayer();
    player = record.hwndParent;
    ASSERT_EQ(visApp.Start(&record), 0);
  }

  static void TearDownTestSuite() {
    visApp.Stop();
    DestroyWindow(player);
    DispatchQueuedMessages();
  }

  void SetUp() override { ASSERT_NE(visApp.mainWindow, nullptr); }

  static HWND player;
  static winampVisModule record;
};

HWND MainWindow::player;
winampVisModule MainWindow::record;

TEST_F(MainWindow, ClassStyleAndOwnerAreTheDocumentedOnes) {
  WNDCLASSA windowClass = {};
  ASSERT_TRUE(GetClassInfoA(record.hDllInstance, "Zorva", &windowClass));
  EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(GetWindowLongA(visApp.mainWindow, GWL_EXSTYLE) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(visApp.mainWindow, GW_OWNER), player);
  char title[32] = "";
  GetWindowTextA(visApp.mainWindow, title, sizeof title);
  EXPECT_STREQ(title, "Zorva");
  // Created without a caption; the size-limit rule gave it one.
  const LONG style = GetWindowLongA(visApp.mainWindow, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX);
}

TEST_F(MainWindow, MovingRecordsTheOuterTopLeftCorner) {
  SetWindowPos(visApp.mainWindow, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(visApp.windowX, 40);
  EXPECT_EQ(visApp.windowY, 30);
  POINT clientOrigin = {0, 0};
  ClientToScreen(visApp.mainWindow, &clientOrigin);
  EXPECT_GT(clientOrigin.y, 30) << "the client area starts below the caption";
}

TEST_F(MainWindow, CtrlCCopiesOneStatementALineAndCtrlVBuildsTheText) {
  ASSERT_TRUE(visApp.SetExpressionFromText("g=y; x+y"));
  ASSERT_TRUE(zorva::sys::WriteClipboardText(visApp.mainWindow, "p=pal(3)\r\nx*y"));
  std::string text;
  PressKey('C', false);
  PressKey('V', false);
  ASSERT_TRUE(zorva::sys::ReadClipboardText(visApp.mainWindow, &text));
  EXPECT_EQ(text, "p=pal(3)\r\nx*y") << "C alone does nothing";
  EXPECT_EQ(CurrentText(), "r=x; g=y; b=x; x+y") << "V alone does nothing";
  PressKey('V', true);
  EXPECT_EQ(CurrentText(), "p=pal(3); x*y");
  ASSERT_NE(visApp.current, nullptr);
  EXPECT_EQ(visApp.current->image.width, 256);
  EXPECT_EQ(visApp.current->frame, 0);
}

// What another program may leave: bytes of any format, without a NUL.
static void PutOnClipboard(HWND owner, UINT format, const std::string& bytes) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  SetClipboardData(format, block);
  CloseClipboard();
}

TEST_F(MainWindow, CtrlVIgnoresAClipboardWithoutTextAndReadsTextWithoutItsNul) {
  ASSERT_TRUE(visApp.SetExpressionFromText("x*y"));
  MessageBoxWatch watch;
  PutOnClipboard(visApp.mainWindow, RegisterClipboardFormatA("Zorva test bytes"), "x+y");
  PressKey('V', true);
  EXPECT_EQ(CurrentText(), "r=x; g=x; b=x; x*y");
  // Windows hands the block over as it is; Wine's clipboard puts a NUL in its
  // last byte: the blank is what either may keep.
  PutOnClipboard(visApp.mainWindow, CF_TEXT, "x-y ");
  PressKey('V', true);
  EXPECT_EQ(CurrentText(), "r=x; g=x; b=x; x-y");
  EXPECT_TRUE(MessageBoxWatch::boxes.empty());
}

// The pixel statements "xm" and "ym" fill the image with the cursor's position
// in the client area; the grey default palette paints index i as (i, i, i).
TEST_F(MainWindow, EachFrameReadsTheCursorAndPaintsTheWindow) {
  POINT origin = {0, 0};
  ClientToScreen(visApp.mainWindow, &origin);
  ASSERT_TRUE(SetCursorPos(origin.x + 37, origin.y + 45));
  for (const auto& [text, value] : {std::pair<const char*, int>{"xm", 37}, {"ym", 45}}) {
    ASSERT_TRUE(visApp.SetExpressionFromText(text));
    EXPECT_EQ(visApp.RenderFrame(), 0);
    EXPECT_EQ(visApp.current->frame, 1);
    EXPECT_EQ(visApp.current->image.bits[0], value) << text;
    const HDC dc = GetDC(visApp.mainWindow);
    EXPECT_EQ(GetPixel(dc, 255, 255), RGB(value, value, value)) << text;
    ReleaseDC(visApp.mainWindow, dc);
  }
}

// The window's size, the double click and the keys passed on to the player
// are checked through the stand-in player (main_window_test.sh).
TEST_F(MainWindow, RightButtonAndDoubleClickResetToALibraryEntryAndRestartTheTimers) {
  for (const UINT message : {WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDBLCLK}) {
    KillBothTimers();
    visApp.current.reset();
    SendMessageA(visApp.mainWindow, message, 0, MAKELPARAM(10, 10));
    EXPECT_NE(visApp.current, nullptr) << message;
    EXPECT_TRUE(KillBothTimers()) << message;
  }
  DispatchQueuedMessages();
}

// The next automatic change comes a full period after what the user did to
// the expression, but not after a shortcut or a change of size.
TEST_F(MainWindow, EnterBackspaceSpaceAndTheLeftButtonRestartTheTimersArrowsAndCtrlKeysDoNot) {
  visApp.autoRestartSeconds = 60;
  visApp.autoMutateSeconds = 10;
  HideInputWindow();
  ASSERT_TRUE(visApp.SetExpressionFromText("x*y"));
  ASSERT_TRUE(zorva::sys::WriteClipboardText(visApp.mainWindow, "x-y"));
  KillBothTimers();
  for (const WPARAM key : std::initializer_list<WPARAM>{VK_UP, VK_DOWN, 'C', 'V', 'F', 'F'}) {
    PressKey(key, key >= 'A');
    EXPECT_FALSE(KillBothTimers()) << "key " << key;
  }
  SetFocus(visApp.mainWindow);
  for (const WPARAM key : {VK_RETURN, VK_BACK, VK_SPACE}) {
    PressKey(key, false);
    EXPECT_TRUE(KillBothTimers()) << "key " << key;
  }
  SendMessageA(visApp.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(KillBothTimers()) << "left button";
}

// A typo must not cost the expression on show, which may be the unsaved
// result of many mutations; the texts and the boxes are checked through the
// player (interaction_test.sh).
TEST_F(MainWindow, APasteOrAnOkThatDoesNotBuildKeepsTheExpressionAndRestartsTheTimers) {
  ASSERT_TRUE(visApp.SetExpressionFromText("x*y"));
  const zorva::GlyxImage* shown = visApp.current.get();
  ASSERT_TRUE(zorva::sys::WriteClipboardText(visApp.mainWindow, "x+"));
  MessageBoxWatch watch;
  KillBothTimers();
  PressKey('V', true);
  EXPECT_TRUE(KillBothTimers()) << "the timers restart after the message box";
  visApp.inputWindow->SetText("x*");
  SendMessageA(visApp.inputWindow->editBox, WM_CHAR, '\n', 0);
  EXPECT_TRUE(KillBothTimers());
  ASSERT_EQ(visApp.current.get(), shown);
  EXPECT_EQ(MessageBoxWatch::boxes.size(), 2u);
  EXPECT_EQ(visApp.RenderFrame(), 0);
  EXPECT_EQ(shown->frame, 1) << "the expression on show renders on";
  SetFocus(visApp.mainWindow);
}

// An application of its own on the suite's main window, so that the text
// that does not build never reaches the library that the suite saves.
TEST_F(MainWindow, AResetReachesTheLastEntryAndOneThatDoesNotBuildKeepsTheExpression) {
  VisApp app;
  app.module = &record;
  app.mainWindow = visApp.mainWindow;
  app.inputWindow = std::make_unique<ExprInputWindow>();
  ASSERT_TRUE(app.inputWindow->Create(record.hDllInstance, visApp.mainWindow, {0, 0, 300, 100}, kSubmitCommandId, TRUE));
  app.inputWindow->Show(true);
  app.library.LoadFrom(zorva::sys::ProfileSection());
  ASSERT_EQ(app.library.Add("x*y+1"), 1);
  SeedLandingOnLast(app.library.Count());
  app.ResetToGoodParent();
  EXPECT_EQ(app.inputWindow->GetText(), "r=x; g=x; b=x; x*y+1");

  ASSERT_EQ(app.library.Add("x+"), 1);
  const zorva::GlyxImage* shown = app.current.get();
  MessageBoxWatch watch;
  KillBothTimers();
  SeedLandingOnLast(app.library.Count());
  app.ResetToGoodParent();
  EXPECT_EQ(app.current.get(), shown);
  EXPECT_EQ(app.inputWindow->GetText(), "r=x; g=x; b=x; x*y+1");
  EXPECT_EQ(MessageBoxWatch::boxes, std::vector<std::string>{"Zorva: x+"});
  EXPECT_TRUE(KillBothTimers());
  visApp.RestartTimers();
}

// A long sum: one mutation all but surely changes some of its nodes.
std::string LongSum() {
  std::string sum = "1";
  for (int i = 2; i <= 120; i++) sum += "+" + std::to_string(i);
  return sum;
}

TEST_F(MainWindow, TimersRunWithAPeriodAndAWindowAndWaitWhileTheUserTypes) {
  visApp.autoRestartSeconds = 0;
  visApp.autoMutateSeconds = 5;
  visApp.RestartTimers();
  EXPECT_EQ(visApp.restartTimerId, 666u);
  EXPECT_EQ(visApp.mutateTimerId, 667u);
  EXPECT_FALSE(KillTimer(visApp.mainWindow, 666)) << "a period of 0 starts no timer";
  EXPECT_TRUE(KillTimer(visApp.mainWindow, 667));
  const HWND window = std::exchange(visApp.mainWindow, nullptr);
  visApp.autoRestartSeconds = 60;
  visApp.RestartTimers();
  visApp.mainWindow = window;
  EXPECT_EQ(visApp.restartTimerId, 666u) << "recorded without a window";
  EXPECT_FALSE(KillTimer(window, 666));

  HideInputWindow();
  visApp.current.reset();
  SendMessageA(window, WM_TIMER, 666, 0);
  ASSERT_NE(visApp.current, nullptr) << "666 resets";
  visApp.ToggleInputWindow();
  ASSERT_TRUE(visApp.inputWindow->HasFocus());
  const std::string typing = CurrentText();
  SendMessageA(window, WM_TIMER, 667, 0);
  SendMessageA(window, WM_TIMER, 666, 0);
  EXPECT_EQ(CurrentText(), typing) << "neither acts while the input window has the focus";
  visApp.ToggleInputWindow();
  SetFocus(window);
}

// Ctrl+Enter in the edit box, and Enter on the button, submit; Tab moves
// between the two; the close box only hides the window.
TEST_F(MainWindow, TheInputWindowSubmitsItsWholeTextAndHidesOnClose) {
  ExprInputWindow& input = *visApp.inputWindow;
  HideInputWindow();
  ASSERT_TRUE(visApp.SetExpressionFromText("x*y"));
  PressKey('F', true);
  ASSERT_TRUE(input.IsShown());
  EXPECT_EQ(GetFocus(), input.editBox);
  const std::string longText = "p=pal(3); " + LongSum();
  input.SetText(longText);
  SendMessageA(input.editBox, WM_CHAR, '\n', 0);
  EXPECT_EQ(CurrentText(), longText) << "the whole text builds, however long";
  SendMessageA(input.editBox, WM_CHAR, '\t', 0);
  EXPECT_EQ(GetFocus(), input.okButton);
  input.SetText("x-y");
  SendMessageA(input.okButton, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(input.okButton, WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_EQ(CurrentText(), "r=x; g=x; b=x; x-y");
  SendMessageA(input.okButton, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), input.editBox);
  SendMessageA(input.toolWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(input.IsShown());
  EXPECT_TRUE(IsWindow(input.toolWindow));
  SetFocus(visApp.mainWindow);
}

// A new expression that gets no memory leaves the one on show; a change in
// place that fails half-way leaves none.
TEST_F(MainWindow, AnAllocationThatFailsInACommandShowsNothingAndLeavesTheWindowRunning) {
  ASSERT_TRUE(visApp.SetExpressionFromText(LongSum().c_str()));
  const zorva::GlyxImage* shown = visApp.current.get();
  ASSERT_TRUE(zorva::sys::WriteClipboardText(visApp.mainWindow, "x+y"));
  MessageBoxWatch watch;
  refuseAllocations = true;
  PressKey('V', true);
  refuseAllocations = false;
  EXPECT_EQ(visApp.current.get(), shown);
  refuseAllocations = true;
  PressKey(VK_SPACE, false);
  refuseAllocations = false;
  EXPECT_EQ(visApp.current, nullptr);
  EXPECT_TRUE(MessageBoxWatch::boxes.empty());
  PressKey(VK_BACK, false);
  EXPECT_NE(visApp.current, nullptr) << "the next command works";
}

TEST_F(MainWindow, StopDestroysTheWindowAndUnregistersTheClass) {
  const HWND window = visApp.mainWindow;
  visApp.Stop();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(visApp.mainWindow, nullptr);
  WNDCLASSA windowClass;
  EXPECT_FALSE(GetClassInfoA(record.hDllInstance, "Zorva", &windowClass));
  DispatchQueuedMessages();
  ASSERT_EQ(visApp.Start(&record), 0) << "a second Start registers the class again";
}

LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    char className[16] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
    if (std::string(className) == "Zorva") return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A class of the name already there, then a window that cannot be made: each
// is reported, and the next Init can make the window.
TEST(MainWindowCreation, AFailureIsReportedAndLeavesNoWindowNorClass) {
  winampVisModule record = RecordOfANewPlayer();
  WNDCLASSA taken = {};
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = record.hDllInstance;
  taken.lpszClassName = "Zorva";
  ASSERT_NE(RegisterClassA(&taken), 0);
  MessageBoxWatch watch;
  EXPECT_EQ(visApp.Start(&record), 1);
  UnregisterClassA("Zorva", record.hDllInstance);
  const HHOOK refuse = SetWindowsHookExA(WH_CBT, RefuseMainWindow, nullptr, GetCurrentThreadId());
  EXPECT_EQ(visApp.Start(&record), 1);
  UnhookWindowsHookEx(refuse);
  EXPECT_EQ(MessageBoxWatch::boxes,
            (std::vector<std::string>{"blah: Error registering window class", "Zorva: Error creating window"}));
  EXPECT_EQ(visApp.mainWindow, nullptr);
  EXPECT_EQ(visApp.Start(&record), 0);
  visApp.Stop();
  DestroyWindow(record.hwndParent);
  DispatchQueuedMessages();
}

}  // namespace
