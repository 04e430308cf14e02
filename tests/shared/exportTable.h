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

// An exported symbol under our compiler's name and Microsoft's, both
// resolving to the same code; gnu is null where Microsoft's name resolves to
// a thunk of its own.
struct exportedName
{
    const char* gnu;
    const char* microsoft;
};

// The exported members of the settings classes.
const std::vector<exportedName>& memberExports();
// What a Microsoft-built caller needs besides, to own the objects: the
// constructors and destructors, and the filling of the filter lists.
const std::vector<exportedName>& ownershipExports();
