// The store's single values: fixed-size numbers, characters and time values,
// and single strings.
#include "settings/readWriteSettingsToRegistry.h"

#include "support/CWideString.h"
#include "settings/failureLog.h"
#include "settings/logFile.h"
#include "support/stubHeap.h"
#include "support/stubString.h"

#include <cstdint>
#include <cstring>

namespace
{
// Bytes of the string buffer inside a string read: 260 wide characters and
// the terminator. Values up to this size cost one query and no allocation.
constexpr DWORD firstStringBufferBytes = 522;

// A block on the support heap for one string read or write.
class readBuffer
{
public:
    // No block for a size of 0.
    explicit readBuffer(SIZE_T bytes) noexcept : memory(bytes != 0 ? oskHeapAlloc(0, bytes) : nullptr) {}
    ~readBuffer()
    {
        if (memory != nullptr)
            oskHeapFree(getStubHeap(), 0, memory);
    }
    readBuffer(const readBuffer&) = delete;
    readBuffer& operator=(const readBuffer&) = delete;

    BYTE* get() const noexcept { return static_cast<BYTE*>(memory); }

private:
    void* memory;
};

template <typename Char>
std::size_t boundedLength(const Char* text, std::size_t maxLength) noexcept
{
    std::size_t n = 0;
    while (n < maxLength && text[n] != 0)
        ++n;
    return n;
}

// Queries into a temporary of the variable's width and copies only the bytes
// that were stored: a shorter value changes only the leading bytes, even for
// string types, where the registry may append a terminator of its own.
template <typename T>
int readFixed(HKEY key, const wchar_t* name, T& value) noexcept
{
    if (key == nullptr)
        return 0;
    BYTE bytes[sizeof(T)];
    DWORD type = 0;
    DWORD size = sizeof(T);
    if (RegQueryValueExW(key, name, nullptr, &type, bytes, &size) != ERROR_SUCCESS)
        return 0;
    std::memcpy(&value, bytes, size < sizeof(T) ? size : sizeof(T));
    return 1;
}

int setValue(HKEY key, const wchar_t* logPath, const wchar_t* name, DWORD type, const void* data, DWORD bytes,
             const char* context) noexcept
{
    if (key == nullptr)
        return 0;
    const LSTATUS rc = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    if (logPath != nullptr && isLogFileEnabled())
        reportErrorToLogFile(logPath, static_cast<DWORD>(rc), context, name);
    return rc == ERROR_SUCCESS ? 1 : 0;
}

template <typename T>
int writeFixed(HKEY key, const wchar_t* logPath, const wchar_t* name, DWORD type, const T& value,
               const char* context) noexcept
{
    return setValue(key, logPath, name, type, &value, sizeof(T), context);
}

// A string's characters and terminator in bytes, or 0 when that does not
// fit a registry size.
DWORD terminatedBytes(std::size_t length) noexcept
{
    const UINT64 bytes = (UINT64{length} + 1) * sizeof(wchar_t);
    return bytes <= MAXDWORD ? static_cast<DWORD>(bytes) : 0;
}

// One query into a buffer inside the operation; a second into a heap block
// of the size reported only when the first answered ERROR_MORE_DATA. The
// stored bytes need not hold a terminator: take gets the text bounded by
// what was stored, and says whether it could hold it.
template <typename Char, typename Query, typename Take>
int readText(Query&& query, Take&& take) noexcept
{
    Char first[firstStringBufferBytes / sizeof(Char)];
    DWORD size = sizeof(first);
    LSTATUS rc = query(reinterpret_cast<BYTE*>(first), size);
    if (rc == ERROR_SUCCESS)
        return take(first, boundedLength(first, size / sizeof(Char))) ? 1 : 0;
    if (rc != ERROR_MORE_DATA)
        return 0;

    // Computed in SIZE_T so the extra room cannot wrap to a small block; a
    // value that grew since the first query fails the second cleanly.
    if (SIZE_T{size} > SIZE_MAX - sizeof(Char))
        return 0;
    const readBuffer second(SIZE_T{size} + sizeof(Char));
    if (second.get() == nullptr)
        return 0;
    rc = query(second.get(), size);
    if (rc != ERROR_SUCCESS)
        return 0;
    const Char* text = reinterpret_cast<const Char*>(second.get());
    return take(text, boundedLength(text, size / sizeof(Char))) ? 1 : 0;
}

// Either string class: one that cannot hold the text keeps the one it had,
// and the read fails.
template <typename Target, typename Char>
bool takeText(Target& value, const Char* text, std::size_t length) noexcept
{
    return value.assign(text, length);
}

// A wide string read into either string class: both take the text bounded
// by what was stored through assign.
template <typename Target>
int readWideText(HKEY key, const wchar_t* name, Target& value) noexcept
{
    if (key == nullptr)
        return 0;
    return readText<wchar_t>(
        [&](BYTE* data, DWORD& size) {
            DWORD type = 0;
            return RegQueryValueExW(key, name, nullptr, &type, data, &size);
        },
        [&](const wchar_t* text, std::size_t length) { return takeText(value, text, length); });
}
} // namespace

readWriteSettingsToRegistry::readWriteSettingsToRegistry(HKEY key) : key(key) {}

readWriteSettingsToRegistry::~readWriteSettingsToRegistry()
{
    key = nullptr;
    // Owned keys close last first; the order is part of the design, so the
    // handles are closed here by hand.
    for (int i = ownedKeys.GetSize(); i > 0; --i)
        RegCloseKey(static_cast<HKEY>(ownedKeys.GetAt(i - 1)));
    ownedKeys.RemoveAll();
    key = nullptr;
}

int readWriteSettingsToRegistry::readWord(const wchar_t* name, WORD& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readBinary8(const wchar_t* name, binary8Value& value)
{
    UINT64 quantity = value.quantity;
    if (!readFixed(key, name, quantity))
        return 0;
    value.quantity = quantity;
    return 1;
}

int readWriteSettingsToRegistry::readUInt64(const wchar_t* name, UINT64& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readInt64(const wchar_t* name, INT64& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readDword(const wchar_t* name, DWORD& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readDouble(const wchar_t* name, double& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readUInt(const wchar_t* name, unsigned int& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readInt(const wchar_t* name, int& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readWideChar(const wchar_t* name, wchar_t& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readUChar(const wchar_t* name, unsigned char& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readChar(const wchar_t* name, char& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readTime(const wchar_t* name, timeValue& value)
{
    return readFixed(key, name, value);
}

int readWriteSettingsToRegistry::readString(const wchar_t* name, CWideString& value)
{
    return readWideText(key, name, value);
}

int readWriteSettingsToRegistry::readStubString(const wchar_t* name, stubString& value)
{
    return readWideText(key, name, value);
}

int readWriteSettingsToRegistry::readStubStringA(const char* name, stubString& value)
{
    if (key == nullptr)
        return 0;
    return readText<char>(
        [&](BYTE* data, DWORD& size) {
            DWORD type = 0;
            return RegQueryValueExA(key, name, nullptr, &type, data, &size);
        },
        [&](const char* text, std::size_t length) { return takeText(value, text, length); });
}

// The text must end, terminator included, inside the caller's capacity: a
// value that fills the buffer exactly without a terminator does not fit.
int readWriteSettingsToRegistry::readStringBuffer(const wchar_t* name, wchar_t* buffer, DWORD capacity)
{
    if (key == nullptr || buffer == nullptr || capacity == 0)
        return 0;
    DWORD size = capacity <= 0x7FFFFFFFu ? capacity * 2 : 0xFFFFFFFEu;
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
        const DWORD characters = size / sizeof(wchar_t);
        const std::size_t length = boundedLength(buffer, characters);
        if (length < characters)
            return 1;
        if (characters < capacity) {
            buffer[characters] = L'\0';
            return 1;
        }
    }
    buffer[0] = L'\0';
    return 0;
}

int readWriteSettingsToRegistry::readStringA(const char* name, char* buffer, DWORD capacityBytes)
{
    if (key == nullptr || buffer == nullptr || capacityBytes == 0)
        return 0;
    DWORD size = capacityBytes;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
        const std::size_t length = boundedLength(buffer, size);
        if (length < size)
            return 1;
        if (size < capacityBytes) {
            buffer[size] = '\0';
            return 1;
        }
    }
    buffer[0] = '\0';
    return 0;
}

int readWriteSettingsToRegistry::writeChar(const wchar_t* logPath, const wchar_t* name, const char& value)
{
    return writeFixed(key, logPath, name, REG_BINARY, value, "setting char value");
}

int readWriteSettingsToRegistry::writeUChar(const wchar_t* logPath, const wchar_t* name, const unsigned char& value)
{
    return writeFixed(key, logPath, name, REG_BINARY, value, "setting unsigned char value");
}

int readWriteSettingsToRegistry::writeWideChar(const wchar_t* logPath, const wchar_t* name, const wchar_t& value)
{
    return writeFixed(key, logPath, name, REG_BINARY, value, "setting wchar_t value");
}

// Two bytes under REG_DWORD, not widened: the read of the same width gets
// them back.
int readWriteSettingsToRegistry::writeWord(const wchar_t* logPath, const wchar_t* name, const WORD& value)
{
    return writeFixed(key, logPath, name, REG_DWORD, value, "setting dword value");
}

int readWriteSettingsToRegistry::writeInt(const wchar_t* logPath, const wchar_t* name, const int& value)
{
    return writeFixed(key, logPath, name, REG_DWORD, value, "setting int value");
}

int readWriteSettingsToRegistry::writeUInt(const wchar_t* logPath, const wchar_t* name, const unsigned int& value)
{
    return writeFixed(key, logPath, name, REG_DWORD, value, "setting unsigned int value");
}

int readWriteSettingsToRegistry::writeDword(const wchar_t* logPath, const wchar_t* name, const DWORD& value)
{
    return writeFixed(key, logPath, name, REG_DWORD, value, "setting dword value");
}

int readWriteSettingsToRegistry::writeDouble(const wchar_t* logPath, const wchar_t* name, const double& value)
{
    return writeFixed(key, logPath, name, REG_BINARY, value, "setting double value");
}

// The 8-byte integers go under REG_DWORD with 8 bytes, never REG_QWORD:
// other programs of the family read them that way.
int readWriteSettingsToRegistry::writeUInt64(const wchar_t* logPath, const wchar_t* name, const UINT64& value)
{
    return writeFixed(key, logPath, name, REG_DWORD, value, "setting unsigned __int64 value");
}

int readWriteSettingsToRegistry::writeInt64(const wchar_t* logPath, const wchar_t* name, const INT64& value)
{
    return writeFixed(key, logPath, name, REG_DWORD, value, "setting unsigned __int64 value");
}

int readWriteSettingsToRegistry::writeTime(const wchar_t* logPath, const wchar_t* name, const timeValue& value)
{
    return writeFixed(key, logPath, name, REG_DWORD, value, "setting unsigned time_t value");
}

int readWriteSettingsToRegistry::writeBinary8(const wchar_t* logPath, const wchar_t* name, const binary8Value& value)
{
    const UINT64 quantity = value.quantity;
    return writeFixed(key, logPath, name, REG_BINARY, quantity, "setting string value");
}

int readWriteSettingsToRegistry::writeString(const wchar_t* logPath, const wchar_t* name, const CWideString& value)
{
    const DWORD bytes = terminatedBytes(static_cast<std::size_t>(value.GetLength()));
    if (bytes == 0)
        return 0;
    return setValue(key, logPath, name, REG_SZ, value.GetString(), bytes, "setting string value");
}

int readWriteSettingsToRegistry::writeStubString(const wchar_t* logPath, const wchar_t* name, const stubString& value)
{
    const DWORD bytes = terminatedBytes(value.GetLength());
    if (bytes == 0)
        return 0;
    return setValue(key, logPath, name, REG_SZ, value.GetString(), bytes, "setting string value");
}

// Exactly length characters are stored. The registry adds a terminator of
// its own to REG_SZ data whose last character is not one while the character
// after it is, and reads that character (past the caller's length) to find
// out; so unterminated text goes through a copy followed by a non-terminator.
int readWriteSettingsToRegistry::writeStringBuffer(const wchar_t* logPath, const wchar_t* name,
                                                   const wchar_t* buffer, DWORD length)
{
    if (key == nullptr)
        return 0;
    if ((buffer == nullptr && length != 0) || UINT64{length} * sizeof(wchar_t) > MAXDWORD) {
        if (logPath != nullptr && isLogFileEnabled())
            reportErrorToLogFile(logPath, ERROR_INVALID_PARAMETER, "setting string value", name);
        return 0;
    }
    const DWORD bytes = length * static_cast<DWORD>(sizeof(wchar_t));
    if (length == 0 || buffer[length - 1] == L'\0')
        return setValue(key, logPath, name, REG_SZ, buffer, bytes, "setting string value");

    constexpr DWORD localCharacters = firstStringBufferBytes / sizeof(wchar_t);
    wchar_t local[localCharacters];
    const readBuffer remote(length < localCharacters ? 0 : (SIZE_T{length} + 1) * sizeof(wchar_t));
    wchar_t* copy = length < localCharacters ? local : reinterpret_cast<wchar_t*>(remote.get());
    if (copy == nullptr) {
        if (logPath != nullptr && isLogFileEnabled())
            reportErrorToLogFile(logPath, ERROR_NOT_ENOUGH_MEMORY, "setting string value", name);
        return 0;
    }
    std::memcpy(copy, buffer, bytes);
    copy[length] = L' ';
    return setValue(key, logPath, name, REG_SZ, copy, bytes, "setting string value");
}

// The narrow name reports through the narrow failure log, which tests the
// switch itself: these writes report whenever a log path is given.
int readWriteSettingsToRegistry::writeStubStringA(const wchar_t* logPath, const char* name, const stubString& value)
{
    if (key == nullptr)
        return 0;
    const DWORD bytes = terminatedBytes(value.GetLength());
    if (bytes == 0)
        return 0;
    // A name that cannot be widened writes nothing: an empty name would be
    // the key's default value.
    stubString wideName;
    if (!wideName.assign(name)) {
        const DWORD error = GetLastError();
        if (logPath != nullptr)
            reportErrorToLogFile(logPath, error != 0 ? error : ERROR_NOT_ENOUGH_MEMORY, "setting string value", name);
        return 0;
    }
    const LSTATUS rc = RegSetValueExW(key, name != nullptr ? wideName.GetString() : nullptr, 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.GetString()), bytes);
    if (logPath != nullptr)
        reportErrorToLogFile(logPath, static_cast<DWORD>(rc), "setting string value", name);
    return rc == ERROR_SUCCESS ? 1 : 0;
}

int readWriteSettingsToRegistry::writeStringA(const wchar_t* logPath, const char* name, const char* value)
{
    if (key == nullptr)
        return 0;
    DWORD bytes = 0;
    if (value != nullptr) {
        const std::size_t length = std::strlen(value);
        if (length >= MAXDWORD)
            return 0;
        bytes = static_cast<DWORD>(length + 1);
    }
    const LSTATUS rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    if (logPath != nullptr)
        reportErrorToLogFile(logPath, static_cast<DWORD>(rc), "setting string value", name);
    return rc == ERROR_SUCCESS ? 1 : 0;
}
