#pragma once

#include <windows.h>

class CWideString;
class CWideStringArray;
class stubString;
class intArray;
class stringArray;
template <typename Key, typename Value>
class hashMap;

using nameMap = hashMap<stubString, stubString>;
using dllMap = hashMap<stubString, int>;

// An object holding one 8-byte quantity; the store moves that quantity only.
struct binary8Value
{
    UINT64 quantity = 0;
};

// A 64-bit time count.
using timeValue = UINT64;

// A store of named, typed settings. Every operation but the destructor
// returns 1 for success and 0 for failure. Reads take the name first and
// change their destination only on success (buffer reads empty the buffer on
// failure); writes take the failure-log path first (null for no report).
// Names ending in A take a narrow (ANSI code page) value name.
//
// The order of the virtual operations is fixed: other programs of the
// profiler family call through this table.
class readWriteSettings
{
public:
    readWriteSettings() = default;
    readWriteSettings(const readWriteSettings&) = delete;
    readWriteSettings& operator=(const readWriteSettings&) = delete;

    virtual ~readWriteSettings();
    [[nodiscard]] virtual int noOp();
    [[nodiscard]] virtual int collectValueNames(const wchar_t* prefix, nameMap& names) = 0;
    [[nodiscard]] virtual int readWord(const wchar_t* name, WORD& value) = 0;
    [[nodiscard]] virtual int readStubString(const wchar_t* name, stubString& value) = 0;
    [[nodiscard]] virtual int readStubStringA(const char* name, stubString& value) = 0;
    [[nodiscard]] virtual int readStringList(const wchar_t* listName, CWideStringArray& list) = 0;
    [[nodiscard]] virtual int readBinary8(const wchar_t* name, binary8Value& value) = 0;
    [[nodiscard]] virtual int readString(const wchar_t* name, CWideString& value) = 0;
    [[nodiscard]] virtual int readUInt64(const wchar_t* name, UINT64& value) = 0;
    [[nodiscard]] virtual int readInt64(const wchar_t* name, INT64& value) = 0;
    [[nodiscard]] virtual int readDword(const wchar_t* name, DWORD& value) = 0;
    [[nodiscard]] virtual int readDouble(const wchar_t* name, double& value) = 0;
    [[nodiscard]] virtual int readUInt(const wchar_t* name, unsigned int& value) = 0;
    [[nodiscard]] virtual int readInt(const wchar_t* name, int& value) = 0;
    [[nodiscard]] virtual int readWideChar(const wchar_t* name, wchar_t& value) = 0;
    [[nodiscard]] virtual int readUChar(const wchar_t* name, unsigned char& value) = 0;
    [[nodiscard]] virtual int readChar(const wchar_t* name, char& value) = 0;
    [[nodiscard]] virtual int readStringA(const char* name, char* buffer, DWORD capacityBytes) = 0;
    [[nodiscard]] virtual int readStringBuffer(const wchar_t* name, wchar_t* buffer, DWORD capacity) = 0;
    [[nodiscard]] virtual int readTime(const wchar_t* name, timeValue& value) = 0;
    [[nodiscard]] virtual int writeStubString(const wchar_t* logPath, const wchar_t* name, const stubString& value) = 0;
    [[nodiscard]] virtual int writeStubStringA(const wchar_t* logPath, const char* name, const stubString& value) = 0;
    [[nodiscard]] virtual int writeStringA(const wchar_t* logPath, const char* name, const char* value) = 0;
    [[nodiscard]] virtual int writeStringList(const wchar_t* logPath, const wchar_t* listName,
                                const CWideStringArray& list) = 0;
    [[nodiscard]] virtual int writeBinary8(const wchar_t* logPath, const wchar_t* name, const binary8Value& value) = 0;
    [[nodiscard]] virtual int writeString(const wchar_t* logPath, const wchar_t* name, const CWideString& value) = 0;
    [[nodiscard]] virtual int writeUInt64(const wchar_t* logPath, const wchar_t* name, const UINT64& value) = 0;
    [[nodiscard]] virtual int writeInt64(const wchar_t* logPath, const wchar_t* name, const INT64& value) = 0;
    [[nodiscard]] virtual int writeDword(const wchar_t* logPath, const wchar_t* name, const DWORD& value) = 0;
    [[nodiscard]] virtual int writeDouble(const wchar_t* logPath, const wchar_t* name, const double& value) = 0;
    [[nodiscard]] virtual int writeWord(const wchar_t* logPath, const wchar_t* name, const WORD& value) = 0;
    [[nodiscard]] virtual int writeUInt(const wchar_t* logPath, const wchar_t* name, const unsigned int& value) = 0;
    [[nodiscard]] virtual int writeInt(const wchar_t* logPath, const wchar_t* name, const int& value) = 0;
    [[nodiscard]] virtual int writeWideChar(const wchar_t* logPath, const wchar_t* name, const wchar_t& value) = 0;
    [[nodiscard]] virtual int writeUChar(const wchar_t* logPath, const wchar_t* name, const unsigned char& value) = 0;
    [[nodiscard]] virtual int writeChar(const wchar_t* logPath, const wchar_t* name, const char& value) = 0;
    [[nodiscard]] virtual int writeStringBuffer(const wchar_t* logPath, const wchar_t* name, const wchar_t* buffer,
                                  DWORD length) = 0;
    [[nodiscard]] virtual int writeTime(const wchar_t* logPath, const wchar_t* name, const timeValue& value) = 0;
    [[nodiscard]] virtual int readIntFamily(intArray& values, const wchar_t* family) = 0;
    [[nodiscard]] virtual int writeIntFamily(const wchar_t* logPath, const intArray& values, const wchar_t* family) = 0;
    [[nodiscard]] virtual int deleteIntFamily(const wchar_t* logPath, const wchar_t* family, DWORD count) = 0;
    [[nodiscard]] virtual int deleteFamilyAll(const wchar_t* family, DWORD count) = 0;
    [[nodiscard]] virtual int readStringFamily(stringArray& values, const wchar_t* family) = 0;
    [[nodiscard]] virtual int writeStringFamily(const wchar_t* logPath, const stringArray& values,
                                                const wchar_t* family) = 0;
    [[nodiscard]] virtual int deleteFamilySS(const wchar_t* family, DWORD count) = 0;
    [[nodiscard]] virtual int deleteFamilyS(const wchar_t* family, DWORD count) = 0;
    [[nodiscard]] virtual int deleteFamilyI(const wchar_t* family, DWORD count) = 0;
    [[nodiscard]] virtual int readDllMap(dllMap& map) = 0;
    [[nodiscard]] virtual int writeDllMap(const wchar_t* logPath, const dllMap& map) = 0;
};
