#include "gui/window/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "game/game_control.h"
#include "gui/window/game_file_commands.h"
#include "gui/window/main_window.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

using namespace settings;

std::vector<MainMenu::Item> MainMenu::Items(MainWindow& window) {
    using C = game::GameControl;
    using G = game::GameMenuState;
    using T = game::ToolsMenuState;
    using W = MainWindow;
    C* control = &window.Control();
    W* w = &window;
    GameFileCommands* files = &window.GameFiles();
    const auto play = [control](void (C::*command)()) -> Command {
        return [control, command] { (control->*command)(); };
    };
    const auto show = [w](void (W::*command)()) -> Command {
        return [w, command] { (w->*command)(); };
    };
    const auto game = [control](bool G::*rule) -> Rule {
        return [control, rule] { return control->GameMenu().*rule; };
    };
    const auto tools = [control](bool T::*rule) -> Rule {
        return [control, rule] { return control->ToolsMenu().*rule; };
    };
    // Either entry switches the opponent, whichever is checked.
    const Command opponent = play(&C::ChooseOpponent);
    // clang-format off
    std::vector<Item> items = {
        {kBar, kTextGameMenu},
        {kTextGameMenu, kTextNewGame, play(&C::NewGame), {}, {}, Qt::Key_F2},
        {kTextGameMenu, kTextLoad, [files] { files->Load(true); }, game(&G::Load)},
        {kTextGameMenu, kTextSave, [files] { files->SaveCommand(); }, game(&G::Save)},
        {kTextGameMenu, kTextSaveAs, [files] { files->Save(true); }, game(&G::SaveAs)},
        {kTextGameMenu, kLine},
        {kTextGameMenu, kTextOpponent, {}, game(&G::Opponent)},
        {kTextOpponent, kTextComputer, opponent, game(&G::Opponent),
         game(&G::OpponentComputerChecked)},
        {kTextOpponent, kTextHuman, opponent, game(&G::Opponent), game(&G::OpponentHumanChecked)},
        {kTextGameMenu, kLine},
        {kTextGameMenu, kTextPass, play(&C::Pass), game(&G::Pass)},
        {kTextGameMenu, kTextMoveNow, play(&C::MoveNow), game(&G::MoveNow), {}, Qt::Key_F7},
        {kTextGameMenu, kTextTakeBack, play(&C::TakeBack), game(&G::TakeBack), {},
         Qt::CTRL | Qt::Key_Z},
        {kTextGameMenu, kTextReplay, play(&C::Replay), game(&G::Replay), {}, Qt::CTRL | Qt::Key_Y},
        {kTextGameMenu, kTextTimerOff, play(&C::TimerOff), game(&G::TimerOff)},
        {kTextGameMenu, kLine},
        {kTextGameMenu, kTextExit, play(&C::Exit), {}, {}, Qt::ALT | Qt::Key_F4},
        {kBar, kTextSkillMenu},
    };
    // clang-format on
    for (int i = 0; i < game::kLevelCount; ++i) {
        const auto level = static_cast<size_t>(i);
        items.push_back({kTextSkillMenu, kTextFirstLevel + i,
                         [control, i] { control->ChooseLevel(i); },
                         [control, level] { return control->SkillMenu().Enabled[level]; },
                         [control, level] { return control->SkillMenu().Checked[level]; }});
    }
    items.push_back({kBar, kTextViewMenu});
    for (int k = 0; k < kViewOptionCount; ++k) {
        // The clock's two displays are choices only while there is a clock.
        const bool clock = k == kViewFlashingClock || k == kViewTimeBar;
        items.push_back({kTextViewMenu, kTextFirstViewOption + k,
                         [w, k] { w->ToggleViewOption(k); },
                         clock ? Rule([control] { return control->Record().TimerOn; }) : Rule(),
                         [control, k] { return control->Options().View[static_cast<size_t>(k)]; }});
    }
    // clang-format off
    const std::vector<Item> rest = {
        {kBar, kTextToolsMenu},
        {kTextToolsMenu, kTextAnalysis, show(&W::ShowAnalysis), tools(&T::Analysis), {},
         Qt::Key_F5},
        {kTextToolsMenu, kTextNewPosition, show(&W::ShowNewPosition), tools(&T::NewPosition), {},
         Qt::Key_F6},
        {kTextToolsMenu, kTextLevelInfo, show(&W::ShowLevelInfo), tools(&T::LevelInfo)},
        {kTextToolsMenu, kLine},
        {kTextToolsMenu, kTextOptions, show(&W::ShowOptions)},
        {kBar, kTextHelpMenu},
        {kTextHelpMenu, kTextHelpContents, [w] { texts::ShowHelpContents(w); }, {}, {}, Qt::Key_F1},
        {kTextHelpMenu, kTextHelpIndex, [w] { texts::ShowHelpIndex(w); }},
        {kTextHelpMenu, kLine},
        {kTextHelpMenu, kTextAbout, show(&W::ShowAbout)},
    };
    // clang-format on
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

MainMenu::MainMenu(MainWindow& window) : QObject(&window), items_(Items(window)) {
    std::map<int, QMenu*> menus;  // by their titles' text numbers
    for (size_t i = 0; i < items_.size(); ++i) {
        Item& item = items_[i];
        QMenu* in = item.menu == kBar ? nullptr : menus.at(item.menu);
        // Rows follow their menu's title: a row opens from the bar's menu the
        // row before it opens from.
        item.top = in == nullptr ? item.text : items_[i - 1].top;
        if (item.text == kLine) {
            item.action = in->addSeparator();
        } else if (!item.run) {
            QMenu* menu =
                in == nullptr ? window.menuBar()->addMenu(QString()) : in->addMenu(QString());
            menus[item.text] = menu;
            item.action = menu->menuAction();
            if (in == nullptr) {
                connect(menu, &QMenu::aboutToShow, this,
                        [this, top = item.top] { Update(top, true); });
                connect(menu, &QMenu::aboutToHide, this,
                        [this, top = item.top] { Update(top, false); });
            }
        } else {
            item.action = in->addAction(QString());
            item.action->setShortcut(item.keys);
            // Alt+F4 is the window manager's key to close the window: the item
            // shows it and is read out with it, and only its open menu runs it.
            if (item.keys == QKeySequence(Qt::ALT | Qt::Key_F4))
                item.action->setShortcutContext(Qt::WidgetShortcut);
            item.action->setCheckable(static_cast<bool>(item.checked));
            connect(item.action, &QAction::triggered, this, [this, i] {
                if (!items_[i].enabled || items_[i].enabled()) items_[i].run();
            });
        }
    }
}

void MainMenu::Update(int top, bool opening) {
    for (const Item& item : items_) {
        if (item.top != top) continue;
        if (item.enabled) item.action->setEnabled(!opening || item.enabled());
        if (opening && item.checked) item.action->setChecked(item.checked());
    }
}

void MainMenu::SetTexts() {
    for (const Item& item : items_) {
        if (item.text != kLine)
            item.action->setText(QString::fromStdString(texts::GetText(item.text)));
    }
}

void MainMenu::SetMenuVisible(int title, bool visible) {
    for (const Item& item : items_) {
        if (item.menu == kBar && item.text == title) item.action->setVisible(visible);
    }
}

}  // namespace zeko::gui
