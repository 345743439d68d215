// An engine library that cannot be loaded is reported to the user, each time a
// command needs it, and nothing else breaks.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/numbered_error.h"
#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

class MissingEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        // Only an empty folder hides the library if the system finds it anyway.
        if (void* handle = dlopen(platform::EngineLibrary::kFileName, RTLD_NOW | RTLD_LOCAL)) {
            dlclose(handle);
            GTEST_SKIP() << "the system finds " << platform::EngineLibrary::kFileName;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "zeko-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }
    std::string folder_;
};

TEST_F(MissingEngine, IsReportedAsANumberedErrorByEveryCommandThatNeedsIt) {
    Table table(folder_);
    table.NewGame(true);
    ASSERT_GE(table.view.errors.size(), 1u);
    for (const auto& error : table.view.errors) {
        EXPECT_EQ(error.number, platform::EngineLibrary::kLoadError);
        EXPECT_EQ(error.number, platform::kObjectErrorBase + 53);
        EXPECT_EQ(error.source, "Zeko");
        EXPECT_FALSE(error.description.empty());
    }
    EXPECT_EQ(table.control.PendingEvents(), 0u);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Event));

    const size_t reported = table.view.errors.size();
    EXPECT_TRUE(table.control.KeyPress('c'));
    table.Settle();
    EXPECT_EQ(table.view.errors.size(), reported + 1);
    EXPECT_EQ(table.record().MoveCount, 0);

    // Commands that need no engine still work.
    table.control.Exit();
    table.Settle();
    EXPECT_EQ(table.view.closes, 1);
}

}  // namespace
}  // namespace zeko::game::testing
