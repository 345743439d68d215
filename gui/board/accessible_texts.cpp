#include "gui/board/accessible_texts.h"

#include <string_view>

#include "settings/text_table.h"

namespace zeko::gui {

namespace {

struct Words {
    std::string_view Pit, Stone, Stones, Playable, Bottom, Top, Wait, TimeLeft;
};

constexpr Words kEnglish{
    "Pit ",        " stone",    " stones", ", playable", "Bottom half to move", "Top half to move",
    "Please wait", "Time left "};
constexpr Words kDutch{"Veld ",
                       " steen",
                       " stenen",
                       ", speelbaar",
                       "Onderste helft aan zet",
                       "Bovenste helft aan zet",
                       "Even geduld",
                       "Resterende tijd "};

const Words& Current() {
    return settings::texts::CurrentLanguage() == settings::kDutch ? kDutch : kEnglish;
}

}  // namespace

std::string PitDescription(const std::string& letter, int stones, bool playable) {
    const Words& w = Current();
    std::string text(w.Pit);
    text.append(letter).append(", ").append(std::to_string(stones));
    text.append(stones == 1 ? w.Stone : w.Stones);
    if (playable) text.append(w.Playable);
    return text;
}

std::string TurnDescription(Turn turn) {
    const Words& w = Current();
    switch (turn) {
        case Turn::Bottom:
            return std::string(w.Bottom);
        case Turn::Top:
            return std::string(w.Top);
        case Turn::Wait:
            break;
    }
    return std::string(w.Wait);
}

std::string ClockDescription(int seconds) {
    const int shown = seconds < 0 ? 0 : seconds;
    std::string text(Current().TimeLeft);
    text.append(std::to_string(shown / 60)).append(":");
    if (shown % 60 < 10) text.append("0");
    return text.append(std::to_string(shown % 60));
}

}  // namespace zeko::gui
