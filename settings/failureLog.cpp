#include "settings/failureLog.h"

#include "settings/logFile.h"
#include "settings/systemMessage.h"
#include "support/lastErrorKeeper.h"

#include <cstdio>
#include <type_traits>

namespace
{
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
    const systemMessage<Char> systemText(errorCode);
    if (systemText.text() != nullptr) {
        text.append(systemText.text());
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

void reportErrorToLogFile(const wchar_t* logPath, DWORD errorCode, const char* context, const char* name)
{
    report<char>(logPath, errorCode, context, name);
}

void reportErrorToLogFile(const wchar_t* logPath, DWORD errorCode, const char* context, const wchar_t* name)
{
    report<wchar_t>(logPath, errorCode, context, name);
}
