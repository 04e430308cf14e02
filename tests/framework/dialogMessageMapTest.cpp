#include "framework/dialogMessageMap.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct recordingDialog
{
    std::string calls;
    void onBrowse() { calls += "browse "; }
    void onChange() { calls += "change "; }
    int onApply()
    {
        calls += "apply ";
        return 0;
    }
    void onTimer(UINT_PTR id) { calls += "timer" + std::to_string(id) + " "; }
    BOOL onSysCommand(UINT id, LPARAM) { return id == 0x10 ? TRUE : FALSE; }
    HICON onQueryDragIcon() const { return reinterpret_cast<HICON>(0x1234); }
};

using D = recordingDialog;
constexpr dialogMessageEntry<D> map[] = {
    {WM_TIMER, 0, 0, &dialogHandlers::timer<D, &D::onTimer>},
    {WM_SYSCOMMAND, 0, 0, &dialogHandlers::sysCommand<D, &D::onSysCommand>},
    {WM_QUERYDRAGICON, 0, 0, &dialogHandlers::queryDragIcon<D, &D::onQueryDragIcon>},
    {WM_COMMAND, BN_CLICKED, 1003, &dialogHandlers::command<D, &D::onBrowse>},
    {WM_COMMAND, EN_CHANGE, 1002, &dialogHandlers::command<D, &D::onChange>},
    {WM_COMMAND, BN_CLICKED, 3, &dialogHandlers::commandIgnoringResult<D, &D::onApply>},
};

// A second entry for a command would never run; entries that differ in code
// or control id (as map's do) are distinct.
static_assert(noEntryRepeated(map));
constexpr dialogMessageEntry<D> repeated[] = {map[3], map[4], {WM_COMMAND, BN_CLICKED, 1003, map[4].handler}};
static_assert(!noEntryRepeated(repeated));

TEST(dialogMessageMap, routesByMessageNotificationAndControl)
{
    D dialog;
    INT_PTR result = -1;
    EXPECT_TRUE(dispatchMessageMap(map, dialog, WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0, result));
    EXPECT_EQ(TRUE, result);
    EXPECT_TRUE(dispatchMessageMap(map, dialog, WM_COMMAND, MAKEWPARAM(1002, EN_CHANGE), 0, result));
    EXPECT_TRUE(dispatchMessageMap(map, dialog, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), 0, result));
    EXPECT_TRUE(dispatchMessageMap(map, dialog, WM_TIMER, 7, 0, result));
    EXPECT_EQ("browse change apply timer7 ", dialog.calls);

    // Right id, wrong notification; an id without an entry; an unmapped message.
    EXPECT_FALSE(dispatchMessageMap(map, dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0, result));
    EXPECT_FALSE(dispatchMessageMap(map, dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, result));
    EXPECT_FALSE(dispatchMessageMap(map, dialog, WM_SIZE, 0, 0, result));
    EXPECT_EQ("browse change apply timer7 ", dialog.calls);

    // Handlers' results are what the dialog procedure returns.
    EXPECT_TRUE(dispatchMessageMap(map, dialog, WM_SYSCOMMAND, SC_MOVE, 0, result));
    EXPECT_EQ(FALSE, result) << "left to the default handling";
    EXPECT_TRUE(dispatchMessageMap(map, dialog, WM_QUERYDRAGICON, 0, 0, result));
    EXPECT_EQ(0x1234, result);
}

// An entry left empty, as a hand-counted table leaves its unused rows,
// fails the compile-time check and is never called.
TEST(dialogMessageMap, entryWithoutHandlerIsNeverRun)
{
    static_assert(everyEntryHasHandler(map));
    constexpr dialogMessageEntry<D> withEmptyRow[] = {{WM_TIMER, 0, 0, &dialogHandlers::timer<D, &D::onTimer>}, {}};
    static_assert(!everyEntryHasHandler(withEmptyRow));

    D dialog;
    INT_PTR result = -1;
    EXPECT_FALSE(dispatchMessageMap(withEmptyRow, dialog, WM_NULL, 0, 0, result));
    EXPECT_EQ(-1, result);
}
} // namespace
