#pragma once

#include <string>
#include <utility>
#include <vector>

// The names in the export directory of a PE32+ file, mapped as an image
// without running it. Empty when the file cannot be mapped or is not a
// 64-bit image; failure tells why.
std::vector<std::string> readExportedNames(const std::wstring& path, std::string& failure);
// The DLLs the loader brings in at start for such a file, as its import
// directory names them.
std::vector<std::string> readImportedModules(const std::wstring& path, std::string& failure);

// The symbol names and DLL names of the short import members of an import
// library (the format Microsoft's linker writes); empty when the file cannot
// be read or is no archive, failure tells why.
std::vector<std::pair<std::string, std::string>> readShortImports(const std::wstring& path, std::string& failure);

// One export of the settings classes: its name under our compiler and under
// Microsoft's, both resolving to the same code (gnu is null where
// Microsoft's name resolves to a thunk of its own). Members are the
// operations callers call; the rest is what a Microsoft-built caller needs
// besides, to own the objects (constructors, destructors, the filling of the
// filter lists). Written out by hand: this is the record of what callers
// link against, not something read back from the build.
struct exportedName
{
    enum class role
    {
        member,
        ownership,
    };

    const char* gnu;
    const char* microsoft;
    role kind;
};

// Every export of the shared settings DLL, one row each.
const std::vector<exportedName>& settingsExports();
