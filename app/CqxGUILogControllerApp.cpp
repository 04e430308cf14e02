#include "app/CqxGUILogControllerApp.h"

#include "app/CqxGUILogControllerDlg.h"
#include "support/CZeltrixStubObject.h"
#include "support/stubHeap.h"

#include <commctrl.h>

CqxGUILogControllerApp::CqxGUILogControllerApp()
{
    // Restart only: no recovery, nothing saved automatically.
    (void)RegisterApplicationRestart(nullptr, 0);
}

BOOL CqxGUILogControllerApp::initInstance()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    // The eight classes of the original common controls.
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                     ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS;
    InitCommonControlsEx(&controls);

    // The support library's objects live on its heap from here on; whether
    // the heap was newly made does not matter.
    (void)createStubHeap();
    CZeltrixStubObject::setHeap(getStubHeap());

    {
        CqxGUILogControllerDlg dialog;
        (void)dialog.doModal(); // how it ended changes nothing
    }
    // No message loop: the program ends with the dialog.
    return FALSE;
}
