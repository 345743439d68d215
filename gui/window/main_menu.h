// The main window's menus, built from one table of their items. A row gives
// the menu an item stands in, its text number, its shortcut, the command it
// runs and the rules that enable and check it. The rules are shown as the
// item's menu opens; between openings every item is enabled, so that its
// shortcut reaches the command, which asks the rule again.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <functional>
#include <vector>

class QAction;

namespace zeko::gui {

class MainWindow;

class MainMenu : public QObject {
  public:
    // Builds the menus on `window`'s menu bar, their texts still empty.
    explicit MainMenu(MainWindow& window);

    // Every title and item in the current language.
    void SetTexts();
    // Shows or hides the menu on the bar titled by text number `title`.
    void SetMenuVisible(int title, bool visible);

  private:
    using Command = std::function<void()>;
    using Rule = std::function<bool()>;
    struct Item {
        int menu;           // the text number of its menu's title, kBar for a title on the bar
        int text;           // its own text number, kLine for a line between groups
        Command run = {};   // none for a menu's title
        Rule enabled = {};  // none: always enabled
        Rule checked = {};  // none: no check mark
        QKeySequence keys = {};
        int top = 0;  // the title of the bar's menu it opens from
        QAction* action = nullptr;
    };
    static constexpr int kBar = -1;
    static constexpr int kLine = -1;

    static std::vector<Item> Items(MainWindow& window);
    // As the bar's menu `top` opens its items show their rules; as it closes
    // they are all enabled again.
    void Update(int top, bool opening);

    std::vector<Item> items_;
};

}  // namespace zeko::gui
