// The engine library as the program loads it, from the program's own folder:
// a copy missing or damaged is reported with its reason.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "engine/board.h"
#include "platform/engine_library.h"
#include "platform/numbered_error.h"
#include "platform/program_path.h"

namespace zeko::platform {
namespace {

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
            EXPECT_EQ(error.number(), EngineLibrary::kLoadError);
            return error.description();
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
