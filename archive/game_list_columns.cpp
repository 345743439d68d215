#include "archive/game_list_columns.h"

#include "archive/game_store.h"
#include "archive/ole_date.h"
#include "settings/text_id.h"

namespace zeko::archive {

namespace {

constexpr std::size_t kMovesWidth = 5;
constexpr std::size_t kStoreWidth = 2;

std::string PaddedLeft(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

GameListRow GameListColumns(const game::GameRecord& game,
                            const std::function<std::string(int)>& text) {
    // Texts are built by appending: it keeps GCC 12's overlap warning away.
    GameListRow row;
    row[kColumnDate] = FormatOleDate(game.GameDate);
    row[kColumnBottomHalf] = game.NameBottomHalf;
    row[kColumnTopHalf] =
        game.ComputerGame ? std::string("<").append(text(settings::kTextComputerName)).append(">")
                          : game.NameTopHalf;
    // A damaged header's numbers mean nothing; loading it is refused.
    const bool sound = HeaderValuesHold(game);
    if (sound) row[kColumnMoves] = PaddedLeft(game.MoveCount, kMovesWidth);
    if (!sound) {
        row[kColumnLevel] = text(settings::kTextInvalidGame);
    } else if (game.ComputerGame && game.TimerOn) {
        // Level 3 of a timed game reads "3 - Amateur".
        row[kColumnLevel] = std::to_string(game.Level)
                                .append(" - ")
                                .append(text(settings::kTextFirstLevel + game.Level - 1));
    } else if (game.ComputerGame) {
        row[kColumnLevel] = std::string("   - ").append(text(settings::kTextPracticeGame));
    }
    row[kColumnScore] = PaddedLeft(game.Board[engine::kBottomStore], kStoreWidth)
                            .append(" - ")
                            .append(PaddedLeft(game.Board[engine::kTopStore], kStoreWidth));
    return row;
}

}  // namespace zeko::archive
