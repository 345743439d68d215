#include "gui/dialogs/analysis_texts.h"

#include <cstdlib>

namespace zeko::gui {

namespace {

using engine::kPitsPerRow;

// The engine's code bits (its values lie far below them).
constexpr int32_t kCodeWin = 0x2000;
constexpr int32_t kCodeLoss = 0x1000;
constexpr int32_t kMoveNumberModulus = 16;  // the low bits of a win or loss code
// The search values behind the win and loss codes: code = kWinBase - value,
// code = value + kLossBase.
constexpr int32_t kWinBase = 8708;
constexpr int32_t kLossBase = 4611;

// How many moves each of the three top levels of a search examines: six pits,
// and in a main line one more step when a ply's search has finished.
constexpr int kAnalysisSteps = kPitsPerRow;
constexpr int kLineSteps = kPitsPerRow + 1;
// Progress is shown only above this level.
constexpr int kLastLevelWithoutProgress = 5;

// n / d rounded to the nearest whole number, halves to the even one.
int RoundHalfEven(int n, int d) {
    const int q = n / d;
    const int twice = 2 * (n % d);
    return twice > d || (twice == d && q % 2 != 0) ? q + 1 : q;
}

}  // namespace

AnalysisLook LookOf(AnalysisState state) {
    AnalysisLook look;
    const auto okButton = [&look] {
        look.OkCancelText = kTextAnalysisOk;
        look.OkCancelEnabled = true;
        look.StatusVisible = false;
    };
    switch (state) {
        case AnalysisState::Loaded:
            look.Caption = kTextAnalyzePosition;
            look.MainLineEnabled = false;
            look.OkCancelText = kTextAnalysisCancel;
            look.OkCancelDefault = false;
            break;
        case AnalysisState::Analysing:
        case AnalysisState::CalculatingLine: {
            const bool analysing = state == AnalysisState::Analysing;
            look.Caption = kTextAnalyzing;
            look.AnalyzeEnabled = false;
            look.MainLineEnabled = false;
            look.OkCancelText = kTextAnalysisCancel;
            look.OkCancelDefault = false;
            look.OkCancelEnabled = true;
            look.LevelListEnabled = false;
            // The box may be ticked while an analysis runs: it is read when it ends.
            look.MainLineCheckEnabled = analysing;
            look.StatusVisible = true;
            look.StatusText = analysing ? kTextAnalyzingStatus : kTextCalculatingMainLine;
            look.Busy = true;
            break;
        }
        case AnalysisState::AnalysisShown:
        case AnalysisState::LineShown:
            look.Caption = kTextAnalyzePosition;
            look.AnalyzeEnabled = false;
            look.MainLineEnabled = state == AnalysisState::AnalysisShown;
            okButton();
            look.OkCancelDefault = true;
            look.LevelListEnabled = true;
            look.MainLineCheckEnabled = false;
            break;
        case AnalysisState::Cleared:
            look.Caption = kTextAnalyzePosition;
            look.AnalyzeEnabled = true;
            look.MainLineEnabled = false;
            okButton();
            look.LevelListEnabled = true;
            look.MainLineCheckEnabled = true;
            look.ClearsResults = true;
            break;
        case AnalysisState::StopRequested:
            look.Busy = true;
            break;
    }
    return look;
}

std::vector<std::string> LevelEntries(const TextSource& text) {
    std::vector<std::string> entries;
    for (int level = 1; level <= kAnalysisLevels; ++level) {
        if (level <= kNamedLevels)
            entries.push_back(text(kTextAnalysisFirstLevel + level - 1));
        else
            entries.push_back(text(kTextAnalysisLevelEntry) +
                              static_cast<char>('A' + level - kNamedLevels - 1));
    }
    return entries;
}

std::string SignedNumber(int32_t value) {
    std::string text(value >= 0 ? 1 : 0, ' ');
    text += std::to_string(value);
    return text;
}

std::string ValueCaption(int32_t code, int32_t stones, const TextSource& text) {
    const int32_t a = std::abs(code);
    if (a & kCodeIllegal) return stones == 0 ? std::string() : text(kTextIllegal);
    // The blank before the number puts two blanks after the word.
    if (a & kCodeWin) return text(kTextWinIn) + SignedNumber(code % kMoveNumberModulus);
    if (a & kCodeLoss) return text(kTextLossIn) + SignedNumber(code % kMoveNumberModulus);
    return SignedNumber(code);
}

int BestPit(const std::array<int32_t, kPitsPerRow>& codes) {
    int best = -1;
    int32_t bestValue = 0;
    for (int pit = 0; pit < kPitsPerRow; ++pit) {
        const int32_t code = codes[static_cast<size_t>(pit)];
        const int32_t a = std::abs(code);
        if (a & kCodeIllegal) continue;
        int32_t value = code;
        if (a & kCodeWin)
            value = kWinBase - code;
        else if (a & kCodeLoss)
            value = code - kLossBase;
        if (best < 0 || value > bestValue) {
            best = pit;
            bestValue = value;
        }
    }
    return best;
}

int LabelOfPit(int pit, bool rotated) {
    return rotated ? kPitsPerRow - 1 - pit : pit;
}

char LetterOfLabel(int label, bool rotated) {
    return rotated ? static_cast<char>('a' + kPitsPerRow - 1 - label)
                   : static_cast<char>('A' + label);
}

std::string MainLineText(const int32_t* line, int count, bool rotated, const TextSource& text) {
    std::string shown = text(kTextMainLine);
    for (int i = 0; i < count; ++i) {
        int32_t pit = line[i];
        if (pit < 0 || pit >= engine::kPits) continue;  // not a pit: nothing to name
        if (rotated) pit = pit < kPitsPerRow ? pit + kPitsPerRow : pit - kPitsPerRow;
        shown += pit < kPitsPerRow ? static_cast<char>('A' + pit)
                                   : static_cast<char>('a' + pit - kPitsPerRow);
        shown += "   ";
    }
    return shown;
}

std::optional<int> ProgressPercent(const int32_t* work, int level, bool mainLine) {
    const int top = mainLine ? level - 1 : level;
    if (top <= kLastLevelWithoutProgress) return std::nullopt;
    const int steps = mainLine ? kLineSteps : kAnalysisSteps;
    const int examined = (work[top] * steps + work[top - 1]) * steps + work[top - 2];
    return RoundHalfEven(examined * 100, steps * steps * steps);
}

std::string ProgressText(int percent, const TextSource& text) {
    return text(kTextProgress) + SignedNumber(percent) + "%";
}

}  // namespace zeko::gui
