#pragma once

#include <windows.h>

#include <utility>

// Move-only owner of one Win32 handle. Traits name the handle type, its
// "no handle" value and the one function that releases it, so a call site
// never picks a close function by hand.
template <typename Traits>
class uniqueHandle
{
public:
    using handleType = typename Traits::handleType;

    uniqueHandle() noexcept = default;
    explicit uniqueHandle(handleType handle) noexcept : value(handle) {}
    ~uniqueHandle() { reset(); }

    uniqueHandle(const uniqueHandle&) = delete;
    uniqueHandle& operator=(const uniqueHandle&) = delete;

    uniqueHandle(uniqueHandle&& other) noexcept : value(other.release()) {}
    uniqueHandle& operator=(uniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    [[nodiscard]] handleType get() const noexcept { return value; }
    explicit operator bool() const noexcept { return value != Traits::invalid(); }

    [[nodiscard]] handleType release() noexcept
    {
        return std::exchange(value, Traits::invalid());
    }

    void reset(handleType handle = Traits::invalid()) noexcept
    {
        const handleType old = std::exchange(value, handle);
        if (old != Traits::invalid())
            Traits::close(old);
    }

    // For Win32 calls that return a handle through a pointer: the handle held
    // so far is released first.
    [[nodiscard]] handleType* put() noexcept
    {
        reset();
        return &value;
    }

private:
    handleType value = Traits::invalid();
};

namespace handleTraits
{
struct registryKey
{
    using handleType = HKEY;
    static HKEY invalid() noexcept { return nullptr; }
    static void close(HKEY key) noexcept { RegCloseKey(key); }
};

struct fileHandle
{
    using handleType = HANDLE;
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) noexcept { CloseHandle(handle); }
};

struct kernelHandle
{
    using handleType = HANDLE;
    static HANDLE invalid() noexcept { return nullptr; }
    static void close(HANDLE handle) noexcept { CloseHandle(handle); }
};

struct localMemory
{
    using handleType = HLOCAL;
    static HLOCAL invalid() noexcept { return nullptr; }
    static void close(HLOCAL memory) noexcept { LocalFree(memory); }
};

struct loadedModule
{
    using handleType = HMODULE;
    static HMODULE invalid() noexcept { return nullptr; }
    static void close(HMODULE module) noexcept { FreeLibrary(module); }
};

struct icon
{
    using handleType = HICON;
    static HICON invalid() noexcept { return nullptr; }
    static void close(HICON icon) noexcept { DestroyIcon(icon); }
};
} // namespace handleTraits

using uniqueRegistryKey = uniqueHandle<handleTraits::registryKey>;
using uniqueFileHandle = uniqueHandle<handleTraits::fileHandle>;
using uniqueKernelHandle = uniqueHandle<handleTraits::kernelHandle>;
using uniqueLocalMemory = uniqueHandle<handleTraits::localMemory>;
using uniqueModule = uniqueHandle<handleTraits::loadedModule>;
using uniqueIcon = uniqueHandle<handleTraits::icon>;
