#pragma once

#include "support/uniqueHandle.h"

#include <windows.h>

// The program's icon (icon group IDR_MAINFRAME) at the size it is shown at,
// taken from the image drawn for that size instead of stretched from another.
enum class iconSize
{
    small,
    large
};

// At the system's small or large icon size; null when it cannot be loaded.
[[nodiscard]] uniqueIcon loadApplicationIcon(iconSize size) noexcept;

// At the small or large icon size of a window shown at dpi. Where Windows
// cannot tell the sizes for a DPI (before Windows 10 1607), at the system's.
[[nodiscard]] uniqueIcon loadApplicationIcon(iconSize size, UINT dpi) noexcept;
