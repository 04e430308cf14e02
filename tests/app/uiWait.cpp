#include "uiWait.h"

#include "support/uniqueHandle.h"
#include "testSupport/winePath.h"

#include <vector>

namespace uiWait
{
bool until(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() > end)
            return false;
        Sleep(10);
    }
}

std::wstring windowText(HWND window)
{
    const int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring itemText(HWND dialog, int id)
{
    return windowText(GetDlgItem(dialog, id));
}

void setItemText(HWND dialog, int id, const std::wstring& text)
{
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT checkState(HWND dialog, int id)
{
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
}

bool isItemEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void click(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void toggle(HWND dialog, int id)
{
    const WPARAM other = checkState(dialog, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, other, 0);
    click(dialog, id);
}

void clickPosted(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace
{
struct windowSearch
{
    const wchar_t* className;
    const wchar_t* caption;
    HWND except;
    HWND found;
};

std::wstring classOf(HWND window)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return className;
}

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<windowSearch*>(parameter);
    if (window == search->except || !IsWindowVisible(window) || classOf(window) != search->className ||
        (search->caption != nullptr && windowText(window) != search->caption))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK collectStatic(HWND window, LPARAM parameter)
{
    if (_wcsicmp(classOf(window).c_str(), L"Static") == 0) {
        auto* texts = reinterpret_cast<std::wstring*>(parameter);
        const std::wstring text = windowText(window);
        if (!text.empty())
            *texts += (texts->empty() ? L"" : L"\n") + text;
    }
    return TRUE;
}
BOOL CALLBACK noteUnpainted(HWND window, LPARAM parameter)
{
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE))
        *reinterpret_cast<bool*>(parameter) = true;
    return TRUE;
}
} // namespace

bool untilPainted(HWND window)
{
    return until([window] {
        bool unpainted = GetUpdateRect(window, nullptr, FALSE) != FALSE;
        EnumChildWindows(window, noteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
        return !unpainted;
    });
}

HWND findThreadWindow(DWORD threadId, const wchar_t* className, const wchar_t* caption, HWND except)
{
    windowSearch search{className, caption, except, nullptr};
    EnumThreadWindows(threadId, matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring staticTexts(HWND window)
{
    std::wstring texts;
    EnumChildWindows(window, collectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool saveScreenshot(HWND window, const std::wstring& path)
{
    RECT area;
    if (!GetWindowRect(window, &area))
        return false;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{sizeof(info), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    const uniqueFileHandle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return out && WriteFile(out.get(), &file, sizeof(file), &written, nullptr) &&
           WriteFile(out.get(), &info, sizeof(info), &written, nullptr) &&
           WriteFile(out.get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
}

std::wstring screenshotFolder()
{
    const std::wstring folder = windowsPathOf(KORVANEX_BINARY_DIR) + L"\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
} // namespace uiWait
