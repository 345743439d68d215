#include <gtest/gtest.h>

#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_type_registration.h"
#include "settings/registry.h"
#include "tests/support/test_home.h"

namespace zeko::settings {
namespace {

using testing::IsolatedTest;
using testing::ReadFile;
using testing::WriteFile;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string ForeignPackage(const std::string& pattern) {
    return "<?xml version=\"1.0\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"application/x-other-game\"><glob pattern=\"" +
           pattern + "\"/></mime-type>\n</mime-info>\n";
}

class FileTypeTest : public IsolatedTest {
  protected:
    std::string Package() const { return home_.Data() + "/mime/packages/Zeko.GameFile.xml"; }
    std::string Entry() const { return home_.Data() + "/applications/Zeko.GameFile.desktop"; }

    void Register(const std::string& programPath) {
        Registry registry(RegistryPlaces{"", "", programPath});
        registry.AppName("Zeko");
        registry.RegisterFileType(".zgf", "Zeko.GameFile", "Zeko Game File");
    }

    // A tool that notes its call and makes the cache it is meant to make.
    void FakeTool(const std::string& name, const std::string& cache) {
        const std::string path = home_.Bin() + "/" + name;
        WriteFile(path, "#!/bin/sh\necho \"" + name + " $*\" >> '" + home_.Root() +
                            "/tools.log'\n: > \"$1/" + cache + "\"\n");
        ::chmod(path.c_str(), 0755);
    }
    std::string ToolLog() const { return ReadFile(home_.Root() + "/tools.log"); }
};

TEST_F(FileTypeTest, RegistersTheTypeAndAnOpenCommand) {
    Register("/opt/Kiezel Games/bin/zeko");

    const std::string package = ReadFile(Package());
    EXPECT_TRUE(Contains(package, "<mime-type type=\"application/x-zeko-gamefile\">"));
    EXPECT_TRUE(Contains(package, "<comment>Zeko Game File</comment>"));
    EXPECT_TRUE(Contains(package, "<icon name=\"zeko\"/>"));
    EXPECT_TRUE(Contains(package, "<glob pattern=\"*.zgf\"/>"));

    EXPECT_EQ(ReadFile(Entry()),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Zeko\n"
              "Exec=\"/opt/Kiezel Games/bin/zeko\" %f\n"
              "Icon=zeko\n"
              "MimeType=application/x-zeko-gamefile;\n"
              "NoDisplay=true\n"
              "Terminal=false\n");
}

// Quoted as a whole, with '"', '`', '$' and '\' escaped inside the quotes,
// '%' doubled, and then the string escapes: a backslash takes four.
TEST_F(FileTypeTest, TheOpenCommandKeepsAnyProgramPathWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {"/usr/games/zeko", "\"/usr/games/zeko\""},
        {"/home/an na/zeko", "\"/home/an na/zeko\""},
        {"/tmp/\"q\"/it's/zeko", "\"/tmp/\\\\\"q\\\\\"/it's/zeko\""},
        {"/tmp/$HOME/`id`/zeko", "\"/tmp/\\\\$HOME/\\\\`id\\\\`/zeko\""},
        {"/tmp/back\\slash", "\"/tmp/back\\\\\\\\slash\""},
        {"/tmp/100%/%f", "\"/tmp/100%%/%%f\""},
        {"/tmp/tab\there;&|<>~*?#()", "\"/tmp/tab\\there;&|<>~*?#()\""},
    };
    for (const auto& [path, exec] : cases)
        EXPECT_EQ(platform::QuoteExecArgument(path), exec);
}

TEST_F(FileTypeTest, AnotherTypesClaimOnTheExtensionIsKeptAndOurTypeRewritten) {
    const std::string foreignPath = home_.Data() + "/mime/packages/other.xml";
    WriteFile(foreignPath, ForeignPackage("*.ZGF"));
    // Packages that cannot be read claim nothing.
    WriteFile(home_.Data() + "/mime/packages/broken.xml", "<mime-info><mime-type type=\"a/b\"");
    WriteFile(home_.Data() + "/mime/packages/noise.xml", std::string("\x00\xff\x01", 3));
    // What an older registration left.
    WriteFile(Package(),
              "<mime-info><mime-type type=\"application/x-zeko-gamefile\">"
              "<comment>Old</comment></mime-type></mime-info>");

    Register("/usr/games/zeko");

    EXPECT_EQ(ReadFile(foreignPath), ForeignPackage("*.ZGF"));
    const std::string package = ReadFile(Package());
    EXPECT_TRUE(Contains(package, "<comment>Zeko Game File</comment>"));
    EXPECT_FALSE(Contains(package, "<glob"));
    EXPECT_TRUE(Contains(ReadFile(Entry()), "MimeType=application/x-zeko-gamefile;"));
}

TEST_F(FileTypeTest, OurOwnEarlierClaimIsKeptWhenAnotherTypeComesLater) {
    Register("/usr/games/zeko");
    WriteFile(home_.Data() + "/mime/packages/other.xml", ForeignPackage("*.zgf"));
    Register("/usr/games/zeko");
    EXPECT_TRUE(Contains(ReadFile(Package()), "<glob pattern=\"*.zgf\"/>"));
}

TEST_F(FileTypeTest, TheDesktopToolsRunWhenSomethingChanged) {
    FakeTool("update-mime-database", "mime.cache");
    FakeTool("update-desktop-database", "mimeinfo.cache");
    Register("/usr/games/zeko");
    const std::string firstRun = ToolLog();
    EXPECT_EQ(firstRun, "update-mime-database " + home_.Data() + "/mime\nupdate-desktop-database " +
                            home_.Data() + "/applications\n");

    // An ordinary start with everything in place runs nothing.
    Register("/usr/games/zeko");
    EXPECT_EQ(ToolLog(), firstRun);

    // The program moved: only the entry changes.
    Register("/opt/zeko/zeko");
    EXPECT_EQ(ToolLog(), firstRun + "update-desktop-database " + home_.Data() + "/applications\n");
}

TEST_F(FileTypeTest, TheRealMimeDatabaseTakesThePackage) {
    const QStringList path =
        QString::fromStdString(testing::TestHome::OriginalPath()).split(':', Qt::SkipEmptyParts);
    const std::string tool =
        QStandardPaths::findExecutable("update-mime-database", path).toStdString();
    if (tool.empty()) GTEST_SKIP() << "update-mime-database is not installed";
    ASSERT_EQ(::symlink(tool.c_str(), (home_.Bin() + "/update-mime-database").c_str()), 0);

    Register("/usr/games/zeko");
    EXPECT_TRUE(
        Contains(ReadFile(home_.Data() + "/mime/globs2"), "application/x-zeko-gamefile:*.zgf"));
}

TEST_F(FileTypeTest, NothingToRegisterOrNoPlaceForItFailsSilently) {
    WriteFile(home_.Root() + "/not-a-folder", "x");
    platform::FileTypeRegistration registration{
        ".zgf", "Zeko.GameFile", "Zeko Game File", "/usr/games/zeko", "Zeko", "zeko"};
    EXPECT_FALSE(platform::RegisterFileType(registration, home_.Root() + "/not-a-folder"));
    registration.programPath.clear();
    EXPECT_FALSE(platform::RegisterFileType(registration, home_.Data()));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Package())));
}

}  // namespace
}  // namespace zeko::settings
