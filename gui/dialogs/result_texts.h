// What the result dialog says: its caption and help topic for the way the game
// ended, the names and stores, and the comment on the outcome.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "game/game_end.h"

namespace zeko::game {
struct GameRecord;
}

namespace zeko::gui {

// The text of a number in the current language.
using TextSource = std::function<std::string(int)>;

// The part of the game record the dialog reads.
struct ResultData {
    int32_t TopStore = 0;      // cell 12
    int32_t BottomStore = 0;   // cell 13
    int16_t Level = 1;         // 1-9
    bool ComputerGame = true;  // the computer plays the top half
    std::string NameTopHalf;
    std::string NameBottomHalf;
};

ResultData ResultDataOf(const game::GameRecord& record);

// A level outside 1-9 is taken as the nearest level.
int16_t ResultLevel(const ResultData& data);

// The bottom half won: its store holds more than 24.
bool BottomHalfWon(const ResultData& data);

// "Zeko : " and the ending's text; the title alone for an unknown ending.
std::string ResultCaption(game::GameEnd end, const TextSource& text);

// "end.html", "repetition.html" or "time.html"; empty for an unknown ending.
std::string_view ResultHelpTopic(game::GameEnd end);

// Score labels 0-5: the top half's and the bottom half's names, two " : ", and
// the top half's and the bottom half's stores.
std::array<std::string, 6> ResultLabels(const ResultData& data, const TextSource& text);

// `comlabel` 0 and 1, empty unless the outcome calls for a comment.
std::array<std::string, 2> ResultComment(game::GameEnd end, const ResultData& data,
                                         const TextSource& text);

}  // namespace zeko::gui
