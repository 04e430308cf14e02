#include "settings/systemMessage.h"

namespace
{
// The system's buffer, or null with the reason in error.
template <typename Char>
HLOCAL formatMessage(DWORD errorCode, DWORD languageId, DWORD& error) noexcept
{
    constexpr DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER;
    Char* text = nullptr;
    DWORD length;
    if constexpr (sizeof(Char) == 1)
        length = FormatMessageA(flags, nullptr, errorCode, languageId, reinterpret_cast<char*>(&text), 0, nullptr);
    else
        length = FormatMessageW(flags, nullptr, errorCode, languageId, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    error = length != 0 ? ERROR_SUCCESS : GetLastError();
    uniqueLocalMemory owned(text);
    return length != 0 ? owned.release() : nullptr;
}
} // namespace

template <typename Char>
systemMessage<Char>::systemMessage(DWORD errorCode, DWORD languageId) noexcept
{
    DWORD error = ERROR_SUCCESS;
    buffer.reset(formatMessage<Char>(errorCode, languageId, error));
    // Which code a missing language gives differs between systems
    // (ERROR_RESOURCE_LANG_NOT_FOUND, ERROR_MUI_FILE_NOT_FOUND, ...); only a
    // code without any text is not worth a second try.
    if (!buffer && error != ERROR_MR_MID_NOT_FOUND && languageId != 0)
        buffer.reset(formatMessage<Char>(errorCode, 0, error));
}

template class systemMessage<char>;
template class systemMessage<wchar_t>;
