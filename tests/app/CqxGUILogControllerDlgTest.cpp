#include "dialogTest.h"
#include "profilerFolder.h"
#include "uiWait.h"

#include "app/shellViewer.h"
#include "app/uiLoggerSettings.h"
#include "resources/resource.h"
#include "support/moduleFunction.h"
#include "settings/productKeyOpener.h"
#include "support/uniqueHandle.h"
#include "testSupport/dialogTemplate.h"
#include "testSupport/handleCount.h"
#include "testSupport/productKeyFixture.h"
#include "testSupport/scratchFolder.h"
#include "testSupport/winePath.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <atomic>
#include <initializer_list>
#include <iterator>
#include <thread>
#include <utility>

extern "C" __declspec(dllimport) int throwAndCatchInside();

namespace
{
constexpr int valueCount = static_cast<int>(std::size(uiLoggerValues));

// Every value of the product key, raw, for comparing before and after.
std::string snapshot()
{
    std::string all;
    for (const uiLoggerValue& value : uiLoggerValues) {
        DWORD type = 0;
        std::string data;
        all += productKeyFixture::queryValue(value.name, type, data) ? std::to_string(type) + ":" + data + "|" : "missing|";
    }
    return all;
}

void setDwords(std::initializer_list<std::pair<const wchar_t*, DWORD>> values)
{
    for (const auto& [name, value] : values)
        productKeyFixture::setDword(name, value);
}

// Waits until the UI thread has handled everything sent before.
void roundTrip(HWND dialog)
{
    SendMessageW(dialog, WM_NULL, 0, 0);
}

class logControllerDialogTest : public dialogTest
{
protected:
    void SetUp() override { uiLoggerSettings = uiLoggerSettingsRecord{}; }

    // Waits for the dialog's box of that caption, checks its text and owner,
    // closes it and sees the dialog still open afterwards.
    void answerBox(const wchar_t* caption, const wchar_t* text)
    {
        HWND box = nullptr;
        ASSERT_TRUE(uiWait::until([&] {
            box = uiWait::findThreadWindow(runner->threadId(), L"#32770", caption, dialog);
            return box != nullptr;
        })) << "no box " << caption;
        EXPECT_NE(std::wstring::npos, uiWait::staticTexts(box).find(text));
        EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
        // A box's buttons have no documented ids. Closing it is a Cancel, which
        // a box with only OK answers as OK, as it answers Escape.
        PostMessageW(box, WM_CLOSE, 0, 0);
        ASSERT_TRUE(uiWait::until([&] { return !IsWindow(box); }));
        roundTrip(dialog);
        EXPECT_FALSE(runner->hasEnded());
    }
};

TEST_F(logControllerDialogTest, emptyKeyShowsEmptyNameAndClearedBoxes)
{
    productKeyFixture::create();
    ASSERT_NO_FATAL_FAILURE(open());

    EXPECT_EQ(L"", uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    EXPECT_EQ(std::vector<LRESULT>(optionBoxes().size(), BST_UNCHECKED), boxStates(dialog));
    EXPECT_EQ(bothDisabled, fileButtons(dialog));

    // The caption is the program's file name with " x64" for its extension.
    EXPECT_EQ(L"logControllerDialogTests x64", uiWait::windowText(dialog));

    // The focus starts in the edit box, where the dialog is active: a
    // process that is not in the foreground may get an inactive dialog.
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetGUIThreadInfo(runner->threadId(), &info));
    if (info.hwndActive == dialog) {
        EXPECT_EQ(GetDlgItem(dialog, IDC_LOGFILE_EDIT), info.hwndFocus);
    }
    // The timer got the first id.
    EXPECT_EQ(1, runner->dialog().getTimerId());
    // Opening writes nothing.
    EXPECT_EQ(0, productKeyFixture::valueCount());
}

TEST_F(logControllerDialogTest, unopenableKeyShowsDefaultsWithoutMessage)
{
    productKeyFixture::makeUncreatable();
    ASSERT_NO_FATAL_FAILURE(open());

    EXPECT_EQ(defaultLogFilePath(), uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    EXPECT_EQ(resetStates(), boxStates(dialog));

    roundTrip(dialog);
    EXPECT_EQ(nullptr, uiWait::findThreadWindow(runner->threadId(), L"#32770", nullptr, dialog));
    EXPECT_EQ(0, uiLoggerSettings.enabled);
    EXPECT_TRUE(uiLoggerSettings.fileName.IsEmpty());
    EXPECT_EQ(0, uiLoggerSettings.writeNewFile);
}

TEST_F(logControllerDialogTest, storedValuesAreShownAndApplyWritesEveryValue)
{
    scratchFolder folder;
    const std::wstring logPath = folder.file(L"run.log");
    scratchFolder::writeAll(logPath, "log");
    productKeyFixture::setText(fileNameName, logPath);
    // enabled other than 0 and 1 goes to the box as it is; monitorAutoMerge missing.
    setDwords({{enabledName, 2}, {writeNewFileName, 0}, {launchErrorsName, 1}, {receiveCommName, 0}});

    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_EQ(logPath, uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    // How an ordinary check box shows 2 (the indeterminate state of a
    // three-state box) is the system's affair; Apply writes 1 only when it
    // reads as checked.
    const DWORD enabledAfterApply = uiWait::checkState(dialog, IDC_ENABLE_LOGGING) == BST_CHECKED ? 1 : 0;
    EXPECT_EQ(BST_UNCHECKED, uiWait::checkState(dialog, IDC_WRITE_NEW_FILE));
    EXPECT_EQ(BST_CHECKED, uiWait::checkState(dialog, IDC_MONITOR_LAUNCH_ERRORS));
    EXPECT_EQ(BST_UNCHECKED, uiWait::checkState(dialog, IDC_MONITOR_UI_RECEIVE_COMM));
    EXPECT_EQ(bothEnabled, fileButtons(dialog));
    EXPECT_EQ(2, uiLoggerSettings.enabled);
    EXPECT_EQ(0, uiLoggerSettings.monitorAutoMerge);

    uiWait::click(dialog, IDC_APPLY);
    EXPECT_EQ(enabledAfterApply, productKeyFixture::storedDword(enabledName));
    EXPECT_EQ(logPath, productKeyFixture::storedText(fileNameName));
    EXPECT_EQ(0u, productKeyFixture::storedDword(writeNewFileName));
    EXPECT_EQ(1u, productKeyFixture::storedDword(launchErrorsName));
    EXPECT_EQ(0u, productKeyFixture::storedDword(receiveCommName));
    EXPECT_EQ(0u, productKeyFixture::storedDword(autoMergeName)) << "created although the dialog has no control for it";
    EXPECT_FALSE(runner->hasEnded()) << "Apply stays in the dialog";
}

TEST_F(logControllerDialogTest, applyCarriesAutoMergeAndWritesEverythingAgain)
{
    productKeyFixture::create();
    productKeyFixture::setDword(autoMergeName, 7);
    ASSERT_NO_FATAL_FAILURE(open());

    uiWait::toggle(dialog, IDC_WRITE_NEW_FILE); // cleared on an empty key: now checked
    uiWait::click(dialog, IDC_APPLY);
    EXPECT_EQ(L"", productKeyFixture::storedText(fileNameName)) << "an empty name is the terminator alone";
    EXPECT_EQ(1u, productKeyFixture::storedDword(writeNewFileName));
    EXPECT_EQ(7u, productKeyFixture::storedDword(autoMergeName));
    EXPECT_EQ(valueCount, productKeyFixture::valueCount());

    // Nothing changed: Apply writes every value again.
    productKeyFixture::removeProductKey();
    uiWait::click(dialog, IDC_APPLY);
    EXPECT_EQ(valueCount, productKeyFixture::valueCount());
    EXPECT_EQ(7u, productKeyFixture::storedDword(autoMergeName));
    EXPECT_EQ(0u, productKeyFixture::storedDword(enabledName));
}

TEST_F(logControllerDialogTest, okWritesAndCloses)
{
    productKeyFixture::create();
    ASSERT_NO_FATAL_FAILURE(open());

    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, L"C:\\logs\\ui.txt");
    uiWait::toggle(dialog, IDC_ENABLE_LOGGING);
    uiWait::clickPosted(dialog, IDOK);
    ASSERT_TRUE(runner->waitForEnd());
    EXPECT_EQ(IDOK, runner->result());
    EXPECT_EQ(1u, productKeyFixture::storedDword(enabledName));
    EXPECT_EQ(L"C:\\logs\\ui.txt", productKeyFixture::storedText(fileNameName));
    EXPECT_EQ(1, uiLoggerSettings.enabled);
}

TEST_F(logControllerDialogTest, registryErrorKeepsDialogOpenAndSecondOkRetries)
{
    productKeyFixture::makeUncreatable();
    ASSERT_NO_FATAL_FAILURE(open());
    uiWait::toggle(dialog, IDC_ENABLE_LOGGING);

    for (const int button : {IDC_APPLY, IDOK}) {
        SCOPED_TRACE(button);
        uiWait::clickPosted(dialog, button);
        ASSERT_NO_FATAL_FAILURE(answerBox(L"Registry Error", L"Error writing to registry, try again as administrator"));
    }
    // The record took the controls' state before the registry was tried.
    EXPECT_EQ(1, uiLoggerSettings.enabled);
    EXPECT_EQ(-1, productKeyFixture::valueCount());

    productKeyFixture::removeProductKey();
    uiWait::clickPosted(dialog, IDOK);
    ASSERT_TRUE(runner->waitForEnd());
    EXPECT_EQ(IDOK, runner->result());
    EXPECT_EQ(1u, productKeyFixture::storedDword(enabledName));
}

TEST_F(logControllerDialogTest, failedKeyOpeningLeavesNoKeyOpen)
{
    productKeyFixture::create();
    ASSERT_NO_FATAL_FAILURE(open());
    // The UI thread waits in its message loop; these calls touch no window.
    // Other threads of the process may open a handle meanwhile, so each
    // opening is repeated: a key left behind each time would stand out.
    constexpr long long rounds = 20;
    const auto handlesAdded = [&](int expected) {
        const long long before = handleCount();
        for (int round = 0; round < rounds; ++round)
            EXPECT_EQ(expected, runner->dialog().openProfilerKey(round % 2 != 0 ? keyAccess::readWrite : keyAccess::read) != 0 ? 1 : 0);
        return handleCount() - before;
    };
    productKeyFixture::makeUncreatable();
    EXPECT_GT(rounds, handlesAdded(0));
    productKeyFixture::removeProductKey();
    // Each opening replaces the three keys of the one before.
    const long long added = handlesAdded(1);
    EXPECT_LE(3, added);
    EXPECT_GT(rounds, added);
}

TEST_F(logControllerDialogTest, resetThenCancelLeavesRegistryUntouched)
{
    productKeyFixture::setText(fileNameName, L"C:\\nowhere\\ui.txt");
    setDwords(
        {{enabledName, 1}, {writeNewFileName, 0}, {launchErrorsName, 0}, {receiveCommName, 0}, {autoMergeName, 3}});
    const std::string before = snapshot();

    ASSERT_NO_FATAL_FAILURE(open());
    uiWait::click(dialog, IDC_RESET);
    EXPECT_EQ(defaultLogFilePath(), uiWait::itemText(dialog, IDC_LOGFILE_EDIT));
    EXPECT_EQ(resetStates(), boxStates(dialog));
    EXPECT_EQ(1, uiLoggerSettings.enabled) << "Reset leaves the record alone";

    uiWait::clickPosted(dialog, IDCANCEL);
    ASSERT_TRUE(runner->waitForEnd());
    EXPECT_EQ(IDCANCEL, runner->result());
    EXPECT_EQ(before, snapshot());
}

TEST_F(logControllerDialogTest, closeThroughSystemMenuIsCancel)
{
    productKeyFixture::create();
    ASSERT_NO_FATAL_FAILURE(open());
    uiWait::toggle(dialog, IDC_ENABLE_LOGGING);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(runner->waitForEnd());
    EXPECT_EQ(IDCANCEL, runner->result());
    EXPECT_EQ(0, productKeyFixture::valueCount());
}

TEST_F(logControllerDialogTest, fileButtonsFollowTheDiskWithinATick)
{
    productKeyFixture::create();
    scratchFolder folder;
    const std::wstring logPath = folder.file(L"appears.txt");
    ASSERT_NO_FATAL_FAILURE(open());

    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, logPath);
    EXPECT_EQ(bothDisabled, fileButtons(dialog));

    scratchFolder::writeAll(logPath, "x");
    EXPECT_TRUE(uiWait::until([&] { return fileButtons(dialog) == bothEnabled; }));
    DeleteFileW(logPath.c_str());
    EXPECT_TRUE(uiWait::until([&] { return fileButtons(dialog) == bothDisabled; }));

    // Typing an existing name enables them at once; a folder counts too.
    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, folder.path());
    EXPECT_EQ(bothEnabled, fileButtons(dialog));
}

TEST_F(logControllerDialogTest, deleteRemovesTheFileWithoutAsking)
{
    productKeyFixture::create();
    scratchFolder folder;
    const std::wstring logPath = folder.file(L"gone.txt");
    scratchFolder::writeAll(logPath, "x");
    ASSERT_NO_FATAL_FAILURE(open());

    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, logPath);
    ASSERT_TRUE(uiWait::isItemEnabled(dialog, IDC_DELETE));
    uiWait::click(dialog, IDC_DELETE);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(logPath.c_str()));
    EXPECT_EQ(bothDisabled, fileButtons(dialog));
    EXPECT_EQ(nullptr, uiWait::findThreadWindow(runner->threadId(), L"#32770", nullptr, dialog));

    // A file in use stays, and so do the buttons.
    const std::wstring busyPath = folder.file(L"busy.txt");
    scratchFolder::writeAll(busyPath, "x");
    const uniqueFileHandle busy(
        CreateFileW(busyPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(busy);
    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, busyPath);
    uiWait::click(dialog, IDC_DELETE);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(busyPath.c_str()));
    EXPECT_TRUE(uiWait::isItemEnabled(dialog, IDC_DELETE));
}

// A file type of the test's own whose "open" verb starts viewMarker. It is
// registered for the user (HKCU\Software\Classes); where the classes root
// does not show the user's classes (Wine), in the classes root as well.
class markedFileType
{
public:
    markedFileType()
    {
        add(HKEY_CURRENT_USER, L"Software\\Classes\\");
        uniqueRegistryKey visible;
        inClassesRoot = RegOpenKeyExW(HKEY_CLASSES_ROOT, L".korvanexViewTest", 0, KEY_READ, visible.put()) != ERROR_SUCCESS;
        if (inClassesRoot)
            add(HKEY_CLASSES_ROOT, L"");
    }
    ~markedFileType()
    {
        remove(HKEY_CURRENT_USER, L"Software\\Classes\\");
        if (inClassesRoot)
            remove(HKEY_CLASSES_ROOT, L"");
    }
    markedFileType(const markedFileType&) = delete;
    markedFileType& operator=(const markedFileType&) = delete;

    // The file viewMarker was started with, in long form; empty until it ran.
    static std::wstring viewed(const scratchFolder& folder)
    {
        const std::string bytes = scratchFolder::readAll(folder.file(L"viewMarker.txt"));
        return scratchFolder::longPath(
            std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)));
    }

private:
    static void add(HKEY root, const std::wstring& prefix)
    {
        const std::wstring command = L"\"" + windowsPathOf(KORVANEX_VIEW_MARKER_PATH) + L"\" \"%1\"";
        for (const auto& [key, value] : {std::pair{prefix + L".korvanexViewTest", std::wstring(L"korvanexViewTest.file")},
                                         std::pair{prefix + L"korvanexViewTest.file\\shell\\open\\command", command}})
            ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(root, key.c_str(), nullptr, REG_SZ, value.c_str(),
                                                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
    }

    static void remove(HKEY root, const std::wstring& prefix)
    {
        for (const wchar_t* key : {L".korvanexViewTest", L"korvanexViewTest.file"}) {
            RegDeleteTreeW(root, (prefix + key).c_str());
            RegDeleteKeyW(root, (prefix + key).c_str());
        }
    }

    bool inClassesRoot = false;
};

// Counts the COM initialisations and releases of the thread it is registered on.
struct apartmentSpy : IInitializeSpy
{
    apartmentSpy() { EXPECT_EQ(S_OK, CoRegisterInitializeSpy(this, &cookie)); }
    ~apartmentSpy() { CoRevokeInitializeSpy(cookie); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        *object = id == IID_IUnknown || id == IID_IInitializeSpy ? this : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    // Lives on the stack of its thread: references are not counted.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE PreInitialize(DWORD flags, DWORD) override
    {
        if (firstFlags == 0)
            firstFlags = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PostInitialize(HRESULT result, DWORD, DWORD) override
    {
        entered += SUCCEEDED(result) ? 1 : 0;
        return result;
    }
    HRESULT STDMETHODCALLTYPE PreUninitialize(DWORD) override { return ++left, S_OK; }
    HRESULT STDMETHODCALLTYPE PostUninitialize(DWORD) override { return S_OK; }

    ULARGE_INTEGER cookie{};
    DWORD firstFlags = 0; // of the first CoInitializeEx call
    int entered = 0;      // those that succeeded
    int left = 0;         // CoUninitialize calls
};

// The calling thread's apartment type; APTTYPE_CURRENT for none, which
// Microsoft documents as CO_E_NOTINITIALIZED or, while another thread holds
// the multithreaded apartment, as an implicit one.
APTTYPE apartmentOf()
{
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier{};
    const HRESULT rc = CoGetApartmentType(&type, &qualifier);
    return rc != S_OK || qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA ? APTTYPE_CURRENT : type;
}

// View hands an existing file to the viewer of its type; a missing file only
// beeps. The viewer enters the single-threaded apartment the shell asks of
// its callers on a thread without COM and keeps it until it goes; a thread
// in another apartment stays there.
TEST_F(logControllerDialogTest, viewHandsAnExistingFileToTheShellAndBeepsOtherwise)
{
    productKeyFixture::create();
    const markedFileType type;
    scratchFolder folder;
    const std::wstring logPath = folder.file(L"viewed.korvanexViewTest");
    ASSERT_NO_FATAL_FAILURE(open());

    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, logPath);
    uiWait::click(dialog, IDC_VIEW);
    roundTrip(dialog);
    EXPECT_EQ(nullptr, uiWait::findThreadWindow(runner->threadId(), L"#32770", nullptr, dialog));
    EXPECT_EQ(L"", markedFileType::viewed(folder));

    scratchFolder::writeAll(logPath, "log line\r\n");
    uiWait::setItemText(dialog, IDC_LOGFILE_EDIT, logPath);
    uiWait::clickPosted(dialog, IDC_VIEW);
    EXPECT_TRUE(uiWait::until([&] { return !markedFileType::viewed(folder).empty(); })) << "no viewer was started";
    EXPECT_EQ(logPath, markedFileType::viewed(folder));
    EXPECT_FALSE(runner->hasEnded());

    for (const bool multithreaded : {false, true}) {
        SCOPED_TRACE(multithreaded ? "thread in the multithreaded apartment" : "thread without COM");
        DeleteFileW(folder.file(L"viewMarker.txt").c_str());
        std::thread([&] {
            if (multithreaded) {
                EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
            }
            {
                apartmentSpy spy;
                {
                    shellViewer viewer;
                    EXPECT_TRUE(viewer.open(logPath.c_str()));
                    EXPECT_TRUE(viewer.open(logPath.c_str()));
                    EXPECT_EQ(multithreaded ? APTTYPE_MTA : APTTYPE_STA, apartmentOf()) << "kept after the calls";
                    EXPECT_EQ(multithreaded ? 0 : 1, spy.entered - spy.left) << "entered once";
                }
                EXPECT_EQ(static_cast<DWORD>(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE), spy.firstFlags);
                EXPECT_EQ(spy.entered, spy.left) << "every apartment entered is left as the viewer goes";
            }
            EXPECT_EQ(multithreaded ? APTTYPE_MTA : APTTYPE_CURRENT, apartmentOf());
            if (multithreaded)
                CoUninitialize();
        }).join();
        EXPECT_TRUE(uiWait::until([&] { return !markedFileType::viewed(folder).empty(); }));
    }
}

TEST_F(logControllerDialogTest, aboutBoxThroughTheSystemMenu)
{
    productKeyFixture::create();
    ASSERT_NO_FATAL_FAILURE(open());

    const HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    ASSERT_NE(nullptr, systemMenu);
    wchar_t entry[128] = {};
    ASSERT_GT(GetMenuStringW(systemMenu, IDM_ABOUTBOX, entry, 128, MF_BYCOMMAND), 0);
    EXPECT_STREQ(L"&About korGUILogController...", entry);

    // The low four bits of the command do not count.
    PostMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    answerBox(L"About korGUILogController", L"korGUILogController, Version 1.0");
}

// Counts WM_ICONERASEBKGND sent to the dialog with a device context: only
// its paint handler for the minimised window sends that.
std::atomic<int> iconBackgrounds{0};

LRESULT CALLBACK countIconBackgrounds(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_ICONERASEBKGND && sent->wParam != 0)
        ++iconBackgrounds;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The width of an icon's image; 0 when the handle is no icon (any more).
int iconWidth(LRESULT icon)
{
    ICONINFO info{};
    BITMAP image{};
    if (GetIconInfo(reinterpret_cast<HICON>(icon), &info))
        GetObjectW(info.hbmColor, sizeof image, &image);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return image.bmWidth;
}

TEST_F(logControllerDialogTest, iconIsSetAndDrawnWhenMinimised)
{
    productKeyFixture::create();
    ASSERT_NO_FATAL_FAILURE(open());
    // Two images, each drawn for its size, not one stretched to both.
    const LRESULT big = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), iconWidth(big));
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), iconWidth(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(big, SendMessageW(dialog, WM_QUERYDRAGICON, 0, 0));

    iconBackgrounds = 0;
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, countIconBackgrounds, nullptr, runner->threadId());
    ASSERT_NE(nullptr, hook);
    ShowWindowAsync(dialog, SW_MINIMIZE);
    EXPECT_TRUE(uiWait::until([&] { return IsIconic(dialog) != FALSE; }));
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
    EXPECT_TRUE(uiWait::until([] { return iconBackgrounds.load() > 0; })) << "no icon drawn while minimised";
    UnhookWindowsHookEx(hook);

    ShowWindowAsync(dialog, SW_RESTORE);
    EXPECT_TRUE(uiWait::until([&] { return IsIconic(dialog) == FALSE; }));

    // Moved to a monitor at 192 DPI: icons drawn for it, the old ones destroyed.
    const auto forDpi = moduleFunction<int(WINAPI*)(int, UINT)>(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
    ASSERT_NE(nullptr, forDpi);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&frame));
    const LRESULT bigAt192 = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0);
    EXPECT_EQ(forDpi(SM_CXICON, 192), iconWidth(bigAt192));
    EXPECT_EQ(forDpi(SM_CXSMICON, 192), iconWidth(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(0, iconWidth(big));
    runner.reset();
    EXPECT_EQ(0, iconWidth(bigAt192)) << "not destroyed with the dialog";
}

TEST_F(logControllerDialogTest, screenshotOfTheOpenDialog)
{
    productKeyFixture::setText(fileNameName, L"C:\\logs\\korLogUI_x64.txt");
    setDwords({{writeNewFileName, 1}, {launchErrorsName, 1}});
    ASSERT_NO_FATAL_FAILURE(open());
    ASSERT_TRUE(uiWait::untilPainted(dialog));
    roundTrip(dialog);
    EXPECT_TRUE(uiWait::saveScreenshot(dialog, uiWait::screenshotFolder() + L"\\optionsDialog.bmp"));

    // What the picture shows: the template's size in dialog units.
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_LOGCONTROLLER_DIALOG), RT_DIALOG);
    const SIZE size = dialogTemplateSize(LockResource(LoadResource(nullptr, found)), SizeofResource(nullptr, found));
    RECT expected{0, 0, size.cx, size.cy};
    ASSERT_TRUE(MapDialogRect(dialog, &expected));
    RECT client{};
    ASSERT_TRUE(GetClientRect(dialog, &client));
    EXPECT_EQ(expected.right, client.right);
    EXPECT_EQ(expected.bottom, client.bottom);
}

// A fault of our code on the dialog's thread ends the program there, naming
// the test; an exception another module raises and handles there does not.
TEST(dialogRunnerDeathTest, onlyFaultsOfOurCodeEndTheProgram)
{
    productKeyFixture savedProductKey;
    dialogRunner runner;
    ASSERT_NE(nullptr, runner.window());
    int caught = 0;
    runner.callOnDialogThread([&] { caught = throwAndCatchInside(); });
    EXPECT_EQ(1, caught);
    EXPECT_EXIT(runner.callOnDialogThread([] { *static_cast<volatile int*>(nullptr) = 1; }),
                ::testing::ExitedWithCode(static_cast<int>(EXCEPTION_ACCESS_VIOLATION)),
                "dialogRunnerDeathTest.onlyFaultsOfOurCodeEndTheProgram");
}
} // namespace
