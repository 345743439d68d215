// The hand-over between copies over a local socket in the runtime folder.
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "platform/copy_hand_over.h"
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
    for (const std::string file : {"/home/ada/games/zeko ü.zgf", ""})
        EXPECT_TRUE(HandOverToRunningCopy("zeko", file));
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (std::vector<std::string>{"/home/ada/games/zeko ü.zgf", ""}));
}

}  // namespace
}  // namespace zeko::platform
