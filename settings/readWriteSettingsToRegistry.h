#pragma once

#include "framework/CPointerArray.h"
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

    int collectValueNames(const wchar_t* prefix, nameMap& names) override;
    int readWord(const wchar_t* name, WORD& value) override;
    int readStubString(const wchar_t* name, stubString& value) override;
    int readStubStringA(const char* name, stubString& value) override;
    int readStringList(const wchar_t* listName, std::vector<CWideString>& list) override;
    int readBinary8(const wchar_t* name, binary8Value& value) override;
    int readString(const wchar_t* name, CWideString& value) override;
    int readUInt64(const wchar_t* name, UINT64& value) override;
    int readInt64(const wchar_t* name, INT64& value) override;
    int readDword(const wchar_t* name, DWORD& value) override;
    int readDouble(const wchar_t* name, double& value) override;
    int readUInt(const wchar_t* name, unsigned int& value) override;
    int readInt(const wchar_t* name, int& value) override;
    int readWideChar(const wchar_t* name, wchar_t& value) override;
    int readUChar(const wchar_t* name, unsigned char& value) override;
    int readChar(const wchar_t* name, char& value) override;
    int readStringA(const char* name, char* buffer, DWORD capacityBytes) override;
    int readStringBuffer(const wchar_t* name, wchar_t* buffer, DWORD capacity) override;
    int readTime(const wchar_t* name, timeValue& value) override;
    int writeStubString(const wchar_t* logPath, const wchar_t* name, const stubString& value) override;
    int writeStubStringA(const wchar_t* logPath, const char* name, const stubString& value) override;
    int writeStringA(const wchar_t* logPath, const char* name, const char* value) override;
    int writeStringList(const wchar_t* logPath, const wchar_t* listName,
                const std::vector<CWideString>& list) override;
    int writeBinary8(const wchar_t* logPath, const wchar_t* name, const binary8Value& value) override;
    int writeString(const wchar_t* logPath, const wchar_t* name, const CWideString& value) override;
    int writeUInt64(const wchar_t* logPath, const wchar_t* name, const UINT64& value) override;
    int writeInt64(const wchar_t* logPath, const wchar_t* name, const INT64& value) override;
    int writeDword(const wchar_t* logPath, const wchar_t* name, const DWORD& value) override;
    int writeDouble(const wchar_t* logPath, const wchar_t* name, const double& value) override;
    int writeWord(const wchar_t* logPath, const wchar_t* name, const WORD& value) override;
    int writeUInt(const wchar_t* logPath, const wchar_t* name, const unsigned int& value) override;
    int writeInt(const wchar_t* logPath, const wchar_t* name, const int& value) override;
    int writeWideChar(const wchar_t* logPath, const wchar_t* name, const wchar_t& value) override;
    int writeUChar(const wchar_t* logPath, const wchar_t* name, const unsigned char& value) override;
    int writeChar(const wchar_t* logPath, const wchar_t* name, const char& value) override;
    int writeStringBuffer(const wchar_t* logPath, const wchar_t* name, const wchar_t* buffer, DWORD length) override;
    int writeTime(const wchar_t* logPath, const wchar_t* name, const timeValue& value) override;
    int readIntFamily(intArray& values, const wchar_t* family) override;
    int writeIntFamily(const wchar_t* logPath, const intArray& values, const wchar_t* family) override;
    int deleteIntFamily(const wchar_t* logPath, const wchar_t* family, DWORD count) override;
    int deleteFamilyAll(const wchar_t* family, DWORD count) override;
    int readStringFamily(stringArray& values, const wchar_t* family) override;
    int writeStringFamily(const wchar_t* logPath, const stringArray& values, const wchar_t* family) override;
    int deleteFamilySS(const wchar_t* family, DWORD count) override;
    int deleteFamilyS(const wchar_t* family, DWORD count) override;
    int deleteFamilyI(const wchar_t* family, DWORD count) override;
    int readDllMap(dllMap& map) override;
    int writeDllMap(const wchar_t* logPath, const dllMap& map) override;

private:
    HKEY key;
    CPointerArray ownedKeys;
};
