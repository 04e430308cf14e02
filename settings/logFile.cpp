#include "settings/logFile.h"

#include "support/lastErrorKeeper.h"
#include "support/stubHeap.h"
#include "support/stubLockGuard.h"
#include "support/threadQuery.h"
#include "support/uniqueHandle.h"

#include <atomic>
#include <cstring>
#include <cwchar>

namespace
{
// Guards against re-entry on one thread only: a report from another thread
// waits on the lock instead of being dropped.
thread_local int logFileWriteInProgress = 0;

std::atomic<int> logFileEnabled{0};

// Created at first use by a writer that holds logFileLock; never destroyed.
HANDLE logFileHeap = nullptr;

constexpr SIZE_T initialLogHeapSize = 0x10000;
} // namespace

void setLogFileEnabled(int enabled) noexcept
{
    logFileEnabled.store(enabled, std::memory_order_relaxed);
}

int isLogFileEnabled() noexcept
{
    return logFileEnabled.load(std::memory_order_relaxed);
}

logFile::target::target() = default;

logFile::target::~target()
{
    if (!isLogFileEnabled())
        return;
    // The system closes the file with the process.
    handle = INVALID_HANDLE_VALUE;
    if (path != nullptr) {
        oskHeapFree(logFileHeap, 0, path);
        path = nullptr;
    }
}

void logFile::writeToLogFile(const wchar_t* logPath, const char* text)
{
    write(logPath, text, L"logFile::writeToLogFile 2()");
}

void logFile::writeToLogFile(const wchar_t* logPath, const wchar_t* text)
{
    write(logPath, text, L"logFile::writeToLogFile 5()");
}

template <typename Char>
void logFile::write(const wchar_t* logPath, const Char* text, const wchar_t* guardName)
{
    // Saved before anything else: a thread's first touch of its thread-local
    // state may change the last error.
    const lastErrorKeeper callerError;
    if (logFileWriteInProgress != 0)
        return;
    resolveNtQueryInformationThread();
    stubLockGuard guard(&logFileLock, guardName);
    logFileWriteInProgress = 1;
    setLogFilePath(logPath);
    if (isLogFileEnabled()) {
        const lastErrorKeeper writeError;
        openLogFile();
        writeText(text);
    }
    logFileWriteInProgress = 0;
    guard.unlock();
}

HANDLE logFile::heap()
{
    if (logFileHeap == nullptr) {
        logFileHeap = HeapCreate(0, initialLogHeapSize, 0);
        if (logFileHeap != nullptr)
            (void)oskHeaps::addHeap(logFileHeap);
    }
    return logFileHeap;
}

void logFile::setLogFilePath(const wchar_t* path)
{
    wchar_t*& stored = logFileTarget.path;
    if (stored != nullptr && path != nullptr && std::wcscmp(stored, path) == 0)
        return;
    if (stored != nullptr) {
        oskHeapFree(heap(), 0, stored);
        stored = nullptr;
    }
    if (path == nullptr)
        return;
    const size_t characters = std::wcslen(path) + 1;
    auto* copy = static_cast<wchar_t*>(oskHeapAlloc(heap(), 0, characters * sizeof(wchar_t)));
    if (copy == nullptr)
        return;
    std::wmemcpy(copy, path, characters);
    stored = copy;
}

void logFile::openLogFile()
{
    if (logFileTarget.handle != INVALID_HANDLE_VALUE || logFileTarget.path == nullptr)
        return;

    // A new log file grants every account full access (a present, null DACL),
    // so that any process of the profiler family can append to it later.
    const uniqueLocalMemory descriptor(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH));
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
    SECURITY_ATTRIBUTES* security = nullptr;
    if (descriptor && InitializeSecurityDescriptor(descriptor.get(), SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(descriptor.get(), TRUE, nullptr, FALSE))
        security = &attributes;

    const wchar_t* path = logFileTarget.path;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, security, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        SetFilePointer(file, 0, nullptr, FILE_END);
    else
        file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, security, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    logFileTarget.handle = file;
}

void logFile::writeText(const char* text)
{
    if (logFileTarget.handle == INVALID_HANDLE_VALUE || text == nullptr)
        return;
    const size_t bytes = std::strlen(text);
    DWORD written = 0;
    if (bytes != 0)
        WriteFile(logFileTarget.handle, text, static_cast<DWORD>(bytes), &written, nullptr);
}

void logFile::writeText(const wchar_t* text)
{
    if (logFileTarget.handle == INVALID_HANDLE_VALUE || text == nullptr)
        return;
    const size_t bytes = std::wcslen(text) * sizeof(wchar_t);
    DWORD written = 0;
    if (bytes != 0)
        WriteFile(logFileTarget.handle, text, static_cast<DWORD>(bytes), &written, nullptr);
}
