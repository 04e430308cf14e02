#pragma once

#include <string>
#include <vector>

// The names in the export directory of a PE32+ file, read from the file
// itself without loading it. Empty when the file cannot be read or is not
// a 64-bit image; failure tells why.
std::vector<std::string> readExportedNames(const std::wstring& path, std::string& failure);

// The eleven exported members, mangled as this compiler mangles them.
std::vector<std::string> expectedSettingsExports();

// A path given at build time as a Unix path, as Wine's Windows side sees it.
std::wstring buildPathToWindows(const char* path);
