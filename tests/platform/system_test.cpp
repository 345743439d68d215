// What the program asks of the system besides its settings: the hand-over
// of a file between copies over a local socket, and the engine library
// loaded from the program's own folder, a copy missing or damaged reported
// with its reason.

#include <dlfcn.h>
#include <QTest>

#include <fstream>

#include "engine/board.h"
#include "platform/copy_hand_over.h"
#include "platform/engine_library.h"
#include "platform/numbered_error.h"
#include "tests/support/test_home.h"

namespace zeko::platform {
namespace {

using HandOverTest = testing::IsolatedTest;

TEST_F(HandOverTest, PassesAFileOrNothingAndOutlivesAStaleSocket) {
    EXPECT_FALSE(HandOverToRunningCopy("zeko", "/a.zgf", 200));  // nobody listens
    // A socket file left behind by a copy that crashed.
    QFile stale(QString::fromStdString(HandOverSocketPath("zeko")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
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
