#include "dialogTest.h"
#include "uiWait.h"

#include "resources/resource.h"
#include "testSupport/launchedProgram.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/winePath.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

namespace
{
// The program's dialog once it is up; null when the program ended or
// the deadline passed first.
HWND waitForDialog(const launchedProgram& program)
{
    EXPECT_TRUE(program.started()) << "starting " << windowsPathOf(KORVANEX_PROGRAM_PATH);
    HWND found = nullptr;
    uiWait::until([&] {
        found = program.findDialog();
        return found != nullptr || !program.started() || program.waitForExit(0) != STILL_ACTIVE;
    });
    return found;
}

class korGUILogControllerExeTest : public ::testing::Test
{
protected:
    productKeyFixture savedProductKey;
};

TEST_F(korGUILogControllerExeTest, opensWithStoredValuesAndOkWritesThem)
{
    productKeyFixture::setText(fileNameName, L"C:\\logs\\korLogUI_x64.txt");
    productKeyFixture::setDword(writeNewFileName, 1);
    productKeyFixture::setDword(launchErrorsName, 1);
    productKeyFixture::setDword(autoMergeName, 9);

    const launchedProgram program(windowsPathOf(KORVANEX_PROGRAM_PATH));
    const HWND dialog = waitForDialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"korGUILogController x64", uiWait::windowText(dialog));
    EXPECT_EQ(L"C:\\logs\\korLogUI_x64.txt", uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    const std::pair<int, LRESULT> boxes[] = {{IDC_WRITE_NEW_FILE, BST_CHECKED},
                                             {IDC_ENABLE_LOGGING, BST_UNCHECKED},
                                             {IDC_MONITOR_LAUNCH_ERRORS, BST_CHECKED},
                                             {IDC_MONITOR_UI_RECEIVE_COMM, BST_UNCHECKED}};
    for (const auto& [box, state] : boxes)
        EXPECT_EQ(state, uiWait::checkState(dialog, box)) << box;
    // Apply is the default button.
    EXPECT_EQ(MAKELRESULT(IDC_APPLY, DC_HASDEFID), SendMessageW(dialog, DM_GETDEFID, 0, 0));

    ASSERT_TRUE(uiWait::untilPainted(dialog));
    const std::wstring screenshot = uiWait::screenshotFolder() + L"\\korGUILogController.bmp";
    EXPECT_TRUE(uiWait::saveScreenshot(dialog, screenshot));

    uiWait::toggle(dialog, IDC_ENABLE_LOGGING);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(0u, program.waitForExit(uiWait::deadlineMs));

    EXPECT_EQ(1u, productKeyFixture::storedDword(enabledName));
    EXPECT_EQ(9u, productKeyFixture::storedDword(autoMergeName));
    EXPECT_EQ(static_cast<int>(std::size(uiLoggerValues)), productKeyFixture::valueCount());
}

TEST_F(korGUILogControllerExeTest, escapeEndsTheProgramWithoutWriting)
{
    productKeyFixture::create();
    const launchedProgram program(windowsPathOf(KORVANEX_PROGRAM_PATH));
    const HWND dialog = waitForDialog(program);
    ASSERT_NE(nullptr, dialog);
    uiWait::toggle(dialog, IDC_ENABLE_LOGGING);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.waitForExit(uiWait::deadlineMs));
    EXPECT_EQ(0, productKeyFixture::valueCount());
}
} // namespace
