#pragma once

#include <string>

// A new, empty folder under the system's temporary folder for one test;
// removed with its content when the test ends.
class scratchFolder
{
public:
    scratchFolder();
    ~scratchFolder();
    scratchFolder(const scratchFolder&) = delete;
    scratchFolder& operator=(const scratchFolder&) = delete;

    const std::wstring& path() const { return folder; }
    std::wstring file(const wchar_t* name) const { return folder + L"\\" + name; }

    // The whole content of a file, or an empty string when it cannot be read.
    static std::string readAll(const std::wstring& path);
    static void writeAll(const std::wstring& path, const std::string& content);

private:
    std::wstring folder;
};
