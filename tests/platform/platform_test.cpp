// What the program asks of the system. The settings store: files as
// QSettings, the store, a person or a damage left them, written back whole;
// any text through it; and writes that keep what others wrote and what could
// not be read. The hand-over of a file between copies over a local socket,
// the message queue the engine reads, and the engine library loaded from the
// program's own folder, a copy missing or damaged reported with its reason.

#include <dlfcn.h>
#include <QSettings>
#include <QTest>

#include <fstream>

#include "engine/board.h"
#include "platform/copy_hand_over.h"
#include "platform/engine_library.h"
#include "platform/message_queue.h"
#include "platform/numbered_error.h"
#include "platform/settings_store.h"
#include "tests/support/test_home.h"

namespace zeko::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using Values = std::vector<std::pair<std::string, std::string>>;
constexpr char kKey[] = "Software\\Kiezel Games\\Zeko";

// Sets values under kKey in a store of its own, which writes them as it ends.
void Set(const std::string& file, const Values& values) {
    SettingsStore store(file);
    store.CreateKey(kKey);
    for (const auto& [name, text] : values)
        EXPECT_TRUE(store.SetValue(kKey, name, text)) << name;
}

std::optional<std::string> Get(const std::string& file, const std::string& name) {
    return SettingsStore(file).Value(kKey, name);
}

class SettingsStoreTest : public testing::IsolatedTest {
  protected:
    const std::string file_ = home_.SettingsFile();
};

TEST_F(SettingsStoreTest, FilesAreWrittenBackWholeWithEveryValueStillReadable) {
    // What QSettings wrote, with values of other types and odd characters in
    // names and values; the store gives each key its own section.
    const std::string theirs =
        "[General]\nrootkey=root value\n\n[%General]\nx=in general group\n\n"
        "[Software]\nKiezel%20Games\\Zeko\\Color0=@ByteArray(\\x1\\x2zz)\n"
        "Kiezel%20Games\\Zeko\\Color3=ctl\\x1\\x35\\x1f\x7f tab\\tnl\\ncr\\r bell\\a\n"
        "Kiezel%20Games\\Zeko\\Name1=\"Ann\xc3\xa9 \\\"Q\\\" ; x, y = z\"\n"
        "Kiezel%20Games\\Zeko\\Name2=\"  lead and trail  \"\n"
        "Kiezel%20Games\\Zeko\\View=@@starts with at\n"
        "Kiezel%20Games\\Zeko\\odd%20name%20%E9%25%3B%3D%5B%5D=v\n"
        "Kiezel%20Games\\Zeko\\sub\\deeper=nested\n"
        "Kiezel%20Games\\Zeko\\%UD83D%UDE00=emoji name\n";
    const std::string ours =
        "[General]\nrootkey=root value\n\n[%General]\nx=in general group\n\n"
        "[Software\\Kiezel%20Games]\n\n"
        "[Software\\Kiezel%20Games\\Zeko]\nColor0=@ByteArray(\\x1\\x2zz)\n"
        "Color3=ctl\\x01\\x35\\x1F\x7f tab\\tnl\\ncr\\r bell\\a\n"
        "Name1=\"Ann\xc3\xa9 \\\"Q\\\" ; x, y = z\"\nName2=\"  lead and trail  \"\nSkill=3\n"
        "View=@@starts with at\nodd%20name%20%E9%25%3B%3D%5B%5D=v\n%UD83D%UDE00=emoji name\n\n"
        "[Software\\Kiezel%20Games\\Zeko\\sub]\ndeeper=nested\n";
    // Edited by hand: comments, blanks, quotes and every escape; lines of
    // unusable names and sections are dropped.
    const std::string edited =
        "; a comment\r\n[general]\r\nB= \"q;uo\" ted ; trailing comment\r\n[%general]\r\n"
        "C=\\x41\\x4142\\101\\7\\?\\'\\q\\\r\n[a/./b]\r\nD=4\r\n"
        "[Software\\Kiezel%20Games\\Zeko]\r\nSkill=1\r\n..\\Skill=2\r\nName2=\" \"\r\n"
        "View=a \"b\" c\r\n  [ Software\\Kiezel%20Games\\Zeko ]\r\nLanguage=\t1 \r\n"
        "Q=\\U00e9\\xz\r\n[%ZZ%U00E9%U12]\r\nname with spaces = value with spaces \r\n"
        "=novalue\r\n";
    const std::string editedWritten =
        "[General]\nB=\"q;uo ted\"\n\n[%25ZZ%E9%25U12]\nname%20with%20spaces=value with spaces\n\n"
        "[%General]\nC=A\xe4\x85\x82"
        "A\\a?'\n\n[Software\\Kiezel%20Games]\n\n"
        "[Software\\Kiezel%20Games\\Zeko]\nLanguage=1\nName2=\" \"\nQ=00e9\\x00z\nSkill=3\n"
        "View=a b c\n";
    // Damaged: lines below a section header left open belong to no key, those
    // below an indented header to that header's key.
    const std::string damaged =
        "[Software\\Kiezel%20Games\\Zeko]\nSkill= 7\n" + std::string(1, '\0') +
        "\x01\xff garbage\n====\nName1=\"open quote\nName2 =\t x \t\nLa\n"
        "View=@Variant(\\0\\x7f)\n  [Other]\nLevel=3\n[Software\\Kiezel\nLanguage=1\n";
    const std::string damagedWritten =
        "[Other]\nLevel=3\n\n[Software\\Kiezel%20Games]\n\n"
        "[Software\\Kiezel%20Games\\Zeko]\nName1=open quote\nName2=x\nSkill=3\n"
        "View=@Variant(\\0\\x7f)\n";
    // The file, the value Skill reads from it, the file once Skill is set to 3.
    using Row = std::tuple<std::string, std::optional<std::string>, std::string>;
    for (const auto& [before, skill, after] :
         {Row{theirs, {}, ours}, Row{ours, "3", ours}, Row{edited, "1", editedWritten},
          Row{damaged, "7", damagedWritten}}) {
        SCOPED_TRACE(before);
        testing::WriteFile(file_, before);
        EXPECT_EQ(Get(file_, "Skill"), skill);
        Set(file_, {{"Skill", "3"}});
        EXPECT_EQ(ReadFile(file_), after);
    }

    // Any text the program stores reads back the same, also in QSettings.
    Values values;
    for (const std::string text : {"  blanks  ", "a=b; #c, \"q\" 's'", "semi;colon", "list,like",
                                   "@Variant(x)", "%41 %U0041",
                                   "C:\\x\\ \r\n\t\x01"
                                   "5\x1f \xC3\xA9\xE4\xB8\xAD"})
        values.emplace_back("Value" + std::to_string(values.size()), text);
    Set(file_, values);
    QSettings qsettings(QString::fromStdString(file_), QSettings::IniFormat);
    qsettings.beginGroup("Software/Kiezel Games/Zeko");
    for (const auto& [name, text] : values) {
        EXPECT_EQ(Get(file_, name), text) << name;
        EXPECT_EQ(qsettings.value(name.c_str()).toString().toStdString(), text) << name;
    }
}

TEST_F(SettingsStoreTest, WritesKeepWhatOthersWroteAndAFileTooLargeToRead) {
    SettingsStore first(file_);
    first.CreateKey(kKey);
    first.SetValue(kKey, "Skill", "5");
    Set(file_, {{"Name1", "Anna"}, {"Skill", "2"}});
    EXPECT_EQ(fs::status(file_).permissions(), fs::perms{0600});
    fs::permissions(file_, fs::perms{0640});
    EXPECT_TRUE(first.Flush());
    EXPECT_EQ(std::tuple(Get(file_, "Name1"), Get(file_, "Skill"), fs::status(file_).permissions()),
              std::tuple("Anna", "5", fs::perms{0640}));

    // Kept under a new name before the store writes.
    constexpr std::uintmax_t kTooLarge = 17u << 20;
    for (const char* backup : {".unreadable", ".unreadable.1"}) {
        fs::resize_file(file_, kTooLarge);
        ::testing::internal::CaptureStderr();
        Set(file_, {{"Skill", "6"}});
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("kept as " + file_ + backup), std::string::npos) << said;
        EXPECT_EQ(std::tuple(fs::file_size(file_ + backup), Get(file_, "Skill")),
                  std::tuple(kTooLarge, "6"));
    }
}

using HandOverTest = testing::IsolatedTest;

TEST_F(HandOverTest, PassesAFileOrNothingAndOutlivesAStaleSocket) {
    EXPECT_FALSE(HandOverToRunningCopy("zeko", "/a.zgf", 200));  // nobody listens
    // A socket file left behind by a copy that crashed.
    testing::WriteFile(HandOverSocketPath("zeko"), "");
    std::vector<std::string> received;
    const CopyHandOverServer server("zeko", [&](const std::string& f) { received.push_back(f); });
    ASSERT_TRUE(server.Listening());
    // A message, its end included, takes at most 64 KiB: a longer one is dropped.
    const std::string longest(64 * 1024 - 2, 'a');
    HandOverToRunningCopy("zeko", longest + "ab");
    const std::vector<std::string> files = {"/home/ada/games/zeko ü.zgf", "", longest};
    for (const std::string& file : files)
        EXPECT_TRUE(HandOverToRunningCopy("zeko", file));
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == files.size(); }));
    EXPECT_EQ(received, files);
}

TEST(MessageQueue, TheEventLoopDeliversEachWaitingMessageToItsWindowOnce) {
    MessageQueue queue;
    int window = 0, other = 0;  // the other has no procedure: its message is dropped
    std::vector<uint32_t> delivered;
    queue.RegisterWindow(&window, [&](const MSG& msg) { delivered.push_back(msg.message); });
    for (const auto& [to, message] :
         {std::pair{&window, +WM_STOPSEARCH}, {&other, +WM_USER}, {&window, WM_USER + 1}})
        EXPECT_TRUE(queue.Post(to, message, 0, 0));
    queue.DispatchPending();
    EXPECT_EQ(delivered, (std::vector<uint32_t>{WM_STOPSEARCH, WM_USER + 1}));
    EXPECT_EQ(queue.Size(), 0u);
}

TEST(EngineLibrary, NamesTheRealReasonWhenItsOwnCopyIsDamagedOrMissing) {
    if (void* handle = dlopen(EngineLibrary::kFileName, RTLD_NOW | RTLD_LOCAL)) {
        dlclose(handle);
        GTEST_SKIP() << "the system finds " << EngineLibrary::kFileName;
    }
    QTemporaryDir folder;
    const std::string copy = (folder.path() + "/").toStdString() + EngineLibrary::kFileName;
    const auto reason = [&] {
        try {
            EngineLibrary(folder.path().toStdString()).checkmove(engine::kStartBoard.data(), 0, 0);
        } catch (const NumberedError& error) {
            EXPECT_EQ(error.Number(), EngineLibrary::kLoadError);
            return error.Description();
        }
        return std::string("loaded");
    };
    EXPECT_EQ(reason().rfind("File not found: ", 0), 0u);
    std::ofstream(copy) << "not a library";  // damaged
    EXPECT_EQ(reason().rfind("Cannot load " + copy + ": ", 0), 0u) << reason();
}

}  // namespace
}  // namespace zeko::platform
