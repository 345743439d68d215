// The compiled help of both languages: every topic and anchor the program asks
// for is there, and the links between the pages land.
#include <gtest/gtest.h>

#include <QHelpEngineCore>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "gui/dialogs/result_texts.h"
#include "gui/help/help_window.h"
#include "platform/program_path.h"
#include "settings/help.h"

namespace zeko::gui {
namespace {

TEST(HelpPages, EveryTopicAndAnchorTheProgramAsksForIsInBothLanguages) {
    // Every topic the program's windows can ask for, the contents page with them.
    std::vector<std::string> topics = {"index.html"};
    for (const std::string_view topic :
         {settings::kHelpTopicSelectGame, settings::kHelpTopicLevelInfo,
          settings::kHelpTopicNewPosition, settings::kHelpTopicAnalysis})
        topics.emplace_back(topic);
    for (const auto end :
         {game::GameEnd::ByRules, game::GameEnd::Repetition, game::GameEnd::TimeExceeded})
        topics.emplace_back(ResultHelpTopic(end));
    for (int tab = 1; tab <= 5; ++tab)
        topics.push_back(settings::OptionsHelpTopic(tab));
    // Each language's help file as the build made it, read through Qt's help
    // engine on a collection of its own.
    QTemporaryDir collection;
    QHelpEngineCore engine(collection.filePath(QStringLiteral("help.qhc")));
    engine.setReadOnly(false);
    ASSERT_TRUE(engine.setupData()) << engine.error().toStdString();
    std::map<std::string, QStringList> pages;
    for (const std::string code : {"en", "nl"}) {
        const QString file =
            HelpWindow::FindHelpFile(platform::FolderOf(platform::ProgramPath()) + "/zeko_" + code);
        ASSERT_TRUE(engine.registerDocumentation(file)) << engine.error().toStdString();
        const QString space = QHelpEngineCore::namespaceName(file);
        const auto page = [&](const QString& name) {
            return QString::fromUtf8(engine.fileData(QUrl("qthelp://" + space + "/doc/" + name)));
        };
        const auto hasAnchor = [](const QString& text, const QString& anchor) {
            return text.contains(QStringLiteral("name=\"%1\"").arg(anchor));
        };
        for (const std::string& topic : topics) {
            const QUrl url(QString::fromStdString(topic));
            const QString text = page(url.path());
            EXPECT_TRUE(text.contains(QLatin1String("<h1>"))) << code << ": " << topic;
            EXPECT_TRUE(!url.hasFragment() || hasAnchor(text, url.fragment())) << code << topic;
        }
        // The links between the pages land on anchors that exist.
        const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.html)#([A-Za-z]+)\""));
        for (const QUrl& url : engine.files(space, QString(), QStringLiteral("html"))) {
            pages[code] << url.fileName();
            for (const auto& m : link.globalMatch(page(url.fileName())))
                EXPECT_TRUE(hasAnchor(page(m.captured(1)), m.captured(2)))
                    << code << ": " << url.fileName().toStdString() << " -> "
                    << m.captured(0).toStdString();
        }
    }
    // The two languages have the same pages.
    EXPECT_EQ(pages["en"], pages["nl"]);
}

}  // namespace
}  // namespace zeko::gui
