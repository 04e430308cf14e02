#include "exportTable.h"

#include "support/uniqueHandle.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace
{
std::vector<unsigned char> readWholeFile(const std::wstring& path)
{
    uniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > 256 * 1024 * 1024)
        return {};
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size())
        return {};
    return bytes;
}

template <typename T>
bool readAt(const std::vector<unsigned char>& bytes, std::size_t offset, T& value)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        return false;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

class imageFile
{
public:
    explicit imageFile(std::vector<unsigned char> content) : bytes(std::move(content)) {}

    bool parse(std::string& failure)
    {
        IMAGE_DOS_HEADER dos{};
        if (!readAt(bytes, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) {
            failure = "no MZ header";
            return false;
        }
        ntOffset = static_cast<std::size_t>(dos.e_lfanew);
        if (!readAt(bytes, ntOffset, nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
            nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
            failure = "not a PE32+ image";
            return false;
        }
        return true;
    }

    // File offset of a relative virtual address, through the section table.
    bool offsetOf(DWORD rva, std::size_t& offset) const
    {
        const std::size_t sections = ntOffset + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                     nt.FileHeader.SizeOfOptionalHeader;
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            if (!readAt(bytes, sections + i * sizeof(IMAGE_SECTION_HEADER), section))
                return false;
            const DWORD extent = section.Misc.VirtualSize > section.SizeOfRawData ? section.Misc.VirtualSize
                                                                                  : section.SizeOfRawData;
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < extent) {
                offset = section.PointerToRawData + (rva - section.VirtualAddress);
                return offset < bytes.size();
            }
        }
        return false;
    }

    std::string textAt(std::size_t offset) const
    {
        std::string text;
        while (offset < bytes.size() && bytes[offset] != 0)
            text += static_cast<char>(bytes[offset++]);
        return text;
    }

    const IMAGE_DATA_DIRECTORY& exportDirectory() const
    {
        return nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    }

    const std::vector<unsigned char>& content() const { return bytes; }

private:
    std::vector<unsigned char> bytes;
    std::size_t ntOffset = 0;
    IMAGE_NT_HEADERS64 nt{};
};
} // namespace

std::vector<std::string> readExportedNames(const std::wstring& path, std::string& failure)
{
    imageFile image(readWholeFile(path));
    if (image.content().empty()) {
        failure = "cannot read the file";
        return {};
    }
    if (!image.parse(failure))
        return {};
    const IMAGE_DATA_DIRECTORY& directory = image.exportDirectory();
    if (directory.VirtualAddress == 0 || directory.Size == 0) {
        failure = "no export directory";
        return {};
    }
    std::size_t exportOffset = 0;
    IMAGE_EXPORT_DIRECTORY exports{};
    if (!image.offsetOf(directory.VirtualAddress, exportOffset) || !readAt(image.content(), exportOffset, exports)) {
        failure = "export directory outside the sections";
        return {};
    }
    std::size_t namesOffset = 0;
    if (exports.NumberOfNames != 0 && !image.offsetOf(exports.AddressOfNames, namesOffset)) {
        failure = "name table outside the sections";
        return {};
    }
    std::vector<std::string> names;
    for (DWORD i = 0; i < exports.NumberOfNames; ++i) {
        DWORD nameRva = 0;
        std::size_t nameOffset = 0;
        if (!readAt(image.content(), namesOffset + i * sizeof(DWORD), nameRva) ||
            !image.offsetOf(nameRva, nameOffset)) {
            failure = "name outside the sections";
            return {};
        }
        names.push_back(image.textAt(nameOffset));
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> readShortImports(const std::wstring& path, std::string& failure)
{
    const std::vector<unsigned char> bytes = readWholeFile(path);
    constexpr char archiveMagic[] = "!<arch>\n";
    constexpr std::size_t headerSize = 60; // name, dates, ids, mode, then the size at 48
    if (bytes.size() < 8 || std::memcmp(bytes.data(), archiveMagic, 8) != 0) {
        failure = "no archive";
        return {};
    }
    std::vector<std::pair<std::string, std::string>> imports;
    for (std::size_t offset = 8; offset + headerSize <= bytes.size();) {
        const std::string sizeText(reinterpret_cast<const char*>(bytes.data()) + offset + 48, 10);
        const std::size_t size = std::strtoul(sizeText.c_str(), nullptr, 10);
        const std::size_t member = offset + headerSize;
        IMPORT_OBJECT_HEADER header{};
        if (size >= sizeof(header) && readAt(bytes, member, header) && header.Sig1 == IMAGE_FILE_MACHINE_UNKNOWN &&
            header.Sig2 == IMPORT_OBJECT_HDR_SIG2 && member + size <= bytes.size()) {
            const char* names = reinterpret_cast<const char*>(bytes.data()) + member + sizeof(header);
            const std::string symbol(names);
            imports.emplace_back(symbol, std::string(names + symbol.size() + 1));
        }
        offset = member + size + (size & 1); // members start on even offsets
    }
    return imports;
}

const std::vector<exportedName>& memberExports()
{
    static const std::vector<exportedName> names = {
        {"_ZN16SettingDataQexal34writeMemoryMappedFileHasBeenOpenedEPKwii",
         "?writeMemoryMappedFileHasBeenOpened@SettingDataQexal@@QEAAHPEB_WHH@Z"},
        {"_ZN16SettingDataQexal33readMemoryMappedFileHasBeenOpenedEPKw",
         "?readMemoryMappedFileHasBeenOpened@SettingDataQexal@@QEAAHPEB_W@Z"},
        {"_ZN18SettingDataKorvane33readMemoryMappedFileHasBeenOpenedEPKw",
         "?readMemoryMappedFileHasBeenOpened@SettingDataKorvane@@QEAAHPEB_W@Z"},
        {"_ZN10MemoryData27loadProfilerTracingSettingsER22_profilerHookDebugData",
         "?loadProfilerTracingSettings@MemoryData@@QEAAHAEAU_profilerHookDebugData@@@Z"},
        {"_ZNK10MemoryData23hasCollectorsAndFiltersEv", "?hasCollectorsAndFilters@MemoryData@@QEBAHXZ"},
        {"_ZNK10MemoryData20hasLineTimingFiltersEv", "?hasLineTimingFilters@MemoryData@@QEBAHXZ"},
        {"_ZN10MemoryData29isFileNameClassMethodFilteredEPKciS1_S1_i",
         "?isFileNameClassMethodFiltered@MemoryData@@QEAAHPEBDH00H@Z"},
        {"_ZN10MemoryData29isFileNameClassMethodFilteredEPKwiS1_S1_i",
         "?isFileNameClassMethodFiltered@MemoryData@@QEAAHPEB_WH00H@Z"},
        {"_ZN10MemoryData31isLineTimingClassMethodFilteredEPKcS1_i",
         "?isLineTimingClassMethodFiltered@MemoryData@@QEAAHPEBD0H@Z"},
        {"_ZN10MemoryData31isLineTimingClassMethodFilteredEPKwS1_i",
         "?isLineTimingClassMethodFiltered@MemoryData@@QEAAHPEB_W0H@Z"},
        {"_ZN10MemoryData31isLineTimingClassMethodFilteredEPKw",
         "?isLineTimingClassMethodFiltered@MemoryData@@QEAAHPEB_W@Z"},
    };
    return names;
}

const std::vector<exportedName>& ownershipExports()
{
    static const std::vector<exportedName> names = {
        {nullptr, "??0MemoryData@@QEAA@XZ"},
        {nullptr, "??0SettingDataQexal@@QEAA@XZ"},
        {nullptr, "??0SettingDataKorvane@@QEAA@XZ"},
        {"_ZN10MemoryDataD1Ev", "??1MemoryData@@QEAA@XZ"},
        {"_ZN16SettingDataQexalD1Ev", "??1SettingDataQexal@@QEAA@XZ"},
        {"_ZN18SettingDataKorvaneD1Ev", "??1SettingDataKorvane@@QEAA@XZ"},
        {"_ZN14stubStringList3addEPKw", "?add@stubStringList@@QEAAHPEB_W@Z"},
        {"_ZN14stubStringList9removeAllEv", "?removeAll@stubStringList@@QEAAXXZ"},
    };
    return names;
}
