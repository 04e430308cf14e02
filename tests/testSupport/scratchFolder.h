#pragma once

#include <string>

// A new, empty folder under the system's temporary folder for one test,
// named in long form; removed with its content when the test ends.
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
    // The long form of an existing path; the path itself when it has none.
    static std::wstring longPath(const std::wstring& path);

private:
    std::wstring folder;
};
