#include "dialogTest.h"
#include "uiWait.h"

#include "app/CIndexedFileDialog.h"
#include "resources/resource.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/scratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

// The log-file chooser with the system dialog scripted: it answers with the
// path given (null: the user cancels) and notes the folder it was to start in.
class scriptedChooser : public CIndexedFileDialog
{
public:
    scriptedChooser(HWND owner, const wchar_t* answer) : CIndexedFileDialog(owner), answer(answer) {}

    std::wstring startFolder;

private:
    bool runSystemDialog() override
    {
        startFolder = settings.lpstrInitialDir != nullptr ? settings.lpstrInitialDir : L"";
        EXPECT_EQ(1u, settings.nFilterIndex) << "the log files' pattern list";
        if (answer != nullptr)
            wcsncpy_s(settings.lpstrFile, settings.nMaxFile, answer, _TRUNCATE);
        return answer != nullptr;
    }

    const wchar_t* answer;
};

class indexedFileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { lastFolderByExtension.RemoveAll(); }

    // Runs a chooser that answers with answer; the folder it started in.
    static std::wstring startOfChoice(const wchar_t* answer)
    {
        scriptedChooser chooser(nullptr, answer);
        EXPECT_EQ(answer != nullptr ? IDOK : IDCANCEL, chooser.doModal());
        return chooser.startFolder;
    }
    static std::wstring remembered(const wchar_t* extension)
    {
        CWideString folder;
        return lastFolderByExtension.Lookup(extension, folder) ? std::wstring(folder) : L"(none)";
    }
};

TEST_F(indexedFileDialogTest, foldersAreRememberedPerExtensionInLowerCaseAndUsedWhileTheyExist)
{
    scratchFolder logs;
    scratchFolder traces;
    scratchFolder upper;
    lastFolderByExtension.SetAt(L"txt", (logs.path() + L"\\gone").c_str());
    EXPECT_EQ(L"", startOfChoice(logs.file(L"run.txt").c_str()));
    EXPECT_EQ(logs.path(), remembered(L"txt"));

    // Another extension is remembered on its own; the chooser always starts
    // where its default extension was last chosen.
    EXPECT_EQ(logs.path(), startOfChoice(traces.file(L"trace.log").c_str()));
    EXPECT_EQ(traces.path(), remembered(L"log"));
    EXPECT_EQ(logs.path(), startOfChoice(upper.file(L"A.TXT").c_str()));
    EXPECT_EQ(upper.path(), remembered(L"txt"));
    EXPECT_EQ(2, lastFolderByExtension.GetCount());

    // Cancel remembers nothing.
    EXPECT_EQ(upper.path(), startOfChoice(nullptr));
    EXPECT_EQ(upper.path(), remembered(L"txt"));
    EXPECT_EQ(2, lastFolderByExtension.GetCount());
}

class browseTest : public dialogTest
{
protected:
    void SetUp() override
    {
        productKeyFixture::create();
        lastFolderByExtension.RemoveAll();
    }
};

TEST_F(browseTest, chosenPathGoesToTheEditBoxAndCancelLeavesItAlone)
{
    scratchFolder folder;
    const std::wstring chosen = folder.file(L"run.txt");
    ASSERT_NO_FATAL_FAILURE(open());
    scriptedChooser accepting(dialog, chosen.c_str());
    runner->dialog().browseLogFileWith(accepting);
    EXPECT_EQ(chosen, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));

    // The file appears after the last text change, on the dialog's thread:
    // no timer tick comes between, so only Browse itself can show it.
    const std::wstring logPath = folder.file(L"kept.txt");
    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, logPath);
    scriptedChooser cancelling(dialog, nullptr);
    std::pair<bool, bool> before;
    std::pair<bool, bool> after;
    runner->callOnDialogThread([&] {
        scratchFolder::writeAll(logPath, "x");
        before = fileButtons(dialog);
        runner->dialog().browseLogFileWith(cancelling);
        after = fileButtons(dialog);
    });
    EXPECT_EQ(bothDisabled, before);
    EXPECT_EQ(bothEnabled, after);
    EXPECT_EQ(logPath, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
}

// The system's own chooser behind Browse: owned by the dialog and opened in
// the remembered folder. It is cancelled by its command, as its Cancel
// button would: nothing here needs the keyboard focus.
TEST_F(browseTest, systemChooserIsOwnedByTheDialogAndOpensInTheRememberedFolder)
{
    scratchFolder folder;
    lastFolderByExtension.SetAt(L"txt", folder.path().c_str());
    ASSERT_NO_FATAL_FAILURE(open());
    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, L"kept");

    uiWait::clickPosted(dialog, IDC_BROWSE);
    HWND chooser = nullptr;
    wchar_t start[MAX_PATH] = {};
    ASSERT_TRUE(uiWait::until([&] {
        chooser = uiWait::findThreadWindow(runner->threadId(), L"#32770", nullptr, dialog);
        return chooser != nullptr &&
               SendMessageW(chooser, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(start)) > 0;
    }));
    EXPECT_EQ(dialog, GetWindow(chooser, GW_OWNER));
    EXPECT_EQ(folder.path(), scratchFolder::longPath(start));
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(uiWait::until([&] { return !IsWindow(chooser); }));
    SendMessageW(dialog, WM_NULL, 0, 0);
    EXPECT_EQ(L"kept", uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    EXPECT_NE(nullptr, GetModuleHandleW(L"comdlg32.dll")) << "the chooser's module stays loaded";
}
} // namespace
