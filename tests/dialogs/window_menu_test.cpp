// Every window of this part trims its window menu when it opens: Restore,
// Move, Minimize and Close in the current language, and no maximize button.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/about_box.h"
#include "dialogs/result_dialog.h"
#include "platform/window_menu.h"
#include "settings/language.h"
#include "test_support.h"

namespace zeko {
namespace {

using namespace zeko::testing;
using platform::WindowMenuItem;

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> open;
};

const WindowCase kWindows[] = {
    {"about box",
     [] { return std::make_unique<board::frmAbout>(TestIcon(), settings::kBuiltInTable1); }},
    {"result dialog",
     [] { return std::make_unique<dialogs::frmResult>(dialogs::ResultData{}, 1, TestIcon()); }},
};

std::vector<std::string> Texts(const std::vector<WindowMenuItem>& items) {
    std::vector<std::string> texts;
    for (const WindowMenuItem& item : items)
        texts.push_back(item.text);
    return texts;
}

TEST(WindowMenu, EveryWindowKeepsRestoreMoveMinimizeAndCloseInItsLanguage) {
    using namespace platform;
    const std::vector<uint32_t> ids = {SC_RESTORE, SC_MOVE, SC_MINIMIZE, SC_CLOSE};
    const std::pair<int16_t, std::vector<std::string>> languages[] = {
        {settings::kEnglish, {"&Restore", "&Move", "Mi&nimize", "&Close\tAlt+F4"}},
        {settings::kDutch, {"&Vorig formaat", "V&erplaatsen", "&Pictogram", "&Sluiten\tAlt+F4"}},
    };
    for (const WindowCase& window : kWindows) {
        for (const auto& [language, texts] : languages) {
            LanguageScope scope(language);
            const std::unique_ptr<QWidget> opened = window.open();
            const std::vector<WindowMenuItem>& items = GetSystemMenu(opened.get()).Items();
            std::vector<uint32_t> shownIds;
            for (const WindowMenuItem& item : items)
                shownIds.push_back(item.id);
            EXPECT_EQ(shownIds, ids) << window.name;
            EXPECT_EQ(Texts(items), texts) << window.name << ", language " << language;
            EXPECT_FALSE(opened->windowFlags().testFlag(Qt::WindowMaximizeButtonHint))
                << window.name;
        }
    }
}

}  // namespace
}  // namespace zeko
