#include "app/CqxGUILogControllerDlg.h"

#include "app/CAboutDlg.h"
#include "app/CIndexedFileDialog.h"
#include "app/applicationIcon.h"
#include "app/defaultLogFile.h"
#include "app/dialogCaption.h"
#include "app/uiLoggerSettings.h"
#include "resources/resource.h"
#include "settings/productKeyOpener.h"
#include "settings/readWriteSettingsToRegistry.h"

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace
{
constexpr UINT timerPeriodMs = 100;
constexpr int lastTimerId = 100;
constexpr const wchar_t* fallbackProgramName = L"qxGUILogController";
// MessageBeep's documented value for the simple beep; the SDK gives it no name.
constexpr UINT simpleBeep = 0xFFFFFFFF;
} // namespace

using Self = CqxGUILogControllerDlg;

constexpr dialogMessageEntry<Self> CqxGUILogControllerDlg::messageMap[] = {
    {WM_TIMER, 0, 0, &dialogHandlers::timer<Self, &Self::onTimer>},
    {WM_SYSCOMMAND, 0, 0, &dialogHandlers::sysCommand<Self, &Self::onSysCommand>},
    {WM_PAINT, 0, 0, &dialogHandlers::paint<Self, &Self::onPaint>},
    {WM_QUERYDRAGICON, 0, 0, &dialogHandlers::queryDragIcon<Self, &Self::onQueryDragIcon>},
    {WM_DPICHANGED, 0, 0, &dialogHandlers::dpiChanged<Self, &Self::onDpiChanged>},
    {WM_COMMAND, BN_CLICKED, IDC_BROWSE, &dialogHandlers::command<Self, &Self::browseLogFile>},
    {WM_COMMAND, BN_CLICKED, IDC_VIEW, &dialogHandlers::command<Self, &Self::viewLogFile>},
    {WM_COMMAND, BN_CLICKED, IDC_DELETE, &dialogHandlers::command<Self, &Self::deleteLogFile>},
    {WM_COMMAND, EN_CHANGE, IDC_LOGFILE_EDIT, &dialogHandlers::command<Self, &Self::updateFileButtons>},
    {WM_COMMAND, BN_CLICKED, IDC_RESET, &dialogHandlers::command<Self, &Self::setDefaultControls>},
    // Apply stays in the dialog whatever saveSettings reports.
    {WM_COMMAND, BN_CLICKED, IDC_APPLY, &dialogHandlers::commandIgnoringResult<Self, &Self::saveSettings>},
};

CqxGUILogControllerDlg::CqxGUILogControllerDlg(HWND owner) : CDialogBase(IDD_LOGCONTROLLER_DIALOG, owner) {}

bool CqxGUILogControllerDlg::dispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    static_assert(everyEntryHasHandler(messageMap));
    static_assert(noEntryRepeated(messageMap), "message map: two entries for one message, code and control id");
    return dispatchMessageMap(messageMap, *this, message, wParam, lParam, result);
}

BOOL CqxGUILogControllerDlg::onInitDialog()
{
    addAboutMenuEntry();
    setIcons(loadApplicationIcon(iconSize::small), loadApplicationIcon(iconSize::large));

    wchar_t modulePath[MAX_PATH] = {};
    const bool named = GetModuleFileNameW(nullptr, modulePath, MAX_PATH) != 0;
    SetWindowTextW(getSafeHwnd(), dialogCaption(named ? modulePath : fallbackProgramName));

    setDefaultControls();
    // Unreadable settings leave the defaults in place, without a word.
    if (openProfilerKey(keyAccess::read) != 0) {
        readWriteSettingsToRegistry store(productKey.get());
        readUiLoggerSettings(store);
        showSettingsInControls();
        // The store only borrows the key; it is dropped after the keys close.
        closeProfilerKeys();
    }

    startTimer();
    updateFileButtons();
    return TRUE;
}

void CqxGUILogControllerDlg::setIcons(uniqueIcon small, uniqueIcon large)
{
    if (!small || !large)
        return;
    SendMessageW(getSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
    SendMessageW(getSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    largeIcon = std::move(large);
    smallIcon = std::move(small);
}

void CqxGUILogControllerDlg::onDpiChanged(UINT dpi)
{
    setIcons(loadApplicationIcon(iconSize::small, dpi), loadApplicationIcon(iconSize::large, dpi));
}

void CqxGUILogControllerDlg::addAboutMenuEntry()
{
    const HMENU systemMenu = GetSystemMenu(getSafeHwnd(), FALSE);
    if (systemMenu == nullptr)
        return;
    wchar_t text[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, static_cast<int>(std::size(text))) <= 0)
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
}

void CqxGUILogControllerDlg::showSettingsInControls()
{
    for (const uiLoggerOption& option : uiLoggerOptions) {
        if (option.controlId == 0)
            continue;
        if (option.type == uiLoggerOption::kind::text)
            setItemText(option.controlId, uiLoggerSettings.*option.text);
        else // stored values other than 0 and 1 go to the box as they are
            checkButton(option.controlId, static_cast<UINT>(uiLoggerSettings.*option.flag));
    }
}

int CqxGUILogControllerDlg::openProfilerKey(keyAccess access)
{
    closeProfilerKeys();
    HKEY* const slots[] = {softwareKey.put(), makerKey.put(), productKey.put()};
    if (openProductKeyLevels(access, slots).code == ERROR_SUCCESS)
        return 1;
    closeProfilerKeys();
    return 0;
}

void CqxGUILogControllerDlg::closeProfilerKeys() noexcept
{
    // Product key first, the parents after it.
    productKey.reset();
    makerKey.reset();
    softwareKey.reset();
}

void CqxGUILogControllerDlg::startTimer()
{
    for (int id = 1; id <= lastTimerId; ++id) {
        if (SetTimer(getSafeHwnd(), static_cast<UINT_PTR>(id), timerPeriodMs, nullptr) != 0) {
            timerId = id;
            return;
        }
    }
    timerId = -1;
}

void CqxGUILogControllerDlg::enableFileButtons(int firstButton, int secondButton) const
{
    const CWideString name = getItemText(IDC_LOGFILE_EDIT);
    // One attribute query per button, as each button asks the disk itself.
    for (const int buttonId : {firstButton, secondButton}) {
        const HWND button = getItem(buttonId);
        if (button != nullptr)
            EnableWindow(button, GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES);
    }
}

void CqxGUILogControllerDlg::updateFileButtons()
{
    enableFileButtons(IDC_DELETE, IDC_VIEW);
}

void CqxGUILogControllerDlg::onTimer(UINT_PTR)
{
    // The tick asks about View first.
    enableFileButtons(IDC_VIEW, IDC_DELETE);
}

void CqxGUILogControllerDlg::setDefaultControls()
{
    for (const uiLoggerOption& option : uiLoggerOptions) {
        if (option.controlId == 0)
            continue;
        if (option.type == uiLoggerOption::kind::text)
            setItemText(option.controlId, getDefaultLogFileName());
        else
            checkButton(option.controlId, option.resetCheck);
    }
    updateFileButtons();
}

int CqxGUILogControllerDlg::saveSettings()
{
    // An option without a control keeps the value last read.
    for (const uiLoggerOption& option : uiLoggerOptions) {
        if (option.controlId == 0)
            continue;
        if (option.type == uiLoggerOption::kind::text)
            uiLoggerSettings.*option.text = getItemText(option.controlId);
        else
            uiLoggerSettings.*option.flag = isButtonChecked(option.controlId) == BST_CHECKED ? 1 : 0;
    }

    int saved = 0;
    if (openProfilerKey(keyAccess::readWrite) != 0) {
        readWriteSettingsToRegistry store(productKey.get());
        saved = writeUiLoggerSettings(store);
        closeProfilerKeys();
    }
    if (saved == 0)
        MessageBoxW(getSafeHwnd(), L"Error writing to registry, try again as administrator", L"Registry Error",
                    MB_OK | MB_ICONEXCLAMATION);
    return saved;
}

void CqxGUILogControllerDlg::onOK()
{
    // A failed save has told the user; the dialog stays open for another try.
    if (saveSettings() != 0)
        CDialogBase::onOK();
}

void CqxGUILogControllerDlg::viewLogFile()
{
    const CWideString name = getItemText(IDC_LOGFILE_EDIT);
    if (GetFileAttributesW(name) == INVALID_FILE_ATTRIBUTES) {
        MessageBeep(simpleBeep);
        return;
    }
    // Whatever goes wrong, the shell reports it itself.
    (void)viewer.open(name);
}

void CqxGUILogControllerDlg::deleteLogFile()
{
    // No question and no message: the buttons show whether the file is gone.
    (void)DeleteFileW(getItemText(IDC_LOGFILE_EDIT));
    updateFileButtons();
}

void CqxGUILogControllerDlg::browseLogFile()
{
    CIndexedFileDialog chooser(getSafeHwnd());
    browseLogFileWith(chooser);
}

void CqxGUILogControllerDlg::browseLogFileWith(COpenFileDialog& chooser)
{
    if (chooser.doModal() == IDOK)
        setItemText(IDC_LOGFILE_EDIT, chooser.getPathName());
    updateFileButtons();
}

BOOL CqxGUILogControllerDlg::onSysCommand(UINT commandId, LPARAM)
{
    if ((commandId & 0xFFF0) != IDM_ABOUTBOX)
        return FALSE;
    CAboutDlg about(getSafeHwnd());
    (void)about.doModal();
    return TRUE;
}

BOOL CqxGUILogControllerDlg::onPaint()
{
    if (!IsIconic(getSafeHwnd()))
        return FALSE;
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(getSafeHwnd(), &paint);
    SendMessageW(getSafeHwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(getSafeHwnd(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, largeIcon.get());
    EndPaint(getSafeHwnd(), &paint);
    return TRUE;
}

HICON CqxGUILogControllerDlg::onQueryDragIcon() const
{
    return largeIcon.get();
}
