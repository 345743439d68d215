// The compiled help of both languages: every topic and anchor the program asks
// for is there, and the links between the pages land.
#include <gtest/gtest.h>

#include <QHelpEngineCore>
#include <QHelpLink>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "gui/dialogs/result_texts.h"
#include "gui/help/help_window.h"
#include "platform/program_path.h"
#include "settings/help.h"

namespace zeko::gui {
namespace {

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
        const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.html)#([A-Za-z]+)\""));
        for (const QUrl& url : help.Pages()) {
            const QString name = url.fileName();
            for (const auto& m : link.globalMatch(help.Page(name)))
                EXPECT_TRUE(HasAnchor(help.Page(m.captured(1)), m.captured(2)))
                    << code << ": " << name.toStdString() << " -> " << m.captured(0).toStdString();
            EXPECT_FALSE(BuiltHelp(code == "en" ? "nl" : "en").Page(name).isEmpty()) << code;
        }
    }
}

}  // namespace
}  // namespace zeko::gui
