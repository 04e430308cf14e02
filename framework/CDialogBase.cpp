#include "framework/CDialogBase.h"

CDialogBase::CDialogBase(UINT id, HWND ownerWindow) noexcept : templateId(id), owner(ownerWindow) {}

INT_PTR CDialogBase::doModal()
{
    // The templates live in the program's own module.
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, dialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

void CDialogBase::endDialog(INT_PTR result) noexcept
{
    EndDialog(window, result);
}

CWideString CDialogBase::getItemText(int id) const
{
    CWideString text;
    const HWND item = getItem(id);
    const int length = item != nullptr ? GetWindowTextLengthW(item) : 0;
    wchar_t* const buffer = length > 0 ? text.GetBuffer(length + 1) : nullptr;
    if (buffer != nullptr) { // out of memory gives the empty text
        GetWindowTextW(item, buffer, length + 1);
        text.ReleaseBuffer();
    }
    return text;
}

void CDialogBase::setItemText(int id, const wchar_t* text) const noexcept
{
    SetDlgItemTextW(window, id, text);
}

UINT CDialogBase::isButtonChecked(int id) const noexcept
{
    return IsDlgButtonChecked(window, id);
}

void CDialogBase::checkButton(int id, UINT state) const noexcept
{
    CheckDlgButton(window, id, state);
}

bool CDialogBase::dispatchMessage(UINT, WPARAM, LPARAM, INT_PTR&)
{
    return false;
}

INT_PTR CALLBACK CDialogBase::dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialogBase*>(lParam);
        dialog->window = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return dialog->onInitDialog();
    }
    auto* dialog = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window = nullptr;
        return FALSE;
    }
    return dialog->handleMessage(message, wParam, lParam);
}

INT_PTR CDialogBase::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (dispatchMessage(message, wParam, lParam, result))
        return result;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // The Escape key and the close box arrive as IDCANCEL too.
        if (LOWORD(wParam) == IDOK) {
            onOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            onCancel();
            return TRUE;
        }
    }
    return FALSE;
}
