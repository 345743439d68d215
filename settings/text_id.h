// The numbers of the texts the program's code asks for by name. The analysis
// dialog and the level table name their own texts beside the code that shows
// them (analysis_texts.h, level_timing.h).
#pragma once

namespace zeko::settings {

enum TextId : int {
    kTextGameMenu = 0,
    kTextNewGame = 1,
    kTextLoad = 2,
    kTextSave = 3,
    kTextSaveAs = 4,
    kTextOpponent = 5,
    kTextComputer = 6,
    kTextHuman = 7,
    kTextPass = 8,
    kTextMoveNow = 9,
    kTextTakeBack = 10,
    kTextReplay = 11,
    kTextTimerOff = 12,
    kTextExit = 13,
    kTextSkillMenu = 14,
    kTextFirstLevel = 15,  // Beginner; the nine levels follow in order
    kTextViewMenu = 25,
    kTextFirstViewOption = 26,  // Move Indicator; the eight options follow in order
    kTextToolsMenu = 34,
    kTextAnalysis = 35,
    kTextNewPosition = 36,
    kTextLevelInfo = 37,
    kTextOptions = 38,
    kTextHelpMenu = 39,
    kTextHelpContents = 40,
    kTextHelpIndex = 41,
    kTextAbout = 42,
    kTextHumanName = 43,
    kTextComputerName = 44,
    kTextFirstHumanName = 45,
    kTextSecondHumanName = 46,
    kTextThinking = 47,
    kTextFirstWelcomeLine = 48,  // three lines
    kTextOk = 51,
    kTextCancel = 52,
    kTextHelp = 53,
    kTextNewPositionTitle = 73,
    kTextClearBoard = 74,
    kTextResetBoard = 75,
    kTextMovesNext = 76,
    kTextAboutCaption = 77,
    kTextVersion = 78,
    kTextOptionsTitle = 85,
    kTextFirstOptionsTab = 86,  // Colours; the five tabs follow in order
    kTextFirstColourItem = 91,  // Zeko Background; the 17 colour items follow in order
    kTextSample = 108,
    kTextChange = 109,
    kTextFirstScheme = 110,  // the four colour schemes follow in order
    kTextDutch = 114,
    kTextEnglish = 115,
    kTextDelayResponse = 116,
    kTextClickToSee = 117,
    kTextFixedDelay = 118,
    kTextDelayBy = 119,
    kTextNameLowerHalf = 120,
    kTextNameUpperHalf = 121,
    kTextGameFileNeeded = 122,
    kTextFirstGameFileRule = 123,  // the three game-file rules follow in order
    kTextDefaultGameFile = 126,
    kTextEndingBefore = 126,  // ending n is the text kTextEndingBefore + n
    kTextThinkFaster = 130,
    kTextEqualTerms = 131,
    kTextNeverMind = 132,
    kTextLowestLevel = 133,
    kTextLowerLevel = 134,
    kTextYouBeatThe = 135,
    kTextLevelSuffix = 136,
    kTextHigherLevel = 137,
    kTextTooEasy = 138,
    kTextTightWin = 139,
    kTextRarelyLose = 140,
    kTextTooStrong = 141,
    kTextSelectGame = 142,
    kTextGamesInFile = 143,
    kTextFirstColumn = 144,  // Date; the six column headers follow in order
    kTextDeleteGame = 150,
    kTextLoadGame = 151,
    kTextPracticeGame = 152,
    kTextErrorOpening = 153,
    kTextErrorLoadingGame = 154,
    kTextErrorLoadingMoves = 155,
    kTextErrorSavingGame = 156,
    kTextErrorSavingMoves = 157,
    kTextErrorDeleting = 158,
    kTextErrorNoRoom = 159,
    kTextIncorrectFormat = 160,
    kTextInvalidGame = 161,
    kTextInvalidMoves = 162,
    kTextSetUpNotStored = 163,
};

}  // namespace zeko::settings
