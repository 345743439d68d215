#include "dialogs/result_texts.h"

#include <algorithm>

#include "game/game_record.h"
#include "settings/company.h"
#include "settings/help.h"

namespace zeko::dialogs {

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

std::string ResultCaption(int finalState, const TextSource& text) {
    std::string caption(settings::kAppName);
    if (finalState >= kEndOfGame && finalState <= kTimeExceeded)
        caption += " : " + text(126 + finalState);
    return caption;
}

std::string_view ResultHelpTopic(int finalState) {
    switch (finalState) {
        case kEndOfGame:
            return settings::kHelpTopicEndOfGame;
        case kRepetition:
            return settings::kHelpTopicRepetition;
        case kTimeExceeded:
            return settings::kHelpTopicTime;
        default:
            return {};
    }
}

std::array<std::string, 6> ResultLabels(const ResultData& data, const TextSource& text) {
    std::array<std::string, 6> labels;
    if (data.ComputerGame) {
        labels[0] = text(44);
        labels[1] = OrDefault(data.NameBottomHalf, text, 43);
    } else {
        labels[0] = OrDefault(data.NameTopHalf, text, 46);
        labels[1] = OrDefault(data.NameBottomHalf, text, 45);
    }
    labels[2] = " : ";
    labels[3] = " : ";
    labels[4] = std::to_string(data.TopStore);
    labels[5] = std::to_string(data.BottomStore);
    return labels;
}

std::array<std::string, 2> ResultComment(int finalState, const ResultData& data,
                                         const TextSource& text) {
    const int32_t top = data.TopStore;
    const int32_t bottom = data.BottomStore;
    const int level = ResultLevel(data);
    if (finalState == kTimeExceeded) return {text(130), {}};
    if (top == 24 && bottom == 24) return {text(131), {}};
    if (top >= 25) {
        if (level == 1) return {text(132), text(133)};
        if (bottom <= 11) return {text(132), text(134)};
        return {text(132), {}};
    }
    if (bottom <= 24) return {};
    if (level < 9) {
        return {text(135) + text(14 + level) + text(136), top >= 15 ? text(137) : text(138)};
    }
    if (top >= 16) return {text(139), {}};
    return {text(140), text(141)};
}

}  // namespace zeko::dialogs
