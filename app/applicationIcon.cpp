#include "app/applicationIcon.h"

#include "resources/resource.h"
#include "support/moduleFunction.h"

#include <commctrl.h>

namespace
{
// Windows 10 1607 and later; the SDK declares it only for them.
using systemMetricsForDpi = int(WINAPI*)(int index, UINT dpi);
// Every comctl32 6 has it, but the import library lacks it.
using iconWithScaleDown = decltype(&LoadIconWithScaleDown);

const wchar_t* const iconName = MAKEINTRESOURCEW(IDR_MAINFRAME);

// Owns what a loader handed out only when it reports success.
uniqueIcon ownIfLoaded(HRESULT result, HICON loaded) noexcept
{
    return uniqueIcon(SUCCEEDED(result) ? loaded : nullptr);
}
} // namespace

uniqueIcon loadApplicationIcon(iconSize size) noexcept
{
    HICON loaded = nullptr;
    const HRESULT result = LoadIconMetric(GetModuleHandleW(nullptr), iconName,
                                          size == iconSize::small ? LIM_SMALL : LIM_LARGE, &loaded);
    return ownIfLoaded(result, loaded);
}

uniqueIcon loadApplicationIcon(iconSize size, UINT dpi) noexcept
{
    const auto metricForDpi =
        moduleFunction<systemMetricsForDpi>(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
    // The manifest makes this the common controls 6 that LoadIconMetric comes from.
    const auto scaleDown =
        moduleFunction<iconWithScaleDown>(GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown");
    const int pixels = metricForDpi != nullptr ? metricForDpi(size == iconSize::small ? SM_CXSMICON : SM_CXICON, dpi) : 0;
    if (scaleDown == nullptr || pixels <= 0)
        return loadApplicationIcon(size);
    HICON loaded = nullptr;
    const HRESULT result = scaleDown(GetModuleHandleW(nullptr), iconName, pixels, pixels, &loaded);
    return ownIfLoaded(result, loaded);
}
