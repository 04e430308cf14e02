#include "testSupport/debugOutputCapture.h"

#include <windows.h>

#include <mutex>

namespace
{
constexpr DWORD debugPrintNarrow = 0x40010006; // DBG_PRINTEXCEPTION_C
constexpr DWORD debugPrintWide = 0x4001000A;   // DBG_PRINTEXCEPTION_WIDE_C

std::mutex capturedLock;
std::vector<std::wstring> captured;

LONG CALLBACK onException(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    std::wstring text;
    if (record->ExceptionCode == debugPrintWide) {
        text = reinterpret_cast<const wchar_t*>(record->ExceptionInformation[1]);
    } else if (record->ExceptionCode == debugPrintNarrow) {
        const char* narrow = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        const int length = MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
        if (length > 0) {
            text.resize(static_cast<size_t>(length));
            MultiByteToWideChar(CP_ACP, 0, narrow, -1, text.data(), length);
            text.resize(static_cast<size_t>(length - 1));
        }
    } else {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    const std::lock_guard<std::mutex> hold(capturedLock);
    captured.push_back(std::move(text));
    return EXCEPTION_CONTINUE_EXECUTION;
}
} // namespace

debugOutputCapture::debugOutputCapture() : handler(AddVectoredExceptionHandler(1, onException))
{
    const std::lock_guard<std::mutex> hold(capturedLock);
    captured.clear();
}

debugOutputCapture::~debugOutputCapture()
{
    RemoveVectoredExceptionHandler(handler);
}

std::vector<std::wstring> debugOutputCapture::lines() const
{
    const std::lock_guard<std::mutex> hold(capturedLock);
    return captured;
}
