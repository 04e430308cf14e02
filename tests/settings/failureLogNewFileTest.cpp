#include "failureLogFixture.h"

// This program's first report meets a missing file; later reports that name
// other paths still go to the file opened first.
using failureLogNewFile = failureLogTest;

TEST_F(failureLogNewFile, theFirstReportCreatesTheFileAndItStaysTheTarget)
{
    const std::wstring first = failureLogFolder::file(L"created.log");
    const std::wstring second = failureLogFolder::file(L"other.log");
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(first.c_str()));

    reportErrorToLogFile(first.c_str(), ERROR_ACCESS_DENIED, "Creating key", "");
    const std::string firstReport = systemTextA(ERROR_ACCESS_DENIED) + " : Creating key : ";
    EXPECT_EQ(firstReport, failureLogFolder::read(first));

    reportErrorToLogFile(second.c_str(), ERROR_FILE_NOT_FOUND, "Closing Key", "");
    // A null path clears the stored copy; the open file still takes the text.
    reportErrorToLogFile(nullptr, ERROR_FILE_NOT_FOUND, "Closing Key", static_cast<const char*>(nullptr));

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(second.c_str()));
    const std::string closing = systemTextA(ERROR_FILE_NOT_FOUND) + " : Closing Key";
    EXPECT_EQ(firstReport + closing + " : " + closing, failureLogFolder::read(first));
}
