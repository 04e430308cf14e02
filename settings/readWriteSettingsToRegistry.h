#pragma once

#include "support/CPointerArray.h"
#include "settings/readWriteSettings.h"

#include <windows.h>

// The settings store on one open registry key: every setting is a value of
// that key. The key is borrowed and never closed by the store; the keys in
// ownedKeys belong to the store and are closed when it is destroyed.
class readWriteSettingsToRegistry : public readWriteSettings
{
public:
    explicit readWriteSettingsToRegistry(HKEY key);
    ~readWriteSettingsToRegistry() override;

    [[nodiscard]] int collectValueNames(const wchar_t* prefix, nameMap& names) override;
    [[nodiscard]] int readWord(const wchar_t* name, WORD& value) override;
    [[nodiscard]] int readStubString(const wchar_t* name, stubString& value) override;
    [[nodiscard]] int readStubStringA(const char* name, stubString& value) override;
    [[nodiscard]] int readStringList(const wchar_t* listName, CWideStringArray& list) override;
    [[nodiscard]] int readBinary8(const wchar_t* name, binary8Value& value) override;
    [[nodiscard]] int readString(const wchar_t* name, CWideString& value) override;
    [[nodiscard]] int readUInt64(const wchar_t* name, UINT64& value) override;
    [[nodiscard]] int readInt64(const wchar_t* name, INT64& value) override;
    [[nodiscard]] int readDword(const wchar_t* name, DWORD& value) override;
    [[nodiscard]] int readDouble(const wchar_t* name, double& value) override;
    [[nodiscard]] int readUInt(const wchar_t* name, unsigned int& value) override;
    [[nodiscard]] int readInt(const wchar_t* name, int& value) override;
    [[nodiscard]] int readWideChar(const wchar_t* name, wchar_t& value) override;
    [[nodiscard]] int readUChar(const wchar_t* name, unsigned char& value) override;
    [[nodiscard]] int readChar(const wchar_t* name, char& value) override;
    [[nodiscard]] int readStringA(const char* name, char* buffer, DWORD capacityBytes) override;
    [[nodiscard]] int readStringBuffer(const wchar_t* name, wchar_t* buffer, DWORD capacity) override;
    [[nodiscard]] int readTime(const wchar_t* name, timeValue& value) override;
    [[nodiscard]] int writeStubString(const wchar_t* logPath, const wchar_t* name, const stubString& value) override;
    [[nodiscard]] int writeStubStringA(const wchar_t* logPath, const char* name, const stubString& value) override;
    [[nodiscard]] int writeStringA(const wchar_t* logPath, const char* name, const char* value) override;
    [[nodiscard]] int writeStringList(const wchar_t* logPath, const wchar_t* listName,
                const CWideStringArray& list) override;
    [[nodiscard]] int writeBinary8(const wchar_t* logPath, const wchar_t* name, const binary8Value& value) override;
    [[nodiscard]] int writeString(const wchar_t* logPath, const wchar_t* name, const CWideString& value) override;
    [[nodiscard]] int writeUInt64(const wchar_t* logPath, const wchar_t* name, const UINT64& value) override;
    [[nodiscard]] int writeInt64(const wchar_t* logPath, const wchar_t* name, const INT64& value) override;
    [[nodiscard]] int writeDword(const wchar_t* logPath, const wchar_t* name, const DWORD& value) override;
    [[nodiscard]] int writeDouble(const wchar_t* logPath, const wchar_t* name, const double& value) override;
    [[nodiscard]] int writeWord(const wchar_t* logPath, const wchar_t* name, const WORD& value) override;
    [[nodiscard]] int writeUInt(const wchar_t* logPath, const wchar_t* name, const unsigned int& value) override;
    [[nodiscard]] int writeInt(const wchar_t* logPath, const wchar_t* name, const int& value) override;
    [[nodiscard]] int writeWideChar(const wchar_t* logPath, const wchar_t* name, const wchar_t& value) override;
    [[nodiscard]] int writeUChar(const wchar_t* logPath, const wchar_t* name, const unsigned char& value) override;
    [[nodiscard]] int writeChar(const wchar_t* logPath, const wchar_t* name, const char& value) override;
    [[nodiscard]] int writeStringBuffer(const wchar_t* logPath, const wchar_t* name, const wchar_t* buffer,
                                        DWORD length) override;
    [[nodiscard]] int writeTime(const wchar_t* logPath, const wchar_t* name, const timeValue& value) override;
    [[nodiscard]] int readIntFamily(intArray& values, const wchar_t* family) override;
    [[nodiscard]] int writeIntFamily(const wchar_t* logPath, const intArray& values, const wchar_t* family) override;
    [[nodiscard]] int deleteIntFamily(const wchar_t* logPath, const wchar_t* family, DWORD count) override;
    [[nodiscard]] int deleteFamilyAll(const wchar_t* family, DWORD count) override;
    [[nodiscard]] int readStringFamily(stringArray& values, const wchar_t* family) override;
    [[nodiscard]] int writeStringFamily(const wchar_t* logPath, const stringArray& values,
                                        const wchar_t* family) override;
    [[nodiscard]] int deleteFamilySS(const wchar_t* family, DWORD count) override;
    [[nodiscard]] int deleteFamilyS(const wchar_t* family, DWORD count) override;
    [[nodiscard]] int deleteFamilyI(const wchar_t* family, DWORD count) override;
    [[nodiscard]] int readDllMap(dllMap& map) override;
    [[nodiscard]] int writeDllMap(const wchar_t* logPath, const dllMap& map) override;

private:
    HKEY key;
    // Nothing in this program hands the store a key to own; it stays so
    // that a store given one still closes it.
    CPointerArray ownedKeys;
};
