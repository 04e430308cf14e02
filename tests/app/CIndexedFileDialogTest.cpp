#include "dialogTest.h"
#include "uiWait.h"

#include "app/CIndexedFileDialog.h"
#include "resources/resource.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/scratchFolder.h"

#include <gtest/gtest.h>

namespace
{
TEST(findFilterIndex, firstPatternListWithTheExtension)
{
    EXPECT_EQ(1, CIndexedFileDialog(nullptr).findFilterIndex());
    EXPECT_EQ(1, CIndexedFileDialog::findFilterIndex(L"QX Log Files (*.txt)|*.txt|All Files (*.*)|*.*||", L"txt"));
    // Descriptions (with "(") do not count; lists split at ";"; case is ignored.
    EXPECT_EQ(2, CIndexedFileDialog::findFilterIndex(L"All (*.*)|*.*|Logs (*.log;*.TXT)|*.log;*.TXT||", L"txt"));
    EXPECT_EQ(0, CIndexedFileDialog::findFilterIndex(L"Logs (*.log)|*.log||", L"txt"));
    // Empty pieces fall away before counting.
    EXPECT_EQ(2, CIndexedFileDialog::findFilterIndex(L"||A (*.a)|*.a|||B (*.txt)|*.txt||", L"txt"));
    // A pattern without a "." matches nothing.
    EXPECT_EQ(0, CIndexedFileDialog::findFilterIndex(L"Any|txt||", L"txt"));
}

// Holds back the timer messages of one window while it lives: a message hook
// on the window's thread turns them into WM_NULL before they are dispatched.
class heldTimer
{
public:
    heldTimer(HWND window, DWORD threadId)
    {
        heldWindow = window;
        hook = SetWindowsHookExW(WH_GETMESSAGE, dropTimer, nullptr, threadId);
        EXPECT_NE(nullptr, hook);
        // A timer message the thread took before the hook has been handled once it answers.
        SendMessageW(window, WM_NULL, 0, 0);
    }
    ~heldTimer() { UnhookWindowsHookEx(hook); }
    heldTimer(const heldTimer&) = delete;
    heldTimer& operator=(const heldTimer&) = delete;

private:
    static LRESULT CALLBACK dropTimer(int code, WPARAM removed, LPARAM parameter)
    {
        MSG* message = reinterpret_cast<MSG*>(parameter);
        if (code == HC_ACTION && message->message == WM_TIMER && message->hwnd == heldWindow)
            message->message = WM_NULL;
        return CallNextHookEx(nullptr, code, removed, parameter);
    }

    // The hook procedure gets no context of its own.
    static inline HWND heldWindow = nullptr;
    HHOOK hook = nullptr;
};

class browseTest : public dialogTest
{
protected:
    void SetUp() override
    {
        productKeyFixture::create();
        lastFolderByExtension.RemoveAll();
    }

    // Presses Browse, types name into the file dialog and presses Enter (or
    // Escape when name is null); returns false when the dialog did not come.
    // The chooser may be the Explorer-style dialog or the newer one, which
    // differ in their controls; both open with the focus in the file-name
    // box, and both take Enter as Open and Escape as Cancel.
    bool browse(const wchar_t* name)
    {
        uiWait::clickPosted(dialog, IDC_BROWSE);
        HWND chooser = nullptr;
        HWND nameBox = nullptr;
        // Found only once shown: the dialog fills its file-name box while it
        // opens (from the file list), which would overwrite a name typed earlier.
        if (!uiWait::until([&] {
                chooser = uiWait::findThreadWindow(runner->threadId(), L"#32770", nullptr, dialog);
                GUITHREADINFO info{};
                info.cbSize = sizeof(info);
                if (chooser == nullptr || !IsWindowVisible(chooser) || !GetGUIThreadInfo(runner->threadId(), &info))
                    return false;
                nameBox = IsChild(chooser, info.hwndFocus) ? info.hwndFocus : nullptr;
                return nameBox != nullptr;
            }))
            return false;
        EXPECT_EQ(dialog, GetWindow(chooser, GW_OWNER));
        if (name != nullptr) {
            // Typed again until it stays, should the dialog still be filling the box.
            EXPECT_TRUE(uiWait::until([&] {
                SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
                return uiWait::windowText(nameBox) == name;
            }));
        }
        // Posted as the keyboard would: the chooser's own message loop turns
        // the key into its button's command.
        const WPARAM key = name != nullptr ? VK_RETURN : VK_ESCAPE;
        PostMessageW(nameBox, WM_KEYDOWN, key, 1);
        PostMessageW(nameBox, WM_KEYUP, key, 0xC0000001);
        return uiWait::until([&] { return !IsWindow(chooser); });
    }
};

TEST_F(browseTest, chosenPathGoesToTheEditBoxAndFoldersAreRememberedPerExtension)
{
    scratchFolder logs;
    scratchFolder traces;
    scratchFolder upper;
    const std::wstring runPath = logs.file(L"run.txt");
    scratchFolder::writeAll(runPath, "x");
    ASSERT_NO_FATAL_FAILURE(open());

    ASSERT_TRUE(browse(runPath.c_str()));
    EXPECT_EQ(runPath, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    EXPECT_TRUE(uiWait::isItemEnabled(dialog, IDC_VIEW)) << "buttons brought up to date";
    CWideString remembered;
    ASSERT_TRUE(lastFolderByExtension.Lookup(L"txt", remembered));
    EXPECT_EQ(logs.path(), std::wstring(remembered));

    // Under "All Files" another extension is remembered on its own.
    const std::wstring tracePath = traces.file(L"trace.log");
    ASSERT_TRUE(browse(tracePath.c_str()));
    EXPECT_EQ(tracePath, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    ASSERT_TRUE(lastFolderByExtension.Lookup(L"log", remembered));
    EXPECT_EQ(traces.path(), std::wstring(remembered));

    // The next Browse starts in the folder remembered for "txt", and a
    // name without extension gets the default one (an open dialog adds it
    // when a file of that name exists).
    scratchFolder::writeAll(logs.file(L"next.txt"), "x");
    ASSERT_TRUE(browse(L"next"));
    EXPECT_EQ(logs.file(L"next.txt"), uiWait::itemText(dialog, IDC_LOGFILE_EDIT));

    // An upper-case extension is remembered in lower case.
    const std::wstring upperPath = upper.file(L"A.TXT");
    ASSERT_TRUE(browse(upperPath.c_str()));
    EXPECT_EQ(upperPath, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    ASSERT_TRUE(lastFolderByExtension.Lookup(L"txt", remembered));
    EXPECT_EQ(upper.path(), std::wstring(remembered));
    EXPECT_EQ(2, lastFolderByExtension.GetCount());
}

TEST_F(browseTest, cancelLeavesTheEditBoxAloneAndBringsTheButtonsUpToDate)
{
    scratchFolder folder;
    const std::wstring logPath = folder.file(L"kept.txt");
    ASSERT_NO_FATAL_FAILURE(open());
    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, logPath);
    // The file appears after the last text change, and with the timer held
    // only Browse itself can show it.
    const heldTimer held(dialog, runner->threadId());
    scratchFolder::writeAll(logPath, "x");
    SendMessageW(dialog, WM_NULL, 0, 0);
    ASSERT_EQ(bothDisabled, fileButtons(dialog));

    ASSERT_TRUE(browse(nullptr));
    SendMessageW(dialog, WM_NULL, 0, 0);
    EXPECT_EQ(logPath, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    EXPECT_EQ(bothEnabled, fileButtons(dialog));
    EXPECT_TRUE(lastFolderByExtension.IsEmpty());
}

TEST_F(browseTest, vanishedRememberedFolderIsNotUsed)
{
    scratchFolder folder;
    const std::wstring gone = folder.path() + L"\\gone";
    lastFolderByExtension.SetAt(L"txt", gone.c_str());
    ASSERT_NO_FATAL_FAILURE(open());

    const std::wstring chosen = folder.file(L"here.txt");
    ASSERT_TRUE(browse(chosen.c_str()));
    EXPECT_EQ(chosen, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    CWideString remembered;
    ASSERT_TRUE(lastFolderByExtension.Lookup(L"txt", remembered));
    EXPECT_EQ(folder.path(), std::wstring(remembered));
}
} // namespace
