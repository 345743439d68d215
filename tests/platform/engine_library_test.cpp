// The engine library as the program loads it: by name, from the program's own
// folder, every export reached through the one object.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "engine/board.h"
#include "platform/engine_library.h"
#include "platform/numbered_error.h"
#include "platform/program_path.h"

namespace zeko::platform {
namespace {

TEST(EngineLibrary, ReachesAllFiveExports) {
    EngineLibrary engine;
    engine::Board board = engine::kStartBoard;
    EXPECT_EQ(engine.checkmove(board.data(), 0, 0), 1);
    const int32_t pit = engine.findmove(board.data(), 1);
    EXPECT_GE(pit, engine::kPitsPerRow);
    EXPECT_LT(pit, engine::kPits);

    std::array<int32_t, engine::kPitsPerRow> values{};
    std::array<int32_t, 8> work{};
    const int32_t best = engine.analyze(board.data(), 2, values.data(), work.data());
    EXPECT_GE(best, 0);
    EXPECT_LT(best, engine::kPitsPerRow);
    std::array<int32_t, 4> line{};
    EXPECT_EQ(engine.findline(board.data(), 3, best, line.data(), work.data()), 3);
    EXPECT_EQ(line[0], best);

    std::array<int32_t, 6> trackers{};
    EXPECT_EQ(engine.execmove(board.data(), 0, trackers.data()), 0);
    EXPECT_EQ(board, (engine::Board{0, 5, 5, 5, 5, 4, 4, 4, 4, 4, 4, 4, 0, 0}));
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
    // Not a library at all, and the real one cut short.
    std::ofstream(copy) << "not a library";
    EXPECT_EQ(reason().rfind("Cannot load " + copy + ": ", 0), 0u) << reason();
    std::filesystem::copy_file(FolderOf(ProgramPath()) + "/" + EngineLibrary::kFileName, copy,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(copy, 40);
    EXPECT_EQ(reason().rfind("Cannot load " + copy + ": ", 0), 0u) << reason();
}

}  // namespace
}  // namespace zeko::platform
