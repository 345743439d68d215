// The compiled help of both languages: every topic and anchor the program asks
// for is there, and the pages' rule examples are what the engine plays.
#include <gtest/gtest.h>

#include <QHelpEngineCore>
#include <QHelpLink>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <array>

#include "engine/board.h"
#include "gui/dialogs/result_texts.h"
#include "gui/help/help_window.h"
#include "platform/engine_library.h"
#include "platform/program_path.h"
#include "settings/help.h"
#include "settings/text_table.h"

namespace zeko::gui {
namespace {

using settings::kDutch;
using settings::kEnglish;

// The help file of one language as the build made it, read through Qt's help
// engine on a collection of its own.
class BuiltHelp {
  public:
    explicit BuiltHelp(const std::string& code)
        : file_(HelpWindow::FindHelpFile(platform::FolderOf(platform::ProgramPath()) + "/zeko_" +
                                         code)),
          engine_(collection_.filePath(QStringLiteral("help.qhc"))) {
        engine_.setReadOnly(false);
        EXPECT_FALSE(file_.isEmpty()) << code;
        EXPECT_TRUE(engine_.setupData()) << engine_.error().toStdString();
        EXPECT_TRUE(engine_.registerDocumentation(file_)) << engine_.error().toStdString();
        namespace_ = QHelpEngineCore::namespaceName(file_);
    }

    QUrl Url(const QString& topic) const {
        return QUrl(QStringLiteral("qthelp://%1/doc/%2").arg(namespace_, topic));
    }
    // A page's text; empty when there is no such page.
    QString Page(const QString& name) const {
        return QString::fromUtf8(engine_.fileData(Url(name)));
    }
    QList<QUrl> Pages() { return engine_.files(namespace_, QString(), QStringLiteral("html")); }
    QHelpEngineCore& Engine() { return engine_; }

  private:
    QTemporaryDir collection_;
    QString file_;
    QHelpEngineCore engine_;
    QString namespace_;
};

bool HasAnchor(const QString& page, const QString& anchor) {
    return page.contains(QStringLiteral("name=\"%1\"").arg(anchor));
}

// Every topic the program's windows can ask for, the contents page with them.
std::vector<std::string> ProgramTopics() {
    std::vector<std::string> topics = {"index.html", std::string(settings::kHelpTopicSelectGame),
                                       std::string(settings::kHelpTopicLevelInfo),
                                       std::string(settings::kHelpTopicNewPosition),
                                       std::string(settings::kHelpTopicAnalysis)};
    for (const game::GameEnd end :
         {game::GameEnd::ByRules, game::GameEnd::Repetition, game::GameEnd::TimeExceeded})
        topics.emplace_back(ResultHelpTopic(end));
    for (int tab = 1; tab <= 5; ++tab)
        topics.push_back(settings::OptionsHelpTopic(tab));
    return topics;
}

TEST(HelpPages, EveryTopicAndAnchorTheProgramAsksForIsInBothLanguages) {
    for (const std::string code : {"en", "nl"}) {
        BuiltHelp help(code);
        for (const std::string& topic : ProgramTopics()) {
            const QUrl url = help.Url(QString::fromStdString(topic));
            const QString page = help.Page(url.path().section(QLatin1Char('/'), -1));
            EXPECT_TRUE(page.contains(QLatin1String("<h1>"))) << code << ": " << topic;
            if (url.hasFragment()) {
                EXPECT_TRUE(HasAnchor(page, url.fragment())) << code << ": " << topic;
            }
        }
        // The links between the pages land on anchors that exist, and the two
        // languages have the same pages.
        EXPECT_EQ(help.Pages().size(), 14u) << code;
        const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.html)#([A-Za-z]+)\""));
        for (const QUrl& url : help.Pages()) {
            const QString name = url.fileName();
            for (const auto& m : link.globalMatch(help.Page(name)))
                EXPECT_TRUE(HasAnchor(help.Page(m.captured(1)), m.captured(2)))
                    << code << ": " << name.toStdString() << " -> " << m.captured(0).toStdString();
            EXPECT_FALSE(BuiltHelp(code == "en" ? "nl" : "en").Page(name).isEmpty()) << code;
        }
        // The index finds its subjects.
        EXPECT_FALSE(help.Engine()
                         .documentsForKeyword(code == "en" ? QStringLiteral("Sowing")
                                                           : QStringLiteral("Zaaien"))
                         .isEmpty());
    }
}

// The boards of a page section, as shown: the top row from f to a, the
// bottom row from A to F, the top half's store, then the bottom half's.
std::vector<engine::Board> BoardsIn(const QString& html) {
    std::vector<engine::Board> boards;
    const QRegularExpression table(QStringLiteral("<table class=\"board\">(.*?)</table>"),
                                   QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression pit(QStringLiteral("<td>(\\d+)</td>"));
    const QRegularExpression store(QStringLiteral("<td class=\"store\">[^<0-9]*(\\d+)</td>"));
    for (const auto& t : table.globalMatch(html)) {
        std::vector<int32_t> pits, stores;
        for (const auto& m : pit.globalMatch(t.captured(1)))
            pits.push_back(m.captured(1).toInt());
        for (const auto& m : store.globalMatch(t.captured(1)))
            stores.push_back(m.captured(1).toInt());
        EXPECT_EQ(pits.size(), 12u);
        EXPECT_EQ(stores.size(), 2u);
        if (pits.size() != 12 || stores.size() != 2) continue;
        engine::Board board{};
        for (int i = 0; i < 6; ++i) {
            board[static_cast<size_t>(11 - i)] = pits[static_cast<size_t>(i)];
            board[static_cast<size_t>(i)] = pits[static_cast<size_t>(6 + i)];
        }
        board[engine::kTopStore] = stores[0];
        board[engine::kBottomStore] = stores[1];
        boards.push_back(board);
    }
    return boards;
}

TEST(HelpPages, RuleExamplesArePlayedAsTheEnginePlaysThem) {
    platform::EngineLibrary engine;
    for (const std::string code : {"en", "nl"}) {
        const QString rules = BuiltHelp(code).Page(QStringLiteral("rules.html"));
        const QRegularExpression example(
            QStringLiteral("<div class=\"example\" data-move=\"([A-Fa-f])\" "
                           "data-opening=\"(yes|no)\" data-legal=\"(yes|no)\">(.*?)</div>"),
            QRegularExpression::DotMatchesEverythingOption);
        int examples = 0;
        for (const auto& m : example.globalMatch(rules)) {
            ++examples;
            const char letter = m.captured(1)[0].toLatin1();
            const bool top = letter >= 'a';
            const int pit = top ? letter - 'a' + 6 : letter - 'A';
            const std::vector<engine::Board> boards = BoardsIn(m.captured(4));
            ASSERT_FALSE(boards.empty()) << code << ": " << letter;
            engine::Board board = boards[0];
            const engine::Board asked = top ? engine::rotateboard(board) : board;
            const bool legal = engine.checkmove(asked.data(), pit % 6, m.captured(2) == "yes") == 1;
            EXPECT_EQ(legal, m.captured(3) == "yes") << code << ": " << letter;
            // A legal move shows the board after it; a refused one only before.
            ASSERT_EQ(boards.size(), legal ? 2u : 1u) << code << ": " << letter;
            if (!legal) continue;
            std::array<int32_t, 6> trackers{};
            engine.execmove(board.data(), pit, trackers.data());
            EXPECT_EQ(board, boards[1]) << code << ": " << letter;
        }
        EXPECT_EQ(examples, 6) << code;
    }
}

}  // namespace
}  // namespace zeko::gui
