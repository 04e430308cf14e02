#include "testSupport/failureLogFixture.h"

#include "support/stubHeap.h"

#include <vector>

namespace
{
// How many of the process's heaps are registered with the support library.
int registeredHeapCount()
{
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    int registered = 0;
    for (HANDLE heap : heaps)
        registered += oskHeaps::isRegistered(heap) ? 1 : 0;
    return registered;
}
} // namespace

// This program's first report meets a missing file; later reports that name
// other paths still go to the file opened first.
using failureLogNewFile = failureLogTest;

TEST_F(failureLogNewFile, theFirstReportCreatesTheFileAndItStaysTheTarget)
{
    const std::wstring first = failureLogFolder::file(L"created.log");
    const std::wstring second = failureLogFolder::file(L"other.log");
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(first.c_str()));
    EXPECT_EQ(0, registeredHeapCount());

    reportErrorToLogFile(first.c_str(), ERROR_ACCESS_DENIED, "Creating key", "");
    EXPECT_EQ(1, registeredHeapCount()) << "the log's private heap, made for the path copy";
    const std::string firstReport = systemTextA(ERROR_ACCESS_DENIED) + " : Creating key : ";
    EXPECT_EQ(firstReport, scratchFolder::readAll(first));

    reportErrorToLogFile(second.c_str(), ERROR_FILE_NOT_FOUND, "Closing Key", "");
    // A null path clears the stored copy; the open file still takes the text.
    reportErrorToLogFile(nullptr, ERROR_FILE_NOT_FOUND, "Closing Key", static_cast<const char*>(nullptr));

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(second.c_str()));
    const std::string closing = systemTextA(ERROR_FILE_NOT_FOUND) + " : Closing Key";
    EXPECT_EQ(firstReport + closing + " : " + closing, scratchFolder::readAll(first));
}
