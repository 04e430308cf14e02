#pragma once

#include "support/CWideString.h"

#include <windows.h>

#include <commdlg.h>

// The system's file-open dialog (GetOpenFileNameW, explorer style and
// resizable on top of the caller's flags). The filter is given as
// "description|patterns|...||" and kept as the system wants it, with null
// separators.
class COpenFileDialog
{
public:
    COpenFileDialog(const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags, const wchar_t* filter,
                    HWND owner);
    COpenFileDialog(const COpenFileDialog&) = delete;
    COpenFileDialog& operator=(const COpenFileDialog&) = delete;
    virtual ~COpenFileDialog() = default;

    // IDOK when a file was chosen, IDCANCEL otherwise.
    virtual INT_PTR doModal();

    // The full path of the chosen file.
    CWideString getPathName() const;
    // The extension of the chosen file's name, without its dot; empty when
    // the name has none.
    CWideString getFileExt() const;

    const CWideString& getDefaultExtension() const noexcept { return defaultExtension; }
    // The filter as given, with "|" separators.
    const CWideString& getFilter() const noexcept { return filterText; }

protected:
    // Runs the system dialog on settings; true when a file was chosen.
    virtual bool runSystemDialog();

    // What the system dialog is run with: nFilterIndex, lpstrInitialDir and
    // the flags may be changed before doModal. Pointers put here must stay
    // valid until the dialog has run.
    OPENFILENAMEW settings{};

private:
    static constexpr DWORD fileBufferLength = 4096;

    CWideString defaultExtension;
    CWideString filterText;
    CWideString systemFilter;
    wchar_t fileBuffer[fileBufferLength] = {};
};
