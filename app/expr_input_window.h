#ifndef ZORVA_APP_EXPR_INPUT_WINDOW_H
#define ZORVA_APP_EXPR_INPUT_WINDOW_H

#include <windows.h>

#include <cstdint>
#include <string>

// The small tool window in which the user reads and types the expression:
// a multi-line edit box that fills it and an "OK" button in its bottom-right
// corner. Submitting (the button, or Ctrl+Enter in the edit box) sends
// WM_COMMAND `commandId` to the owner. The object owns its windows and its
// class: both go with it.
class ExprInputWindow {
 public:
  HINSTANCE instance = nullptr;
  uint32_t commandId = 0;
  HWND toolWindow = nullptr;
  HWND owner = nullptr;
  HWND editBox = nullptr;
  HWND okButton = nullptr;
  WNDPROC editProc = nullptr;
  WNDPROC buttonProc = nullptr;
  BOOL translateKeys = 0;

  ExprInputWindow() = default;
  ExprInputWindow(const ExprInputWindow&) = delete;
  ExprInputWindow& operator=(const ExprInputWindow&) = delete;
  ~ExprInputWindow();

  // The windows, hidden, at `rect` in screen coordinates. False when the
  // tool window cannot be made; the object then shows nothing and its text
  // reads as empty.
  bool Create(HINSTANCE instance, HWND owner, const RECT& rect, uint32_t commandId, BOOL translateKeys);
  void Layout();
  bool IsShown() const;
  // Shows the window without taking the activation, or hides it.
  void Show(bool show);
  void SetText(const std::string& text);
  // The whole text, however long.
  std::string GetText() const;
  bool HasFocus() const;
  void FocusEdit();
  void FocusButton();
  void Submit();
};

constexpr char kInputWindowClass[] = "ZorvaTool";

#endif
