// The viewer of the View test's own file type: it writes the name it was
// given to "viewMarker.txt" in that file's folder, for the test to find.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    const std::wstring file = argv[1];
    const std::wstring folder = file.substr(0, file.find_last_of(L'\\') + 1);
    const std::wstring written = folder + L"viewMarker.tmp";
    const HANDLE out = CreateFileW(written.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return 1;
    DWORD count = 0;
    const BOOL wrote = WriteFile(out, file.data(), static_cast<DWORD>(file.size() * sizeof(wchar_t)), &count, nullptr);
    CloseHandle(out);
    // Renamed when whole: the test never reads half a name.
    return wrote && MoveFileExW(written.c_str(), (folder + L"viewMarker.txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
