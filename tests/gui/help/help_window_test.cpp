// The help window on Qt's offscreen platform: opened by the main window's F1
// and Help menu and by the dialogs' F1 at their topic, in the program's
// language; its contents, index, search, back and forward; its smallest size;
// a missing help file.

#include "gui/help/help_window.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/result_dialog.h"
#include "gui/help/help_browser.h"
#include "settings/help.h"
#include "tests/gui/window_driver.h"

namespace zeko::gui {
namespace {

using namespace settings;

class HelpWindowTest : public WindowTest {
  protected:
    MainWindow& Open(int16_t language) {
        return WindowTest::Open([language](ProgramSettings& s) { s.Language = language; });
    }
    void TearDown() override { texts::SetCurrentLanguage(kEnglish); }

    HelpWindow& Help() { return window_->Help(); }
    // The page shown, as "language/page".
    QString Shows() { return Help().Page().toString().section('.', 2).remove("doc/"); }
};

TEST_F(HelpWindowTest, OpensAtTheTopicAndAnchorInTheProgramsLanguageAndStaysOpenBesideTheGame) {
    for (const auto& [code, language, heading] :
         {std::tuple{"en", kEnglish, "Game file"}, {"nl", kDutch, "Partijbestand"}}) {
        MainWindow& window = Open(language);
        texts::ShowHelpTopic(&window, OptionsHelpTopic(5));
        HelpWindow& help = Help();
        ASSERT_TRUE(help.isVisible()) << code;
        EXPECT_EQ(Shows(), QStringLiteral("%1/options.html#GameFile").arg(code));
        EXPECT_TRUE(help.Browser().toPlainText().contains(QLatin1String(heading))) << code;
        // The contents mark the section shown.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return help.ContentsView().currentIndex().data().toString() == heading;
        })) << code;
        // Pictures come out of the help file too, named relative to their page.
        const QUrl picture(QStringLiteral("images/board.png"));
        const QVariant image = help.Browser().loadResource(QTextDocument::ImageResource, picture);
        EXPECT_FALSE(QImage::fromData(image.toByteArray()).isNull());
        // The last section of the page is scrolled into view.
        help.resize(600, 300);
        help.Browser().setSource(help.Page());
        EXPECT_GT(help.Browser().verticalScrollBar()->value(), 0) << code;
        EXPECT_TRUE(help.Browser().document()->defaultStyleSheet().contains("table.board"));
        // The game goes on while the help is open.
        QTest::mouseClick(&window.Board().Pit(3), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.Control().Record().MoveCount == 2; }));
    }
}

TEST_F(HelpWindowTest, FirstKeyAndHelpMenuOpenContentsAndIndexWhoseEntriesLeadToTheirPages) {
    MainWindow& window = Open(kEnglish);
    QTest::keyClick(&window, Qt::Key_F1);
    HelpWindow& help = Help();
    ASSERT_TRUE(help.isVisible());
    EXPECT_EQ(help.CurrentPane(), HelpWindow::Pane::Contents);
    EXPECT_EQ(Shows(), "en/index.html");
    // The contents open the rules at a click.
    QTreeView& contents = help.ContentsView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return contents.model()->rowCount() == 1; }));
    const QModelIndex rules = contents.model()->index(0, 0, contents.model()->index(0, 0));
    contents.scrollTo(rules);
    QTest::mouseClick(contents.viewport(), Qt::LeftButton, {}, contents.visualRect(rules).center());
    EXPECT_EQ(Shows(), "en/rules.html");

    window.menuBar()->actions().back()->menu()->actions()[1]->trigger();
    EXPECT_EQ(help.CurrentPane(), HelpWindow::Pane::Index);
    EXPECT_EQ(Shows(), "en/rules.html");
    ASSERT_TRUE(QTest::qWaitFor([&] { return help.IndexView().model()->rowCount() > 50; }));
    QTest::keyClicks(&help.IndexFilter(), QStringLiteral("Feeding"));
    QTest::keyClick(&help.IndexFilter(), Qt::Key_Return);
    EXPECT_EQ(Shows(), "en/rules.html#feeding");
    EXPECT_EQ(contents.currentIndex().data().toString(), "The feeding rule");

    // Back and forward walk the pages seen.
    for (const auto& [button, page] : {std::pair{&help.BackButton(), "en/rules.html"},
                                       {&help.BackButton(), "en/index.html"},
                                       {&help.ForwardButton(), "en/rules.html"}}) {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(Shows(), page);
    }

    // The language chosen later is the one the next help call shows.
    texts::SetCurrentLanguage(kDutch);
    window.SetTexts();
    // Back in the main window, whose child the help window is.
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(std::tuple(Shows(), help.windowTitle(), help.BackButton().isEnabled()),
              std::tuple("nl/index.html", "Zeko : Hulp", false));
    // A dialog that shows English before the program does asks for English
    // help: the window's own words are English too.
    texts::GetText(0, kEnglish);
    texts::ShowHelpTopic(&window, kHelpTopicNewPosition);
    EXPECT_EQ(std::tuple(Shows(), help.windowTitle(),
                         help.BackButton().text() + "|" + help.ForwardButton().text()),
              std::tuple("en/newpos.html", "Zeko : Help", "Back|Forward"));
}

TEST_F(HelpWindowTest, FullTextSearchFindsThePagesOfAWord) {
    Open(kDutch);
    texts::ShowHelpContents(window_.get());
    HelpWindow& help = Help();
    QTest::keyClicks(&help.SearchBox(), QStringLiteral("voederregel"));
    QTest::keyClick(&help.SearchBox(), Qt::Key_Return);
    QListWidget& results = help.SearchResults();
    ASSERT_TRUE(QTest::qWaitFor([&] { return results.count() > 0; }, 10000));
    EXPECT_FALSE(results.findItems("De spelregels", Qt::MatchExactly).isEmpty());
    // One click opens a page found, here one not shown yet.
    QListWidgetItem* found = results.item(results.count() - 1);
    ASSERT_NE(found->data(Qt::UserRole).toUrl(), help.Page());
    QTest::mouseClick(results.viewport(), Qt::LeftButton, {},
                      results.visualItemRect(found).center());
    EXPECT_EQ(help.Page(), found->data(Qt::UserRole).toUrl());
}

TEST_F(HelpWindowTest, DialogsOpenTheirOwnTopicByTheFirstKeyAndTheHelpCanBeReadMeanwhile) {
    MainWindow& window = Open(kEnglish);
    for (const auto& [end, topic] : {std::pair{game::GameEnd::ByRules, "end.html"},
                                     {game::GameEnd::Repetition, "repetition.html"},
                                     {game::GameEnd::TimeExceeded, "time.html"}}) {
        ResultDialog dialog(ResultData{}, end, QIcon(), &window);
        dialog.setModal(true);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_F1);
        HelpWindow& help = Help();
        EXPECT_EQ(Shows(), QStringLiteral("en/%1").arg(topic));
        EXPECT_TRUE(dialog.isVisible());
        // The modal dialog leaves the help window to the person's clicks.
        QTreeView& contents = help.ContentsView();
        ASSERT_TRUE(QTest::qWaitFor([&] { return contents.model()->rowCount() == 1; }));
        const QModelIndex start = contents.model()->index(0, 0);
        // Clicked as the window system clicks, where modality applies.
        const QPoint at = contents.viewport()->mapTo(&help, contents.visualRect(start).center());
        QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, at);
        EXPECT_EQ(Shows(), "en/index.html");
        dialog.hide();
        // Without the dialog the help window is the main window's again, and
        // closing the main window ends the program.
        EXPECT_EQ(help.windowHandle()->transientParent(), window.windowHandle());
    }
    // The about box has no topic of its own: the help opens at its start.
    AboutBox about(QIcon(), window.Colours(), &window);
    about.show();
    QTest::keyClick(&about, Qt::Key_F1);
    EXPECT_EQ(Shows(), "en/index.html");
}

TEST_F(HelpWindowTest, AMissingHelpFileIsToldAndNothingElseHappens) {
    Open(kDutch);
    HelpWindow& help = Help();
    QString told;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        told = box.text();
        box.accept();
    });
    help.ShowTopic(window_.get(), QDir::tempPath().toStdString() + "/nowhere/zeko_nl", "load.html");
    EXPECT_TRUE(told.startsWith("Het hulpbestand") && told.contains("/nowhere/zeko_nl.qch"))
        << told.toStdString();
    EXPECT_FALSE(help.isVisible());
    // An installed program finds its help in the share folder beside its own.
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/zeko/help")));
    const QString installed = prefix.filePath(QStringLiteral("share/zeko/help/zeko_nl.qch"));
    ASSERT_TRUE(QFile::copy(HelpWindow::FindHelpFile(texts::HelpFile()), installed));
    EXPECT_EQ(
        HelpWindow::FindHelpFile(prefix.filePath(QStringLiteral("games/zeko_nl")).toStdString()),
        QFileInfo(installed).canonicalFilePath());
    // The help that is there still opens.
    texts::ShowHelpTopic(window_.get(), kHelpTopicSelectGame);
    EXPECT_EQ(Shows(), "nl/load.html");
}

}  // namespace
}  // namespace zeko::gui
