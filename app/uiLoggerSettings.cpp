#include "app/uiLoggerSettings.h"

#include "settings/readWriteSettings.h"

void readUiLoggerSettings(readWriteSettings& store)
{
    // A missing value keeps what its field holds, so the results are not
    // looked at.
    for (const uiLoggerOption& option : uiLoggerOptions) {
        if (option.type == uiLoggerOption::kind::text)
            (void)store.readString(option.valueName, uiLoggerSettings.*option.text);
        else
            (void)store.readInt(option.valueName, uiLoggerSettings.*option.flag);
    }
}

int writeUiLoggerSettings(readWriteSettings& store)
{
    // A failing write does not stop the later ones; the caller learns that
    // one failed, so that a change is never dropped silently.
    int written = 1;
    for (const uiLoggerOption& option : uiLoggerOptions) {
        const int result = option.type == uiLoggerOption::kind::text
                               ? store.writeString(nullptr, option.valueName, uiLoggerSettings.*option.text)
                               : store.writeInt(nullptr, option.valueName, uiLoggerSettings.*option.flag);
        written &= result != 0 ? 1 : 0;
    }
    return written;
}
