// What the analysis dialog shows, as plain functions: the level list, the pit
// captions from the engine's codes, the main line, the progress and the look
// of each state.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/board.h"

namespace zeko::gui {

// The text of a number in the current language.
using TextSource = std::function<std::string(int)>;

// The dialog's texts, by number.
enum AnalysisText : int {
    kTextAnalysisFirstLevel = 15,  // the nine level names follow
    kTextAnalysisOk = 51,
    kTextAnalysisCancel = 52,
    kTextAnalysisHelp = 53,
    kTextAnalyzePosition = 59,  // the caption at rest
    kTextAnalyzing = 60,        // the caption while a search runs
    kTextAnalyzeButton = 61,
    kTextMainLineButton = 62,
    kTextAnalysisLevelFrame = 63,
    kTextCalculateMainLine = 64,
    kTextMainLine = 65,
    kTextAnalysisLevelEntry = 66,  // followed by A-G for levels 10-16
    kTextProgress = 67,
    kTextAnalyzingStatus = 68,
    kTextCalculatingMainLine = 69,
    kTextWinIn = 70,
    kTextLossIn = 71,
    kTextIllegal = 72,
};

inline constexpr int kAnalysisLevels = 16;
inline constexpr int kNamedLevels = 9;  // the skill levels; the rest are lettered
inline constexpr int kFirstAnalysisLevel = 3;

// The dialog's states.
enum class AnalysisState {
    Loaded = 0,
    Analysing = 1,
    AnalysisShown = 2,
    CalculatingLine = 3,
    LineShown = 4,
    Cleared = 5,  // ready for a new analysis, results cleared
    StopRequested = 6,
};

// How a state sets the dialog; an empty member leaves that control as it was.
struct AnalysisLook {
    std::optional<int> Caption;  // text number
    std::optional<bool> AnalyzeEnabled;
    std::optional<bool> MainLineEnabled;
    std::optional<int> OkCancelText;  // text 51 or 52
    std::optional<bool> OkCancelDefault;
    std::optional<bool> OkCancelEnabled;
    std::optional<bool> LevelListEnabled;
    std::optional<bool> MainLineCheckEnabled;
    // Status and progress labels, their frame and the progress timer.
    std::optional<bool> StatusVisible;
    std::optional<int> StatusText;
    bool ClearsResults = false;
    bool Busy = false;  // the hourglass over the dialog
};

AnalysisLook LookOf(AnalysisState state);

// The sixteen entries of the level list.
std::vector<std::string> LevelEntries(const TextSource& text);

// A number as the dialog writes it: a blank before a value that is not negative.
std::string SignedNumber(int32_t value);

// The engine's code for a pit that cannot be played.
inline constexpr int32_t kCodeIllegal = 0x4000;

// The caption under a pit for the engine's code; stones: the pit's count.
std::string ValueCaption(int32_t code, int32_t stones, const TextSource& text);

// The first pit with the best of six codes, as the engine chooses its best
// pit; -1 when every pit's code says it cannot be played.
int BestPit(const std::array<int32_t, engine::kPitsPerRow>& codes);

// The label (0-5) that shows pit (0-5): reversed when the board was turned for
// the top half.
int LabelOfPit(int pit, bool rotated);

// The letter of the pit label (0-5) shows: A-F left to right, or f-a for the
// top half on the board turned round.
char LetterOfLabel(int label, bool rotated);

// "Main Line :" and the letters of the line, each followed by three blanks; a
// turned board's entries are first put back into the real numbering.
std::string MainLineText(const int32_t* line, int count, bool rotated, const TextSource& text);

// The progress in percent from the work array, or nothing at a level of 5 or
// less. mainLine: the main line is being calculated, one level shallower.
std::optional<int> ProgressPercent(const int32_t* work, int level, bool mainLine);

// "Progress :" and the percentage with its blank and "%".
std::string ProgressText(int percent, const TextSource& text);

}  // namespace zeko::gui
