#include "exportTable.h"

#include "support/uniqueHandle.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
// The file mapped as an image, nothing run or resolved, so every address is
// the base plus its RVA; the base stays null (failure set) unless the image is
// PE32+ and has the directory, whose RVA is then in directory.
struct mappedImage
{
    mappedImage(const std::wstring& path, int index, std::string& failure)
        : module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
        // A resource mapping's handle carries flags in its low bits.
        const auto* image = reinterpret_cast<const unsigned char*>(reinterpret_cast<ULONG_PTR>(module.get()) & ~3ull);
        const auto* nt = module ? reinterpret_cast<const IMAGE_NT_HEADERS64*>(
                                      image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew)
                                : nullptr;
        if (nt == nullptr)
            failure = "cannot map the file as an image";
        else if (nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
            failure = "not a PE32+ image";
        else if ((directory = nt->OptionalHeader.DataDirectory[index].VirtualAddress) == 0)
            failure = "no such directory";
        else
            base = image;
    }
    template <typename Type>
    const Type* at(DWORD rva) const
    {
        return reinterpret_cast<const Type*>(base + rva);
    }

    uniqueModule module;
    const unsigned char* base = nullptr;
    DWORD directory = 0;
};
} // namespace

std::vector<std::string> readExportedNames(const std::wstring& path, std::string& failure)
{
    const mappedImage image(path, IMAGE_DIRECTORY_ENTRY_EXPORT, failure);
    std::vector<std::string> names;
    if (image.base != nullptr) {
        const auto* exports = image.at<IMAGE_EXPORT_DIRECTORY>(image.directory);
        const auto* nameRvas = image.at<DWORD>(exports->AddressOfNames);
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            names.emplace_back(image.at<char>(nameRvas[i]));
    }
    return names;
}

std::vector<std::string> readImportedModules(const std::wstring& path, std::string& failure)
{
    const mappedImage image(path, IMAGE_DIRECTORY_ENTRY_IMPORT, failure);
    std::vector<std::string> modules;
    // The descriptors end with an all-zero one.
    for (const auto* import = image.at<IMAGE_IMPORT_DESCRIPTOR>(image.directory); image.base != nullptr && import->Name != 0;
         ++import)
        modules.emplace_back(image.at<char>(import->Name));
    return modules;
}

std::vector<std::pair<std::string, std::string>> readShortImports(const std::wstring& path, std::string& failure)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    constexpr std::size_t headerSize = 60; // name, dates, ids, mode, then the size at 48
    if (bytes.compare(0, 8, "!<arch>\n") != 0) {
        failure = "no archive";
        return {};
    }
    std::vector<std::pair<std::string, std::string>> imports;
    for (std::size_t offset = 8; offset + headerSize <= bytes.size();) {
        const std::size_t size = std::strtoul(bytes.substr(offset + 48, 10).c_str(), nullptr, 10);
        const std::size_t member = offset + headerSize;
        IMPORT_OBJECT_HEADER header{}; // all zero matches no short import
        if (size >= sizeof(header) && member + size <= bytes.size())
            std::memcpy(&header, bytes.data() + member, sizeof(header));
        if (header.Sig1 == IMAGE_FILE_MACHINE_UNKNOWN && header.Sig2 == IMPORT_OBJECT_HDR_SIG2) {
            const char* names = bytes.data() + member + sizeof(header);
            const std::string symbol(names);
            imports.emplace_back(symbol, std::string(names + symbol.size() + 1));
        }
        offset = member + size + (size & 1); // members start on even offsets
    }
    return imports;
}

const std::vector<exportedName>& settingsExports()
{
    using enum exportedName::role;
    static const std::vector<exportedName> names = {
        {"_ZN16SettingDataQexal34writeMemoryMappedFileHasBeenOpenedEPKwii",
         "?writeMemoryMappedFileHasBeenOpened@SettingDataQexal@@QEAAHPEB_WHH@Z", member},
        {"_ZN16SettingDataQexal33readMemoryMappedFileHasBeenOpenedEPKw",
         "?readMemoryMappedFileHasBeenOpened@SettingDataQexal@@QEAAHPEB_W@Z", member},
        {"_ZN18SettingDataKorvane33readMemoryMappedFileHasBeenOpenedEPKw",
         "?readMemoryMappedFileHasBeenOpened@SettingDataKorvane@@QEAAHPEB_W@Z", member},
        {"_ZN10MemoryData27loadProfilerTracingSettingsER22_profilerHookDebugData",
         "?loadProfilerTracingSettings@MemoryData@@QEAAHAEAU_profilerHookDebugData@@@Z", member},
        {"_ZNK10MemoryData23hasCollectorsAndFiltersEv", "?hasCollectorsAndFilters@MemoryData@@QEBAHXZ", member},
        {"_ZNK10MemoryData20hasLineTimingFiltersEv", "?hasLineTimingFilters@MemoryData@@QEBAHXZ", member},
        {"_ZN10MemoryData29isFileNameClassMethodFilteredEPKciS1_S1_i",
         "?isFileNameClassMethodFiltered@MemoryData@@QEAAHPEBDH00H@Z", member},
        {"_ZN10MemoryData29isFileNameClassMethodFilteredEPKwiS1_S1_i",
         "?isFileNameClassMethodFiltered@MemoryData@@QEAAHPEB_WH00H@Z", member},
        {"_ZN10MemoryData31isLineTimingClassMethodFilteredEPKcS1_i",
         "?isLineTimingClassMethodFiltered@MemoryData@@QEAAHPEBD0H@Z", member},
        {"_ZN10MemoryData31isLineTimingClassMethodFilteredEPKwS1_i",
         "?isLineTimingClassMethodFiltered@MemoryData@@QEAAHPEB_W0H@Z", member},
        {"_ZN10MemoryData31isLineTimingClassMethodFilteredEPKw",
         "?isLineTimingClassMethodFiltered@MemoryData@@QEAAHPEB_W@Z", member},
        {nullptr, "??0MemoryData@@QEAA@XZ", ownership},
        {nullptr, "??0SettingDataQexal@@QEAA@XZ", ownership},
        {nullptr, "??0SettingDataKorvane@@QEAA@XZ", ownership},
        {"_ZN10MemoryDataD1Ev", "??1MemoryData@@QEAA@XZ", ownership},
        {"_ZN16SettingDataQexalD1Ev", "??1SettingDataQexal@@QEAA@XZ", ownership},
        {"_ZN18SettingDataKorvaneD1Ev", "??1SettingDataKorvane@@QEAA@XZ", ownership},
        {"_ZN14stubStringList3addEPKw", "?add@stubStringList@@QEAAHPEB_W@Z", ownership},
        {"_ZN14stubStringList9removeAllEv", "?removeAll@stubStringList@@QEAAXXZ", ownership},
    };
    return names;
}
