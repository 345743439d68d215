// Every window's menu ends as Restore, Move, Minimize and Close (with Alt+F4)
// in the current language, whatever it held before.
#include <gtest/gtest.h>

#include <map>

#include "game/trim_system_menu.h"

namespace {

using zeko::platform::WindowMenu;
using namespace zeko::platform;

const std::map<int, std::string> kEnglish = {
    {54, "&Restore"}, {55, "&Move"}, {56, "Mi&nimize"}, {57, "&Close"}};
const std::map<int, std::string> kDutch = {
    {54, "&Vorig formaat"}, {55, "V&erplaatsen"}, {56, "&Pictogram"}, {57, "&Sluiten"}};

std::vector<WindowMenuItem> trimmed(const std::map<int, std::string>& texts) {
    WindowMenu menu;
    zeko::game::TrimSystemMenu(menu, [&](int n) { return texts.at(n); });
    return menu.Items();
}

struct Expected {
    uint32_t id;
    std::string text;
};

void expectMenu(const std::vector<WindowMenuItem>& items, const std::vector<Expected>& expected) {
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, expected[i].id) << i;
        EXPECT_EQ(items[i].text, expected[i].text) << i;
    }
}

TEST(TrimSystemMenu, LeavesRestoreMoveMinimizeCloseInEnglish) {
    expectMenu(trimmed(kEnglish), {{SC_RESTORE, "&Restore"},
                                   {SC_MOVE, "&Move"},
                                   {SC_MINIMIZE, "Mi&nimize"},
                                   {SC_CLOSE, "&Close\tAlt+F4"}});
}

TEST(TrimSystemMenu, LeavesRestoreMoveMinimizeCloseInDutch) {
    expectMenu(trimmed(kDutch), {{SC_RESTORE, "&Vorig formaat"},
                                 {SC_MOVE, "V&erplaatsen"},
                                 {SC_MINIMIZE, "&Pictogram"},
                                 {SC_CLOSE, "&Sluiten\tAlt+F4"}});
}

TEST(TrimSystemMenu, TrimmingTwiceChangesOnlyTheLanguage) {
    WindowMenu menu;
    zeko::game::TrimSystemMenu(menu, [](int n) { return kEnglish.at(n); });
    zeko::game::TrimSystemMenu(menu, [](int n) { return kDutch.at(n); });
    expectMenu(menu.Items(), {{SC_RESTORE, "&Vorig formaat"},
                              {SC_MOVE, "V&erplaatsen"},
                              {SC_MINIMIZE, "&Pictogram"},
                              {SC_CLOSE, "&Sluiten\tAlt+F4"}});
}

TEST(TrimSystemMenu, LeavesCommandsItDoesNotKnow) {
    WindowMenu menu;
    menu.DeleteMenu(SC_SIZE);
    ASSERT_FALSE(menu.DeleteMenu(SC_SIZE));  // already gone: nothing to delete
    EXPECT_EQ(menu.GetMenuItemID(99), -1);
    zeko::game::TrimSystemMenu(menu, [](int n) { return kEnglish.at(n); });
    EXPECT_FALSE(menu.Contains(SC_MAXIMIZE));
    EXPECT_FALSE(menu.Contains(0));
    EXPECT_EQ(menu.GetMenuItemCount(), 4);
}

}  // namespace
