// The shipped library, loaded by path the way the program loads it: its five
// exports resolve and answer as the engine the tests link directly (that
// nothing else is exported, check_exports.cmake checks).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>

#include "engine/zeko32.h"
#include "tests/engine/answer.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

TEST(Library, ExportsResolveAndAgreeWithTheEngine) {
    const std::unique_ptr<void, int (*)(void*)> library(
        dlopen(ZEKO32_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL), dlclose);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto check = reinterpret_cast<checkmove_fn>(dlsym(library.get(), "checkmove"));
    const auto exec = reinterpret_cast<execmove_fn>(dlsym(library.get(), "execmove"));
    const auto find = reinterpret_cast<findmove_fn>(dlsym(library.get(), "findmove"));
    const auto analyse = reinterpret_cast<analyze_fn>(dlsym(library.get(), "analyze"));
    const auto line = reinterpret_cast<findline_fn>(dlsym(library.get(), "findline"));
    ASSERT_TRUE(check && exec && find && analyse && line);

    for (const Board& bottom : testing::randomPositions(7, 12, 60, false)) {
        SCOPED_TRACE(testing::boardText(bottom));
        Board viaLibrary = bottom, viaEngine = bottom;
        testing::Trackers trackers{}, engineTrackers{};
        EXPECT_EQ(check(bottom.data(), 2, 0), ::checkmove(bottom.data(), 2, 0));
        EXPECT_EQ(exec(viaLibrary.data(), 2, trackers.data()),
                  ::execmove(viaEngine.data(), 2, engineTrackers.data()));
        EXPECT_EQ(std::pair(viaLibrary, trackers), std::pair(viaEngine, engineTrackers));
        Answer fromLibrary[3], fromEngine[3];
        fromLibrary[kAnalyze].result = analyse(bottom.data(), 3, fromLibrary[kAnalyze].out.data(),
                                               fromLibrary[kAnalyze].work.data());
        fromLibrary[kFindmove].result = find(rotateboard(bottom).data(), 3);
        fromLibrary[kFindline].result = line(bottom.data(), 4, 1, fromLibrary[kFindline].out.data(),
                                             fromLibrary[kFindline].work.data());
        for (Search s : {kAnalyze, kFindmove, kFindline}) {
            call(s, nullptr, false, bottom, s == kFindline ? 4 : 3, 1, fromEngine[s]);
            EXPECT_EQ(fromLibrary[s], fromEngine[s]) << "search " << s;
        }
    }
}

}  // namespace
}  // namespace zeko::engine
