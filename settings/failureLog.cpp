#include "settings/failureLog.h"

#include "settings/logFile.h"
#include "support/lastErrorKeeper.h"
#include "support/uniqueHandle.h"

#include <atomic>
#include <cstdio>
#include <type_traits>

namespace
{
std::atomic<int> logFileEnabled{0};

constexpr DWORD systemMessageFlags =
    FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER;
constexpr DWORD userDefaultLanguage = 0x0400;

// A report is composed in a fixed buffer of 3000 characters, terminator
// included; what does not fit is cut off.
template <typename Char>
class reportText
{
public:
    static constexpr size_t capacity = 3000;

    template <typename Source>
    void append(const Source* text)
    {
        if (text == nullptr)
            return;
        // Narrow context texts become one code unit per byte.
        for (; *text != 0 && used < capacity - 1; ++text)
            buffer[used++] = static_cast<Char>(static_cast<std::make_unsigned_t<Source>>(*text));
        buffer[used] = 0;
    }

    const Char* get() const { return buffer; }

private:
    Char buffer[capacity] = {};
    size_t used = 0;
};

template <typename Char, typename Name>
void report(const wchar_t* logPath, DWORD errorCode, const char* context, const Name* name)
{
    if (!isLogFileEnabled())
        return;
    const lastErrorKeeper callerError;
    if (errorCode == 0)
        return;

    reportText<Char> text;
    Char* systemText = nullptr;
    DWORD systemLength;
    if constexpr (sizeof(Char) == 1)
        systemLength = FormatMessageA(systemMessageFlags, nullptr, errorCode, userDefaultLanguage,
                                      reinterpret_cast<char*>(&systemText), 0, nullptr);
    else
        systemLength = FormatMessageW(systemMessageFlags, nullptr, errorCode, userDefaultLanguage,
                                      reinterpret_cast<wchar_t*>(&systemText), 0, nullptr);
    const uniqueLocalMemory systemBuffer(systemText);
    if (systemLength != 0 && systemText != nullptr) {
        text.append(systemText);
    } else {
        // No system text for this code: the code in decimal stands for it.
        char number[16];
        std::snprintf(number, sizeof(number), "%lu", static_cast<unsigned long>(errorCode));
        text.append(number);
    }
    text.append(" : ");
    text.append(context);
    if (name != nullptr) {
        text.append(" : ");
        text.append(name);
    }

    if (isLogFileEnabled())
        logFile::writeToLogFile(logPath, text.get());
}
} // namespace

void setLogFileEnabled(int enabled) noexcept
{
    logFileEnabled.store(enabled, std::memory_order_relaxed);
}

int isLogFileEnabled() noexcept
{
    return logFileEnabled.load(std::memory_order_relaxed);
}

void reportErrorToLogFile(const wchar_t* logPath, DWORD errorCode, const char* context, const char* name)
{
    report<char>(logPath, errorCode, context, name);
}

void reportErrorToLogFile(const wchar_t* logPath, DWORD errorCode, const char* context, const wchar_t* name)
{
    report<wchar_t>(logPath, errorCode, context, name);
}
