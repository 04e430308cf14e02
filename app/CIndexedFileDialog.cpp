#include "app/CIndexedFileDialog.h"

#include <cwchar>
#include <string>
#include <vector>

namespace
{
constexpr const wchar_t* logFileFilter = L"QX Log Files (*.txt)|*.txt|All Files (*.*)|*.*||";

std::vector<std::wstring> splitAt(const wchar_t* text, wchar_t separator)
{
    std::vector<std::wstring> pieces;
    std::wstring piece;
    for (const wchar_t* at = text;; ++at) {
        if (*at == separator || *at == L'\0') {
            if (!piece.empty())
                pieces.push_back(piece);
            piece.clear();
            if (*at == L'\0')
                break;
        } else {
            piece.push_back(*at);
        }
    }
    return pieces;
}

CWideString lowerCase(const CWideString& text)
{
    CWideString lower(text.GetString());
    wchar_t* const buffer = lower.GetLength() > 0 ? lower.GetBuffer(lower.GetLength()) : nullptr;
    if (buffer != nullptr) // the length is there already: GetBuffer cannot fail here
        CharLowerBuffW(buffer, static_cast<DWORD>(lower.GetLength()));
    return lower;
}

// The chosen path cut before its last separator; the whole path without one.
CWideString folderOf(const CWideString& path)
{
    const wchar_t* text = path.GetString();
    const wchar_t* cut = nullptr;
    for (const wchar_t* at = text; *at != L'\0'; ++at)
        if (*at == L'\\' || *at == L'/')
            cut = at;
    return cut != nullptr ? CWideString(text, static_cast<std::size_t>(cut - text)) : path;
}
} // namespace

CIndexedFileDialog::CIndexedFileDialog(HWND owner)
    : COpenFileDialog(L"txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, logFileFilter, owner)
{
    settings.nFilterIndex = static_cast<DWORD>(findFilterIndex());
}

CIndexedFileDialog::~CIndexedFileDialog() = default;

int CIndexedFileDialog::findFilterIndex() const
{
    return findFilterIndex(getFilter(), getDefaultExtension());
}

int CIndexedFileDialog::findFilterIndex(const wchar_t* filter, const wchar_t* extension)
{
    int index = 0;
    for (const std::wstring& piece : splitAt(filter, L'|')) {
        // Pieces with a "(" are the descriptions of the pattern lists.
        if (piece.find(L'(') != std::wstring::npos)
            continue;
        ++index;
        for (const std::wstring& pattern : splitAt(piece.c_str(), L';')) {
            const std::size_t dot = pattern.rfind(L'.');
            if (dot != std::wstring::npos && _wcsicmp(pattern.c_str() + dot + 1, extension) == 0)
                return index;
        }
    }
    return 0;
}

INT_PTR CIndexedFileDialog::doModal()
{
    CWideString folder;
    if (lastFolderByExtension.Lookup(lowerCase(getDefaultExtension()), folder) &&
        GetFileAttributesW(folder) != INVALID_FILE_ATTRIBUTES) {
        initialFolder = folder;
        settings.lpstrInitialDir = initialFolder.GetString();
    }

    const INT_PTR result = COpenFileDialog::doModal();

    if (result == IDOK)
        lastFolderByExtension.SetAt(lowerCase(getFileExt()), folderOf(getPathName()));
    return result;
}
