// What the result dialog says for every way a game can end.
#include <gtest/gtest.h>

#include <string>

#include "game/game_record.h"
#include "gui/result_texts.h"
#include "test_support.h"

namespace zeko::gui {
namespace {

using testing::DutchText;
using testing::EnglishText;

struct CommentCase {
    const char* why;
    int finalState;
    int top;
    int bottom;
    int level;
    std::string line0;
    std::string line1;
    bool dutch = false;
    bool computerGame = true;
};

const CommentCase kCommentCases[] = {
    // A game lost on time gets one line, whatever the scores.
    {"time, top ahead", 3, 30, 10, 5, "You really should try to think faster.", ""},
    {"time, even", 3, 24, 24, 1, "You really should try to think faster.", ""},
    {"time, bottom ahead", 3, 10, 30, 9, "You really should try to think faster.", ""},
    {"time, Dutch", 3, 12, 12, 3, "U zult sneller moeten gaan denken.", "", true},
    // A draw, in any other ending.
    {"draw by the rules", 1, 24, 24, 9, "So we're back on equal terms again.", ""},
    {"draw by repetition", 2, 24, 24, 1, "So we're back on equal terms again.", ""},
    // Nobody above 24: no comment.
    {"repetition 20 to 22", 2, 20, 22, 5, "", ""},
    {"bottom at 24 only", 1, 23, 24, 5, "", ""},
    // The top half won.
    {"lost at level 1", 1, 25, 23, 1, "Never mind, this is a difficult game to play.",
     "Keep trying on the lowest level."},
    {"lost badly at level 1", 1, 40, 8, 1, "Never mind, this is a difficult game to play.",
     "Keep trying on the lowest level."},
    {"lost badly at level 2", 1, 37, 11, 2, "Never mind, this is a difficult game to play.",
     "Perhaps you'd better try a lower level!"},
    {"lost with 12 at level 2", 1, 36, 12, 2, "Never mind, this is a difficult game to play.", ""},
    {"lost with 12 at level 5", 2, 25, 12, 5, "Never mind, this is a difficult game to play.", ""},
    {"lost badly at level 9", 1, 48, 0, 9, "Never mind, this is a difficult game to play.",
     "Perhaps you'd better try a lower level!"},
    {"lost, Dutch", 1, 30, 5, 4, "Tja, dit is een moeilijk spel, hoor.",
     "Misschien kunt U beter een lager niveau proberen!", true},
    // The bottom half won below Grandmaster.
    {"beat level 4 with 15 left", 1, 15, 25, 4, "You beat the Advanced level.",
     "Now try a higher level."},
    {"beat level 4 with 14 left", 1, 14, 25, 4, "You beat the Advanced level.",
     "This level is too easy for you."},
    {"beat level 1", 1, 20, 28, 1, "You beat the Beginner level.", "Now try a higher level."},
    {"beat level 8", 2, 0, 48, 8, "You beat the Master level.", "This level is too easy for you."},
    {"beat level 4, Dutch", 1, 14, 25, 4, "U hebt het Gevorderd niveau verslagen.",
     "Dit niveau was duidelijk te makkelijk.", true},
    // The bottom half beat Grandmaster.
    {"beat level 9 25 to 16", 1, 16, 25, 9, "A tight win for you, well done.", ""},
    {"beat level 9 25 to 15", 1, 15, 25, 9, "Congratulations, I rarely lose so clearly!",
     "You are too strong for me now!"},
    {"beat level 9 48 to 0", 1, 0, 48, 9, "Congratulations, I rarely lose so clearly!",
     "You are too strong for me now!"},
    // Who played the top half does not matter.
    {"two people, top won", 1, 30, 5, 1, "Never mind, this is a difficult game to play.",
     "Keep trying on the lowest level.", false, false},
    {"two people, bottom won", 1, 20, 28, 9, "A tight win for you, well done.", "", false, false},
    // A level outside 1-9 counts as the nearest one.
    {"level 0 lost", 1, 30, 5, 0, "Never mind, this is a difficult game to play.",
     "Keep trying on the lowest level."},
    {"level 12 won", 1, 10, 38, 12, "Congratulations, I rarely lose so clearly!",
     "You are too strong for me now!"},
};

TEST(ResultComment, FollowsTheScoresTheEndingAndTheLevel) {
    for (const CommentCase& c : kCommentCases) {
        ResultData data;
        data.TopStore = c.top;
        data.BottomStore = c.bottom;
        data.Level = static_cast<int16_t>(c.level);
        data.ComputerGame = c.computerGame;
        const auto comment = ResultComment(static_cast<zeko::game::GameEnd>(c.finalState), data,
                                           c.dutch ? TextSource(DutchText) : EnglishText);
        EXPECT_EQ(comment[0], c.line0) << c.why;
        EXPECT_EQ(comment[1], c.line1) << c.why;
    }
}

struct LabelCase {
    const char* why;
    bool computerGame;
    std::string top;
    std::string bottom;
    bool dutch;
    std::string label0;
    std::string label1;
};

const LabelCase kLabelCases[] = {
    {"computer, no name", true, "", "", false, "Computer", "Human"},
    {"computer, named", true, "Top", "Ada", false, "Computer", "Ada"},
    {"computer, Dutch", true, "", "", true, "Computer", "Mens"},
    {"two people, no names", false, "", "", false, "Human 2", "Human 1"},
    {"two people, named", false, "Bo", "Ada", false, "Bo", "Ada"},
    {"two people, one named", false, "", "Ada", true, "Mens 2", "Ada"},
};

TEST(ResultLabels, NameBothSidesAndShowTheStoresAsPlainNumbers) {
    for (const LabelCase& c : kLabelCases) {
        ResultData data;
        data.ComputerGame = c.computerGame;
        data.NameTopHalf = c.top;
        data.NameBottomHalf = c.bottom;
        data.TopStore = 7;
        data.BottomStore = 41;
        const auto labels = ResultLabels(data, c.dutch ? TextSource(DutchText) : EnglishText);
        EXPECT_EQ(labels[0], c.label0) << c.why;
        EXPECT_EQ(labels[1], c.label1) << c.why;
        EXPECT_EQ(labels[2], " : ") << c.why;
        EXPECT_EQ(labels[3], " : ") << c.why;
        EXPECT_EQ(labels[4], "7") << c.why;
        EXPECT_EQ(labels[5], "41") << c.why;
    }
    ResultData empty;
    EXPECT_EQ(ResultLabels(empty, EnglishText)[4], "0");  // no leading blank
}

struct EndingCase {
    int finalState;
    std::string english;
    std::string dutch;
    std::string topic;
};

const EndingCase kEndingCases[] = {
    {1, "Zeko : End of Game", "Zeko : Partij afgelopen", "end.html"},
    {2, "Zeko : Repetition of Moves", "Zeko : Herhaling van zetten", "repetition.html"},
    {3, "Zeko : Excess of Time Used", "Zeko : Tijdsoverschrijding", "time.html"},
    // Endings the game control never reports borrow no unrelated text.
    {0, "Zeko", "Zeko", ""},
    {4, "Zeko", "Zeko", ""},
};

TEST(ResultCaption, NamesTheEndingAndItsHelpTopic) {
    for (const EndingCase& c : kEndingCases) {
        EXPECT_EQ(ResultCaption(static_cast<zeko::game::GameEnd>(c.finalState), EnglishText),
                  c.english)
            << c.finalState;
        EXPECT_EQ(ResultCaption(static_cast<zeko::game::GameEnd>(c.finalState), DutchText), c.dutch)
            << c.finalState;
        EXPECT_EQ(ResultHelpTopic(static_cast<zeko::game::GameEnd>(c.finalState)), c.topic)
            << c.finalState;
    }
}

TEST(ResultData, TakesTheStoresLevelOpponentAndNamesFromTheGameRecord) {
    game::GameRecord record;
    record.Board = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    record.Board[engine::kTopStore] = 19;
    record.Board[engine::kBottomStore] = 26;
    record.Level = 7;
    record.ComputerGame = false;
    record.NameTopHalf = "Bo";
    record.NameBottomHalf = "Ada";
    const ResultData data = ResultDataOf(record);
    EXPECT_EQ(data.TopStore, 19);
    EXPECT_EQ(data.BottomStore, 26);
    EXPECT_EQ(data.Level, 7);
    EXPECT_FALSE(data.ComputerGame);
    EXPECT_EQ(data.NameTopHalf, "Bo");
    EXPECT_EQ(data.NameBottomHalf, "Ada");
    EXPECT_TRUE(BottomHalfWon(data));
}

}  // namespace
}  // namespace zeko::gui
