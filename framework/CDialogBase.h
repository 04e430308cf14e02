#pragma once

#include "support/CWideString.h"

#include <windows.h>

// A modal dialog on a resource template of the program's module. The
// dialog procedure finds the object through DWLP_USER and hands every
// message to dispatchMessage (the derived class's message map); OK and
// Cancel reach onOK and onCancel.
class CDialogBase
{
public:
    CDialogBase(UINT templateId, HWND owner) noexcept;
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;
    virtual ~CDialogBase() = default;

    // Runs the dialog until it ends; IDOK, IDCANCEL or -1 when it could not
    // be made.
    INT_PTR doModal();

    HWND getSafeHwnd() const noexcept { return window; }

protected:
    // Returns TRUE to let the system put the focus on the first tab stop.
    virtual BOOL onInitDialog() { return TRUE; }
    virtual void onOK() { endDialog(IDOK); }
    virtual void onCancel() { endDialog(IDCANCEL); }
    // The message map; false when the message has no entry.
    virtual bool dispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    void endDialog(INT_PTR result) noexcept;
    HWND getItem(int id) const noexcept { return GetDlgItem(window, id); }
    CWideString getItemText(int id) const;
    void setItemText(int id, const wchar_t* text) const noexcept;
    UINT isButtonChecked(int id) const noexcept;
    void checkButton(int id, UINT state) const noexcept;

private:
    // noexcept: nothing may unwind through the system's frames.
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId;
    HWND owner;
    HWND window = nullptr;
};
