// The select-game dialog: the games of one game file in a list that sorts by
// any column, from which the user loads a game or deletes games.
#pragma once

#include <QDialog>
#include <QIcon>
#include <string>
#include <vector>

#include "game/game_record.h"

class QPushButton;
class QTreeWidget;

namespace zeko::gui {

class SelectGameDialog : public QDialog {
  public:
    // games: the file's game list, in slot order.
    SelectGameDialog(std::string fileName, const std::vector<game::GameRecord>& games,
                     const QIcon& icon, QWidget* parent = nullptr);

    // The game file whose games are shown; deletes go there.
    const std::string& FileName() const { return fileName_; }
    // The slot of the game chosen with Load; 0 when none was.
    int GameID() const { return gameId_; }

    // Column headers and button texts in the current language.
    void Localize();
    // "Select Game (n games in game file)".
    void SetCaption(int numberOfGames);

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void SortBy(int column);
    void ChooseButtons();
    void LoadChosen();
    void DeleteChosen();

    std::string fileName_;
    // The games as listed: a delete removes a game only while its slot
    // still holds it.
    std::vector<game::GameRecord> games_;
    int gameId_ = 0;
    // The first click on a header sorts descending.
    Qt::SortOrder order_ = Qt::AscendingOrder;
    QTreeWidget* list_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
};

}  // namespace zeko::gui
