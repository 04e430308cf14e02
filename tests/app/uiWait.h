#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Helpers for driving real windows from a test: polling with a generous
// deadline, and reading and setting controls through messages.
namespace uiWait
{
constexpr DWORD deadlineMs = 20000;

// Polls until condition holds; false when the deadline passed first.
bool until(const std::function<bool()>& condition, DWORD timeoutMs = deadlineMs);

std::wstring windowText(HWND window);
std::wstring itemText(HWND dialog, int id);
void setItemText(HWND dialog, int id, const std::wstring& text);
LRESULT checkState(HWND dialog, int id);
bool isItemEnabled(HWND dialog, int id);
// A click as the button reports it, BN_CLICKED to its dialog; returns when
// the handler has run. (A simulated mouse click may fail while the dialog
// is not active.)
void click(HWND dialog, int id);
// A click on a check box: the check goes over to the other state, as a
// click on an automatic check box does, then the click is reported.
void toggle(HWND dialog, int id);
// A click whose handler opens a modal window: posted, so the test goes on.
void clickPosted(HWND dialog, int id);

// The first visible top-level window of the thread whose class is
// className and, when given, whose caption is caption; null when none.
HWND findThreadWindow(DWORD threadId, const wchar_t* className, const wchar_t* caption = nullptr,
                      HWND except = nullptr);
// The text of every static control of a window, joined by newlines.
std::wstring staticTexts(HWND window);

// Waits until the window and all its controls have painted; false when
// the deadline passed first.
bool untilPainted(HWND window);

// Saves what the screen shows of window as a 24-bit BMP; false on failure.
bool saveScreenshot(HWND window, const std::wstring& path);
// The build tree's folder for screenshots (made if missing), as a Windows path.
std::wstring screenshotFolder();
} // namespace uiWait
