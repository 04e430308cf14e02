#pragma once

#include <windows.h>

#include <cstddef>

// A dialog's message map: one table per dialog class that routes window
// messages, and WM_COMMAND by notification code and control id, to named
// handlers. A handler returns what the dialog procedure returns: FALSE
// leaves the message to the system's default dialog handling.
template <typename Dialog>
struct dialogMessageEntry
{
    UINT message;
    UINT notifyCode; // WM_COMMAND only
    UINT controlId;  // WM_COMMAND only
    INT_PTR (*handler)(Dialog& dialog, WPARAM wParam, LPARAM lParam);
};

// Handler adaptors, so that the table names plain member functions.
namespace dialogHandlers
{
template <typename Dialog, void (Dialog::*method)()>
INT_PTR command(Dialog& dialog, WPARAM, LPARAM)
{
    (dialog.*method)();
    return TRUE;
}

// Commands whose handler reports a result that nobody looks at.
template <typename Dialog, int (Dialog::*method)()>
INT_PTR commandIgnoringResult(Dialog& dialog, WPARAM, LPARAM)
{
    (void)(dialog.*method)();
    return TRUE;
}

template <typename Dialog, void (Dialog::*method)(UINT_PTR timerId)>
INT_PTR timer(Dialog& dialog, WPARAM wParam, LPARAM)
{
    (dialog.*method)(static_cast<UINT_PTR>(wParam));
    return TRUE;
}

template <typename Dialog, BOOL (Dialog::*method)(UINT commandId, LPARAM lParam)>
INT_PTR sysCommand(Dialog& dialog, WPARAM wParam, LPARAM lParam)
{
    return (dialog.*method)(static_cast<UINT>(wParam), lParam);
}

template <typename Dialog, BOOL (Dialog::*method)()>
INT_PTR paint(Dialog& dialog, WPARAM, LPARAM)
{
    return (dialog.*method)();
}

template <typename Dialog, HICON (Dialog::*method)() const>
INT_PTR queryDragIcon(Dialog& dialog, WPARAM, LPARAM)
{
    // WM_QUERYDRAGICON is one of the messages whose result a dialog
    // procedure returns directly.
    return reinterpret_cast<INT_PTR>((dialog.*method)());
}

// WM_DPICHANGED: the window's new DPI. FALSE, so that the dialog manager
// still rescales the dialog and its controls from the template.
template <typename Dialog, void (Dialog::*method)(UINT dpi)>
INT_PTR dpiChanged(Dialog& dialog, WPARAM wParam, LPARAM)
{
    (dialog.*method)(LOWORD(wParam));
    return FALSE;
}
} // namespace dialogHandlers

// True when every entry names a handler. A map is sized by the compiler
// from its entries, and each map asserts this at compile time, so no
// message can reach an entry without a handler.
template <typename Dialog, std::size_t count>
constexpr bool everyEntryHasHandler(const dialogMessageEntry<Dialog> (&map)[count])
{
    for (const dialogMessageEntry<Dialog>& entry : map)
        if (entry.handler == nullptr)
            return false;
    return true;
}

// True when no two entries route the same message with the same notification
// code and control id: dispatch runs the first, so a second would silently
// never run. Each map asserts this at compile time too.
template <typename Dialog, std::size_t count>
constexpr bool noEntryRepeated(const dialogMessageEntry<Dialog> (&map)[count])
{
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            if (map[i].message == map[j].message && map[i].notifyCode == map[j].notifyCode &&
                map[i].controlId == map[j].controlId)
                return false;
    return true;
}

// Finds the entry for the message and runs it; false when none matches.
template <typename Dialog, std::size_t count>
bool dispatchMessageMap(const dialogMessageEntry<Dialog> (&map)[count], Dialog& dialog, UINT message,
                        WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    for (const dialogMessageEntry<Dialog>& entry : map) {
        if (entry.message != message || entry.handler == nullptr)
            continue;
        if (message == WM_COMMAND &&
            (entry.notifyCode != HIWORD(wParam) || entry.controlId != LOWORD(wParam)))
            continue;
        result = entry.handler(dialog, wParam, lParam);
        return true;
    }
    return false;
}
