#include "dialogTest.h"
#include "uiWait.h"

#include "resources/resource.h"
#include "support/uniqueHandle.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/winePath.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The built program in a process of its own.
class runningProgram
{
public:
    runningProgram()
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        std::wstring commandLine = L"\"" + windowsPathOf(KORVANEX_PROGRAM_PATH) + L"\"";
        EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &info))
            << "starting " << windowsPathOf(KORVANEX_PROGRAM_PATH);
        process.reset(info.hProcess);
        CloseHandle(info.hThread);
        threadId = info.dwThreadId;
    }
    ~runningProgram()
    {
        if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), uiWait::deadlineMs);
        }
    }

    // The dialog, which the program opens on its first thread.
    HWND waitForDialog() const
    {
        HWND found = nullptr;
        uiWait::until([&] {
            found = uiWait::findThreadWindow(threadId, L"#32770");
            return found != nullptr || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
        });
        return found;
    }

    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD waitForExit() const
    {
        WaitForSingleObject(process.get(), uiWait::deadlineMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.get(), &code);
        return code;
    }

private:
    uniqueKernelHandle process;
    DWORD threadId = 0;
};

class korGUILogControllerExeTest : public ::testing::Test
{
protected:
    productKeyFixture savedProductKey;
};

TEST_F(korGUILogControllerExeTest, opensWithStoredValuesAndOkWritesThem)
{
    productKeyFixture::setText(L"uiLogger::fileName", L"C:\\logs\\korLogUI_x64.txt");
    productKeyFixture::setDword(L"uiLogger::writeNewFile", 1);
    productKeyFixture::setDword(L"uiLogger::monitorLaunchErrorCodes", 1);
    productKeyFixture::setDword(L"uiLogger::monitorAutoMerge", 9);

    runningProgram program;
    const HWND dialog = program.waitForDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"korGUILogController x64", uiWait::windowText(dialog));
    EXPECT_EQ(L"C:\\logs\\korLogUI_x64.txt", uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    EXPECT_EQ((std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}), boxStates(dialog));
    // Apply is the default button.
    EXPECT_EQ(MAKELRESULT(IDC_APPLY, DC_HASDEFID), SendMessageW(dialog, DM_GETDEFID, 0, 0));

    ASSERT_TRUE(uiWait::untilPainted(dialog));
    const std::wstring screenshot = uiWait::screenshotFolder() + L"\\korGUILogController.bmp";
    EXPECT_TRUE(uiWait::saveScreenshot(dialog, screenshot));

    uiWait::toggle(dialog, IDC_ENABLE_LOGGING);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(0u, program.waitForExit());

    EXPECT_EQ(1u, productKeyFixture::storedDword(L"uiLogger::enabled"));
    EXPECT_EQ(9u, productKeyFixture::storedDword(L"uiLogger::monitorAutoMerge"));
    EXPECT_EQ(6, productKeyFixture::valueCount());
}

TEST_F(korGUILogControllerExeTest, escapeEndsTheProgramWithoutWriting)
{
    productKeyFixture::create();
    runningProgram program;
    const HWND dialog = program.waitForDialog();
    ASSERT_NE(nullptr, dialog);
    uiWait::toggle(dialog, IDC_ENABLE_LOGGING);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.waitForExit());
    EXPECT_EQ(0, productKeyFixture::valueCount());
}
} // namespace
