#include "gui/dialogs/result_texts.h"

#include <algorithm>

#include "game/game_record.h"
#include "game/skill_level.h"
#include "settings/company.h"
#include "settings/help.h"
#include "settings/text_id.h"

namespace zeko::gui {

namespace {

std::string OrDefault(const std::string& name, const TextSource& text, int number) {
    return name.empty() ? text(number) : name;
}

}  // namespace

ResultData ResultDataOf(const game::GameRecord& record) {
    return ResultData{record.Board[engine::kTopStore],
                      record.Board[engine::kBottomStore],
                      record.Level,
                      record.ComputerGame,
                      record.NameTopHalf,
                      record.NameBottomHalf};
}

int16_t ResultLevel(const ResultData& data) {
    return std::clamp<int16_t>(data.Level, 1, 9);
}

bool BottomHalfWon(const ResultData& data) {
    return data.BottomStore > 24;
}

std::string ResultCaption(game::GameEnd end, const TextSource& text) {
    std::string caption(settings::kAppName);
    if (end >= game::GameEnd::ByRules && end <= game::GameEnd::TimeExceeded)
        caption += " : " + text(settings::kTextEndingBefore + static_cast<int>(end));
    return caption;
}

std::string_view ResultHelpTopic(game::GameEnd end) {
    switch (end) {
        case game::GameEnd::ByRules:
            return settings::kHelpTopicEndOfGame;
        case game::GameEnd::Repetition:
            return settings::kHelpTopicRepetition;
        case game::GameEnd::TimeExceeded:
            return settings::kHelpTopicTime;
        case game::GameEnd::None:
            break;
    }
    return {};
}

std::array<std::string, 6> ResultLabels(const ResultData& data, const TextSource& text) {
    std::array<std::string, 6> labels;
    if (data.ComputerGame) {
        labels[0] = text(settings::kTextComputerName);
        labels[1] = OrDefault(data.NameBottomHalf, text, settings::kTextHumanName);
    } else {
        labels[0] = OrDefault(data.NameTopHalf, text, settings::kTextSecondHumanName);
        labels[1] = OrDefault(data.NameBottomHalf, text, settings::kTextFirstHumanName);
    }
    labels[2] = " : ";
    labels[3] = " : ";
    labels[4] = std::to_string(data.TopStore);
    labels[5] = std::to_string(data.BottomStore);
    return labels;
}

std::array<std::string, 2> ResultComment(game::GameEnd end, const ResultData& data,
                                         const TextSource& text) {
    const int32_t top = data.TopStore;
    const int32_t bottom = data.BottomStore;
    const int level = ResultLevel(data);
    if (end == game::GameEnd::TimeExceeded) return {text(settings::kTextThinkFaster), {}};
    if (top == 24 && bottom == 24) return {text(settings::kTextEqualTerms), {}};
    if (top >= 25) {
        if (level == game::kBeginner)
            return {text(settings::kTextNeverMind), text(settings::kTextLowestLevel)};
        if (bottom <= 11) return {text(settings::kTextNeverMind), text(settings::kTextLowerLevel)};
        return {text(settings::kTextNeverMind), {}};
    }
    if (bottom <= 24) return {};
    if (level < game::kGrandmaster) {
        return {text(settings::kTextYouBeatThe) + text(settings::kTextFirstLevel - 1 + level) +
                    text(settings::kTextLevelSuffix),
                top >= 15 ? text(settings::kTextHigherLevel) : text(settings::kTextTooEasy)};
    }
    if (top >= 16) return {text(settings::kTextTightWin), {}};
    return {text(settings::kTextRarelyLose), text(settings::kTextTooStrong)};
}

}  // namespace zeko::gui
