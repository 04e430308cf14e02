#include "app/CAboutDlg.h"

#include "app/applicationIcon.h"
#include "resources/resource.h"

#include <utility>

namespace
{
// Posted on a DPI change, so that the icon is set after the dialog manager
// has laid out the controls for the new DPI: the icon control then takes
// the icon's own size.
constexpr UINT showIconForDpi = WM_APP + 1;

bool isIconControl(HWND child)
{
    wchar_t className[8] = {};
    return GetClassNameW(child, className, 8) > 0 && lstrcmpiW(className, L"Static") == 0 &&
           (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}
} // namespace

using Self = CAboutDlg;

constexpr dialogMessageEntry<Self> CAboutDlg::messageMap[] = {
    {WM_DPICHANGED, 0, 0, &dialogHandlers::dpiChanged<Self, &Self::onDpiChanged>},
    {showIconForDpi, 0, 0, &dialogHandlers::dpiChanged<Self, &Self::onShowIconForDpi>},
};

CAboutDlg::CAboutDlg(HWND owner) : CDialogBase(IDD_ABOUTBOX, owner) {}

bool CAboutDlg::dispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    static_assert(everyEntryHasHandler(messageMap));
    return dispatchMessageMap(messageMap, *this, message, wParam, lParam, result);
}

BOOL CAboutDlg::onInitDialog()
{
    showIcon(loadApplicationIcon(iconSize::large));
    return TRUE;
}

void CAboutDlg::onDpiChanged(UINT dpi)
{
    PostMessageW(getSafeHwnd(), showIconForDpi, dpi, 0);
}

void CAboutDlg::onShowIconForDpi(UINT dpi)
{
    showIcon(loadApplicationIcon(iconSize::large, dpi));
}

void CAboutDlg::showIcon(uniqueIcon icon)
{
    if (!icon)
        return;
    for (HWND child = GetWindow(getSafeHwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (isIconControl(child)) {
            // The control hands back the icon it showed without destroying it.
            SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
            shownIcon = std::move(icon);
            return;
        }
    }
}
