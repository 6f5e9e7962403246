#include "app/expr_input_window.h"

#include "app/exception_wall.h"
#include "sys/gdi_handles.h"

namespace {

constexpr UINT kToolClassStyle = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;  // 0x1003
constexpr WPARAM kButtonClicked = 1;  // the button's id, with the notification BN_CLICKED (0)
constexpr int kObjectSlot = 0;        // the tool window's 4 extra bytes

ExprInputWindow* InputWindowOf(HWND toolWindow) {
  return reinterpret_cast<ExprInputWindow*>(GetWindowLongPtrA(toolWindow, kObjectSlot));
}

LRESULT OnNcCreate(HWND window, WPARAM wParam, LPARAM lParam) {
  const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  SetWindowLongPtrA(window, kObjectSlot, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  return DefWindowProcA(window, WM_NCCREATE, wParam, lParam);
}

// The close box hides the window: it lives as long as the main window.
LRESULT HandleToolMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ExprInputWindow* input = InputWindowOf(window);
  switch (message) {
    case WM_NCCREATE: return OnNcCreate(window, wParam, lParam);
    case WM_SIZE:
      if (input != nullptr) input->Layout();
      break;
    case WM_COMMAND:
      if (wParam == kButtonClicked && input != nullptr) input->Submit();
      break;
    case WM_SYSCOMMAND:
      if (wParam == SC_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The host's message loop does not translate keys, so the edit box makes
// its own characters.
void TranslateKey(HWND edit, WPARAM wParam, LPARAM lParam) {
  const MSG key = {edit, WM_KEYDOWN, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  TranslateMessage(&key);
}

// Ctrl+Enter arrives as a line feed: it submits instead of breaking the line.
LRESULT HandleEditMessage(ExprInputWindow& input, HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && input.translateKeys) TranslateKey(edit, wParam, lParam);
  if (message == WM_CHAR && wParam == '\n') {
    input.Submit();
    return 0;
  }
  if (message == WM_CHAR && wParam == '\t') {
    input.FocusButton();
    return 0;
  }
  return CallWindowProcA(input.editProc, edit, message, wParam, lParam);
}

// Enter presses the button as Space does.
LRESULT HandleButtonMessage(ExprInputWindow& input, HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_TAB) {
    input.FocusEdit();
    return 0;
  }
  if ((message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_RETURN) wParam = VK_SPACE;
  return CallWindowProcA(input.buttonProc, button, message, wParam, lParam);
}

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CatchAtEdge([&] { return HandleToolMessage(window, message, wParam, lParam); }, LRESULT{0});
}

using ChildHandler = LRESULT (*)(ExprInputWindow&, HWND, UINT, WPARAM, LPARAM);

// The edit box and the button find the object through their parent.
LRESULT HandleChildMessage(ChildHandler handle, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  return CatchAtEdge([&] {
    ExprInputWindow* input = InputWindowOf(GetParent(child));
    return input != nullptr ? handle(*input, child, message, wParam, lParam)
                            : DefWindowProcA(child, message, wParam, lParam);
  }, LRESULT{0});
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return HandleChildMessage(HandleEditMessage, edit, message, wParam, lParam);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  return HandleChildMessage(HandleButtonMessage, button, message, wParam, lParam);
}

// A registration that fails because the class exists is harmless.
void RegisterToolClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = kToolClassStyle;
  windowClass.lpfnWndProc = ToolWindowProc;
  windowClass.cbWndExtra = sizeof(ExprInputWindow*);
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kInputWindowClass;
  RegisterClassA(&windowClass);
}

HWND CreateChild(const char* className, const char* text, DWORD style, HWND parent, UINT id, HINSTANCE instance) {
  return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
}

WNDPROC Subclass(HWND window, WNDPROC replacement) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement)));
}

SIZE TextSize(HWND window, const char* text, int length) {
  SIZE size = {};
  WindowDc windowDc(window);
  if (windowDc.dc != nullptr) GetTextExtentPoint32A(windowDc.dc, text, length, &size);
  return size;
}

}  // namespace

ExprInputWindow::~ExprInputWindow() {
  if (toolWindow != nullptr) DestroyWindow(toolWindow);
  if (instance != nullptr) UnregisterClassA(kInputWindowClass, instance);
}

bool ExprInputWindow::Create(HINSTANCE instance, HWND owner, const RECT& rect, uint32_t commandId,
                             BOOL translateKeys) {
  this->translateKeys = translateKeys;
  RegisterToolClass(instance);
  this->instance = instance;
  toolWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kInputWindowClass, "Zorva Glyx Expression",
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, instance, this);
  if (toolWindow == nullptr) return false;
  editBox = CreateChild("EDIT", "", ES_MULTILINE | ES_AUTOVSCROLL, toolWindow, commandId, instance);
  editProc = Subclass(editBox, EditProc);
  okButton = CreateChild("BUTTON", "OK", BS_PUSHBUTTON, toolWindow, 1, instance);
  buttonProc = Subclass(okButton, ButtonProc);
  this->commandId = commandId;
  this->owner = owner;
  Layout();
  return true;
}

// The button sits over the edit box's bottom-right corner, in front of it.
void ExprInputWindow::Layout() {
  if (editBox == nullptr || okButton == nullptr) return;  // still being created
  RECT client;
  GetClientRect(toolWindow, &client);
  SendMessageA(editBox, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&client));
  const SIZE ok = TextSize(okButton, "OK", 2);
  const int width = ok.cx + 10;
  const int height = ok.cy + 4;
  SetWindowPos(okButton, nullptr, client.right - width, client.bottom - height, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(editBox, okButton, 0, 0, client.right, client.bottom, SWP_NOACTIVATE);
}

bool ExprInputWindow::IsShown() const { return toolWindow != nullptr && IsWindowVisible(toolWindow); }

void ExprInputWindow::Show(bool show) {
  if (toolWindow != nullptr) ShowWindow(toolWindow, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void ExprInputWindow::SetText(const std::string& text) {
  if (editBox != nullptr) SetWindowTextA(editBox, text.c_str());
}

std::string ExprInputWindow::GetText() const {
  if (editBox == nullptr) return "";
  std::string text(static_cast<size_t>(GetWindowTextLengthA(editBox)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(editBox, &text[0], static_cast<int>(text.size()))));
  return text;
}

bool ExprInputWindow::HasFocus() const {
  const HWND focus = GetFocus();
  return focus != nullptr && (focus == editBox || focus == okButton);
}

void ExprInputWindow::FocusEdit() {
  if (editBox != nullptr) SetFocus(editBox);
}

void ExprInputWindow::FocusButton() {
  if (okButton != nullptr) SetFocus(okButton);
}

void ExprInputWindow::Submit() { SendMessageA(owner, WM_COMMAND, commandId, 0); }
