#include "settings/productKeyOpener.h"

productKeyOpening openProductKeyLevels(keyAccess access, HKEY* const (&slots)[productKeyLevelCount]) noexcept
{
    // Both modes create or open: with read rights only, whether a missing
    // level may be made is the registry's decision.
    const REGSAM rights = access == keyAccess::readWrite ? (KEY_READ | KEY_WRITE) : KEY_READ;
    productKeyOpening opening;
    HKEY parent = HKEY_CURRENT_USER;
    for (std::size_t level = 0; level < productKeyLevelCount; ++level) {
        ++opening.levelsTried;
        // A failed call leaves the slot alone, whatever it wrote to its output.
        HKEY opened = nullptr;
        opening.code = RegCreateKeyExW(parent, productKeyLevels[level], 0, nullptr, REG_OPTION_NON_VOLATILE, rights,
                                       nullptr, &opened, nullptr);
        if (opening.code != ERROR_SUCCESS)
            break;
        *slots[level] = opened;
        parent = opened;
    }
    return opening;
}
