// The shipped library, loaded by path the way the program loads it: its five
// exports resolve and agree with the engine the tests link directly.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/analysis.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"

namespace {

using zeko::engine::Board;

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};

class LibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        handle_.reset(dlopen(ZEKO32_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL));
        ASSERT_NE(handle_, nullptr) << dlerror();
    }
    template <class Fn>
    Fn resolve(const char* name) {
        return reinterpret_cast<Fn>(dlsym(handle_.get(), name));
    }
    std::unique_ptr<void, LibraryCloser> handle_;
};

TEST_F(LibraryTest, ExportsResolveByName) {
    for (const char* name : {"checkmove", "execmove", "findmove", "analyze", "findline"})
        EXPECT_NE(dlsym(handle_.get(), name), nullptr) << name;
    // Internal routines stay hidden.
    for (const char* name : {"sow", "searchmoves", "evaluate", "pumpmessages", "stopflag"})
        EXPECT_EQ(dlsym(handle_.get(), name), nullptr) << name;
}

TEST_F(LibraryTest, ExportsAgreeWithTheEngine) {
    auto check = resolve<checkmove_fn>("checkmove");
    auto exec = resolve<execmove_fn>("execmove");
    auto find = resolve<findmove_fn>("findmove");
    auto analyse = resolve<analyze_fn>("analyze");
    auto line = resolve<findline_fn>("findline");
    ASSERT_TRUE(check && exec && find && analyse && line);

    for (const Board& board : zeko::testing::randomPositions(7, 12, 60, true)) {
        const Board bottom = zeko::engine::rotateboard(board);
        for (int pit = 0; pit < 6; ++pit)
            EXPECT_EQ(check(bottom.data(), pit, 0), zeko::engine::checkmove(bottom, pit, false));

        EXPECT_EQ(find(board.data(), 3), zeko::engine::findmove(board, 3));

        int32_t libValues[6] = {}, engineValues[6] = {};
        int32_t libWork[8] = {}, engineWork[8] = {};
        const int32_t best = analyse(bottom.data(), 3, libValues, libWork);
        EXPECT_EQ(best, zeko::engine::analyze(bottom, 3, engineValues, engineWork));
        EXPECT_EQ(std::vector<int32_t>(libValues, libValues + 6),
                  std::vector<int32_t>(engineValues, engineValues + 6));

        int32_t libLine[4] = {}, engineLine[4] = {};
        EXPECT_EQ(line(bottom.data(), 4, best, libLine, libWork),
                  zeko::engine::findline(bottom, 4, best, engineLine, engineWork));
        EXPECT_EQ(std::vector<int32_t>(libLine, libLine + 4),
                  std::vector<int32_t>(engineLine, engineLine + 4));

        for (int pit = 6; pit < 12; ++pit) {
            if (board[pit] == 0) continue;
            Board viaLib = board, viaEngine = board;
            int32_t libTrackers[6] = {}, engineTrackers[6] = {};
            zeko::engine::RepetitionTracker trackers[2] = {};
            EXPECT_EQ(exec(viaLib.data(), pit, libTrackers),
                      zeko::engine::execmove(viaEngine, pit, trackers));
            std::memcpy(engineTrackers, trackers, sizeof trackers);
            EXPECT_EQ(viaLib, viaEngine);
            EXPECT_EQ(std::vector<int32_t>(libTrackers, libTrackers + 6),
                      std::vector<int32_t>(engineTrackers, engineTrackers + 6));
        }
    }
}

}  // namespace
