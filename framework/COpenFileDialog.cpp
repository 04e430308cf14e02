#include "framework/COpenFileDialog.h"

#include "support/moduleFunction.h"
#include "support/uniqueHandle.h"

#include <cwchar>

COpenFileDialog::COpenFileDialog(const wchar_t* extension, const wchar_t* fileName, DWORD flags,
                                 const wchar_t* filter, HWND owner)
    : defaultExtension(extension), filterText(filter)
{
    // The system wants the pieces separated by nulls and the list ended by
    // two of them; CWideString supplies the last one.
    for (const wchar_t* at = filterText.GetString(); *at != L'\0'; ++at)
        systemFilter += *at == L'|' ? L'\0' : *at;
    if (systemFilter.GetLength() == 0 || systemFilter.GetString()[systemFilter.GetLength() - 1] != L'\0')
        systemFilter += L'\0';

    if (fileName != nullptr)
        wcsncpy_s(fileBuffer, fileBufferLength, fileName, _TRUNCATE);

    settings.lStructSize = sizeof(settings);
    settings.hwndOwner = owner;
    settings.lpstrFilter = filterText.IsEmpty() ? nullptr : systemFilter.GetString();
    settings.nFilterIndex = 1;
    settings.lpstrFile = fileBuffer;
    settings.nMaxFile = fileBufferLength;
    settings.lpstrDefExt = defaultExtension.IsEmpty() ? nullptr : defaultExtension.GetString();
    settings.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR COpenFileDialog::doModal()
{
    return runSystemDialog() ? IDOK : IDCANCEL;
}

bool COpenFileDialog::runSystemDialog()
{
    // Loaded on first use: comdlg32 and the printing DLLs it pulls in would
    // otherwise slow down every program start for a dialog rarely opened.
    // Once loaded it is pinned for the rest of the process: the shell parts
    // the dialog ran may still be at work in it after it has returned.
    const uniqueModule loaded(LoadLibraryW(L"comdlg32.dll"));
    HMODULE commonDialogs = nullptr;
    if (!loaded || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"comdlg32.dll", &commonDialogs))
        return false;
    using getOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto getOpenFileName = moduleFunction<getOpenFileNameFunction>(commonDialogs, "GetOpenFileNameW");
    return getOpenFileName != nullptr && getOpenFileName(&settings) != FALSE;
}

CWideString COpenFileDialog::getPathName() const
{
    return CWideString(fileBuffer);
}

CWideString COpenFileDialog::getFileExt() const
{
    const wchar_t* name = fileBuffer;
    for (const wchar_t* at = fileBuffer; *at != L'\0'; ++at)
        if (*at == L'\\' || *at == L'/')
            name = at + 1;
    const wchar_t* dot = std::wcsrchr(name, L'.');
    return CWideString(dot != nullptr ? dot + 1 : L"");
}
