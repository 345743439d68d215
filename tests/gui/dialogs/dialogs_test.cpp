// The Tools menu's new-position editor and options dialog, opened by clicks
// on the main window's menu and driven by clicks and keys as a person would,
// with what the main window takes from them.

#include "gui/board/board_style.h"
#include "gui/board/score_bar.h"
#include "gui/dialogs/new_position_editor.h"
#include "gui/dialogs/new_position_geometry.h"
#include "gui/dialogs/options_dialog.h"
#include "tests/gui/window_driver.h"

namespace zeko::gui {
namespace {

using namespace settings;

class DialogsTest : public WindowTest {
  protected:
    // The Tools menu's editor and options dialog, handled by `act`.
    void Editor(std::function<void(NewPositionEditor&)> act) { Use(3, 1, std::move(act)); }
    void Options(std::function<void(OptionsDialog&)> act) { Use(3, 4, std::move(act)); }
};

// The editor's pits, scores, OK button and next-to-move box, "-" before a
// disabled button and "+" before a checked one.
std::string Editing(NewPositionEditor& e) {
    std::string shown;
    for (int pit = 0; pit < engine::kPits; ++pit)
        shown += std::to_string(e.Pit(pit).ShownCount()) + " ";
    const auto mark = [](const QAbstractButton& b) {
        return std::string(b.isEnabled() ? "" : "-") + (b.isChecked() ? "+" : "");
    };
    return shown + e.ScoreLabel(0).text().toStdString() + "|" +
           e.ScoreLabel(1).text().toStdString() + "|" + mark(e.OkButton()) + "OK|" +
           mark(e.NextToMoveBox()) + "next";
}

TEST_F(DialogsTest, TheEditorSetsUpAPositionByClicksAndKeepsItsBoardForTheRun) {
    Open();
    RecordingHelp help;
    Editor([&](NewPositionEditor& e) {
        // The first opening shows the game's position, beside the main window.
        EXPECT_EQ(Editing(e), "4 4 4 4 4 4 4 4 4 4 4 4 Computer : 0|Human : 0|OK|next");
        EXPECT_EQ(e.frameGeometry().height(), window_->frameGeometry().height());
        EXPECT_EQ(Shown(e),
                  "Set Up New Position|Computer Moves &Next|OK|Cancel|Help|&Reset "
                  "Board|&Clear Board");
        ExpectLaidOut(e);
        // The computer's score above the person's; Clear Board above Reset.
        EXPECT_LT(e.ScoreLabel(0).y(), e.ScoreLabel(1).y());
        EXPECT_EQ(e.ClearButton().x(), e.ResetButton().x());
        EXPECT_LT(e.ClearButton().y(), e.ResetButton().y());
        // It stands in its own background colour.
        EXPECT_EQ(e.grab().toImage().pixelColor(2, 2),
                  ItemColour(window_->Colours(), kNewPositionBackground));
        Press(e.ClearButton());
        EXPECT_EQ(Editing(e), "0 0 0 0 0 0 0 0 0 0 0 0 Computer : 24|Human : 24|-OK|next");
        Press(e.Pit(3));  // from the top half's store on a tie
        // Only the bottom half can move: the box names it, whatever is clicked.
        Press(e.NextToMoveBox());
        EXPECT_EQ(Editing(e), "0 0 0 1 0 0 0 0 0 0 0 0 Computer : 23|Human : 24|OK|next");
        // The score bars move stones between the stores; other buttons do nothing.
        Press(e.ScoreBarOf(0), Qt::RightButton);
        EXPECT_EQ(Editing(e), "0 0 0 1 0 0 0 0 0 0 0 0 Computer : 22|Human : 25|-OK|next");
        Press(e.ScoreBarOf(1), Qt::RightButton);
        Press(e.Pit(3), Qt::MiddleButton);
        EXPECT_EQ(Editing(e), "0 0 0 1 0 0 0 0 0 0 0 0 Computer : 23|Human : 24|OK|next");
        // The bar shows its chips as drawn bit by bit and as painted whole.
        for (const bool repainted : {false, true})
            EXPECT_EQ(ChipsShown(e.ScoreBarOf(0), repainted), 23) << repainted;
        QTest::keyClick(&e, Qt::Key_F1);
        Press(e.HelpButton());
        Press(e.CancelButton());
    });
    EXPECT_EQ(help.topics, std::vector<std::string>(2, "newpos.html"));
    EXPECT_EQ(Record().Board, engine::kStartBoard);

    // Cancel kept the edits; Reset goes back to them after more.
    Editor([&](NewPositionEditor& e) {
        const std::string edited = Editing(e);
        EXPECT_EQ(edited, "0 0 0 1 0 0 0 0 0 0 0 0 Computer : 23|Human : 24|OK|next");
        const auto press = [&e](std::vector<int> pits) {
            Press(e.Pit(pits[0]), Qt::RightButton);
            for (size_t k = 1; k < pits.size(); ++k)
                Press(e.Pit(pits[k]));
        };
        press({3, 8, 8});
        EXPECT_TRUE(e.NextToMoveBox().isChecked());  // only the top half can move
        Press(e.ResetButton());
        EXPECT_EQ(Editing(e), edited);
        // Both can move now: the box stays as the last position left it.
        press({3, 8, 9, 0});
        EXPECT_TRUE(e.NextToMoveBox().isChecked());
        // Enter is OK wherever the focus is but on another button.
        e.NextToMoveBox().setFocus();
        QTest::keyClick(&e, Qt::Key_Return);
    });
    // The computer plays the top half set up and thinks at once.
    Settle();
    const game::Board setUp = {1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 22, 23};
    EXPECT_EQ(Record().StartBoard, setUp);
    EXPECT_EQ(Record().MoveCount, 1);
    EXPECT_GE(Record().Moves[1], engine::kPitsPerRow);
}

TEST(EditorPlacement, AsHighAsTheMainWindowHalfwayToTheScreensEdgeAndOnIt) {
    // A frame 10 wide and 30 high around a client area of 450 lines.
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(EditorPlacement({100, 100, 640, 480}, screen, {10, 30}), QRect(638, 350, 743, 480));
    EXPECT_EQ(EditorPlacement({1500, 600, 640, 480}, screen, {10, 30}), QRect(1177, 600, 743, 480));
}

TEST_F(DialogsTest, TwoPeoplePlayOnFromTheSetUpWithTheNameOfTheTopHalfInTheBox) {
    Open([](ProgramSettings& s) {
        s.ComputerGame = false;
        s.NameTopHalf = "Bob & Co";
        s.ViewOptions[kViewGraphicScores] = false;
        s.Language = kDutch;
    });
    // From a small main window, and at the editor's smallest size.
    window_->resize(320, 240);
    Editor([&](NewPositionEditor& e) {
        e.resize(e.minimumSize());
        EXPECT_EQ(Shown(e),
                  "Zet nieuwe stelling op|Bob && Co is aan &zet|OK|Annuleer|Hulp|&Vorig "
                  "bord|&Leeg bord|Bob & Co : 0|Mens 1 : 0");
        ExpectLaidOut(e);
        EXPECT_FALSE(e.ScoreBarOf(0).isVisible());
        Press(e.ScoreLabel(0));  // a stone into the top half's store from the bottom's
        EXPECT_EQ(e.ScoreLabel(0).text(), "Bob & Co : 0");       // the bottom's store is empty
        EXPECT_EQ(e.ScoreLabel(0).textFormat(), Qt::PlainText);  // a name shows as typed
        QTest::keyClick(&e, Qt::Key_Z, Qt::AltModifier);         // the box's access key
        EXPECT_TRUE(QTest::qWaitFor([&] { return e.NextToMoveBox().isChecked(); }));
        Press(e.OkButton());
    });
    Settle();
    EXPECT_TRUE(Record().TopToMove);
    Click(Pit(8));
    EXPECT_EQ(std::tuple(Record().Moves[1], Record().TopToMove), std::tuple(int16_t{8}, false));
}

// The options dialog in one language: its title, each tab as it opens in
// English and as the walk below leaves it in Dutch, and the tabs' captions
// and buttons below every tab.
struct OptionsTexts {
    const char* title;
    std::array<const char*, OptionsDialog::kTabCount> tabs;
    const char* below;
};

const OptionsTexts kEnglishOptions{
    "Options",
    {"+Default colour scheme &1|Default colour scheme &2|&Custom colour scheme|&Monochrome|"
     "Zeko Background|Field Background|Chips|Chips Background|Time Bar Foreground|"
     "Time Bar Background|Score Text|Clock Foreground|Clock Background|Board Background|"
     "Score Bars Background|Move Indicator Background|Move Indicator Foreground|Shadow|"
     "Flash Background|New Position Background|Field Labels|Sample:|-C&hange...",
     "&Dutch|+&English",
     "&Delay game response|-&Click to see response|-+&Fixed delay|Delay by 3 seconds",
     "Name &Upper half||Name Lo&wer half|",
     "When a Game File is needed:|+Always ask|Ask once per session only|"
     "-Always use default file|Default Game File:||..."},
    "Colours|Language|Response Delay|Names|Game File|OK|Cancel|Help"};

const OptionsTexts kDutchOptions{
    "Opties",
    {"Standaardschema &1|Standaardschema &2|+&Instelbare kleuren|&Monochroom|Zeko achtergrond|"
     "Veld achtergrond|Stenen|Stenen achtergrond|Tijdbalk voorgrond|Tijdbalk achtergrond|"
     "Scoretekst|Klok voorgrond|Klok achtergrond|Bord achtergrond|Scorebalken|"
     "Zet-indicator achtergrond|Zet-indicator voorgrond|Schaduw|Knipper achtergrond|"
     "Nieuwe stelling achtergrond|Veldletters|Voorbeeld:|&Verander...",
     "+&Nederlands|&Engels",
     "+&Vertraag antwoord|&Klik om antwoord te zien|+Va&ste vertraging|Vertraag met 7 seconden",
     "Naam &bovenste helft|  Bob of the High Hi|Naam &onderste helft| Ann ",
     "Naam van een partijbestand:|Altijd vragen|Slechts eenmaal vragen|"
     "+Altijd standaard gebruiken|Standaard partijbestand:|~/games.zgf|..."},
    "Kleuren|Taal|Antwoordvertraging|Namen|Partijbestand|OK|Annuleer|Hulp"};

// Every tab shows its texts, laid out whole, and Help or F1 asks for its help.
void ExpectTabs(OptionsDialog& d, const OptionsTexts& texts, const QString& home) {
    for (int tab = 0; tab < OptionsDialog::kTabCount; ++tab) {
        d.Tabs().setCurrentIndex(tab);
        EXPECT_EQ(Shown(d).replace(home, "~"),
                  QStringLiteral("%1|%2|%3").arg(texts.title, texts.tabs[tab], texts.below));
        ExpectLaidOut(d);
        tab % 2 == 0 ? Press(d.HelpButton()) : QTest::keyClick(&d, Qt::Key_F1);
    }
}

// The colour `widget` shows in its middle, as its window draws it.
QColor Middle(QWidget& widget) {
    return widget.window()->grab().toImage().pixelColor(
        widget.mapTo(widget.window(), widget.rect().center()));
}

// A label's access key takes the focus to its field.
void ExpectAccessKey(QWidget& window, Qt::Key key, QWidget& field) {
    Activate(window);
    QTest::keyClick(&window, key, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return field.hasFocus(); })) << key;
}

TEST_F(DialogsTest, OptionsShowEachTabInEitherLanguageAndApplyAfterOkOnly) {
    Open();
    RecordingHelp help;
    const QColor red(255, 0, 0);
    const QString home = QString::fromStdString(home_.Root());
    const QString file = home + "/games.zgf";
    testing::WriteFile(file.toStdString(), "");
    Options([&](OptionsDialog& d) {
        ExpectTabs(d, kEnglishOptions, home);
        // The colours: Change... only for the custom scheme, chosen in any
        // way: here as an assistive tool chooses it. The sample follows.
        d.Tabs().setCurrentIndex(OptionsDialog::kColoursTab);
        DoAccessibleAction(d.SchemeButton(kSchemeCustom),
                           QAccessibleActionInterface::toggleAction());
        EXPECT_TRUE(d.ChangeButton().isEnabled());
        d.ColourList().setCurrentRow(kFieldBackground);
        Press(d.SchemeButton(kSchemeTable2));
        EXPECT_FALSE(d.ChangeButton().isEnabled());
        for (const int item : {kFieldBackground, kChips}) {
            d.ColourList().setCurrentRow(item);
            EXPECT_EQ(Middle(d.Sample()), ToQColor(kBuiltInTable2[item])) << item;
        }
        Press(d.SchemeButton(kSchemeCustom));
        d.ColourList().setCurrentRow(kZekoBackground);
        WhenShown<QColorDialog>([&](QColorDialog& colours) {
            colours.setCurrentColor(red);
            colours.accept();
        });
        Press(d.ChangeButton());
        EXPECT_EQ(Middle(d.Sample()), red);
        // The delay.
        d.Tabs().setCurrentIndex(OptionsDialog::kDelayTab);
        Press(d.DelayBox());
        DoAccessibleAction(d.DelayTypeButton(0), QAccessibleActionInterface::toggleAction());
        Press(d.DelayTypeButton(1));
        d.DelaySlider().setFocus();
        for (int step = 0; step < 4; ++step)
            QTest::keyClick(&d.DelaySlider(), Qt::Key_Right);
        // The names, at most 20 characters, trimmed.
        d.Tabs().setCurrentIndex(OptionsDialog::kNamesTab);
        ExpectAccessKey(d, Qt::Key_U, d.NameEdit(0));
        QTest::keyClicks(&d.NameEdit(0), "  Bob of the High Hills");
        ExpectAccessKey(d, Qt::Key_W, d.NameEdit(1));
        QTest::keyClicks(&d.NameEdit(1), " Ann ");
        // The game file: the default file only when it exists.
        d.Tabs().setCurrentIndex(OptionsDialog::kGameFileTab);
        TypeFileName(file.toStdString());
        Press(d.BrowseButton());
        Press(d.GameFileButton(kUseDefaultFile));
        // The language relabels the dialog at once; Qt's own dialogs follow.
        d.Tabs().setCurrentIndex(OptionsDialog::kLanguageTab);
        DoAccessibleAction(d.LanguageButton(kDutch), QAccessibleActionInterface::toggleAction());
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annuleren");
        ExpectTabs(d, kDutchOptions, home);
        Press(d.OkButton());
    });
    // The names shown at once.
    EXPECT_EQ(std::tuple(window_->menuBar()->actions()[0]->text(),
                         window_->Board().grab().toImage().pixelColor(2, 2),
                         window_->Control().Options().DelayTime, Record().NameTopHalf,
                         window_->Board().ScoreLabel(1).text(), help.topics.size(), help.topics[4]),
              std::tuple("&Partij", red, 7, "Bob of the High Hi", "Ann : 0", 10u,
                         "options.html#GameFile"));
    // Everything is written at close.
    window_->close();
    ProgramSettings read;
    ExchangeSettings(SettingsExchange::Read, read);
    EXPECT_TRUE(std::tuple(read.ColorScheme, read.CustomColors[0], read.DelayActivated,
                           read.DelayFixed, read.DelayTime, read.NameTopHalf, read.NameBottomHalf,
                           read.DefaultGameFile, read.GameFilePrompt, read.Language) ==
                std::tuple(kSchemeCustom, Rgb(255, 0, 0), true, true, 7, "Bob of the High Hi",
                           "Ann", file.toStdString(), kUseDefaultFile, kDutch));
    // A default file that is gone, or deleted from the box, cannot be the
    // rule. Cancel keeps everything as it was, Qt's dialogs' language too.
    Open(read);
    QFile::remove(file);
    Options([&](OptionsDialog& d) {
        const QString askOnce = "Altijd vragen|+Slechts eenmaal vragen|-Altijd standaard gebruiken";
        d.Tabs().setCurrentIndex(OptionsDialog::kGameFileTab);
        EXPECT_TRUE(Shown(d).contains(askOnce));
        testing::WriteFile(file.toStdString(), "");
        d.GameFileEdit().setText(file);
        Press(d.GameFileButton(kUseDefaultFile));
        QTest::keyClick(&d.GameFileEdit(), Qt::Key_Delete);
        EXPECT_TRUE(Shown(d).contains(askOnce + "|Standaard partijbestand:||"));
        d.Tabs().setCurrentIndex(OptionsDialog::kLanguageTab);
        ExpectAccessKey(d, Qt::Key_E, d.LanguageButton(kEnglish));
        EXPECT_TRUE(QTest::qWaitFor([&] { return d.LanguageButton(kEnglish).isChecked(); }));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
        Press(d.CancelButton());
    });
    EXPECT_EQ(std::tuple(window_->Settings().Language, window_->Settings().GameFilePrompt,
                         QCoreApplication::translate("QPlatformTheme", "Cancel")),
              std::tuple(kDutch, kUseDefaultFile, "Annuleren"));
}

}  // namespace
}  // namespace zeko::gui
