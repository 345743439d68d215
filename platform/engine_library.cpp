#include "platform/engine_library.h"

#include <dlfcn.h>
#include <filesystem>

#include "platform/numbered_error.h"
#include "platform/program_path.h"

namespace zeko::platform {

EngineLibrary::EngineLibrary(std::string folder)
    : folder_(folder.empty() ? FolderOf(ProgramPath()) : std::move(folder)) {}

EngineLibrary::~EngineLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
}

void EngineLibrary::Load() {
    if (handle_ != nullptr) return;
    const std::string local = (std::filesystem::path(folder_) / kFileName).string();
    const auto lastError = [] {
        const char* reason = dlerror();
        return std::string(reason != nullptr ? reason : "");
    };
    void* handle = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL);
    // A library in the program's folder that does not load (damaged, cut
    // short, built for another machine) is what the user must hear about,
    // not the system-wide search that follows it.
    std::error_code ignored;
    const std::string localReason =
        handle == nullptr && std::filesystem::exists(local, ignored) ? lastError() : std::string();
    if (handle == nullptr) handle = dlopen(kFileName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const std::string reason = lastError();
        if (!localReason.empty())
            throw NumberedError(kLoadError, "Zeko", "Cannot load " + local + ": " + localReason);
        throw NumberedError(kLoadError, "Zeko",
                            std::string("File not found: ") + kFileName +
                                (reason.empty() ? "" : " (" + reason + ")"));
    }
    auto resolve = [handle](const char* name) {
        void* symbol = dlsym(handle, name);
        if (symbol == nullptr) {
            dlclose(handle);
            throw NumberedError(kLoadError, "Zeko",
                                std::string("Entry point ") + name + " not found in " + kFileName);
        }
        return symbol;
    };
    checkmove_ = reinterpret_cast<checkmove_fn>(resolve("checkmove"));
    execmove_ = reinterpret_cast<execmove_fn>(resolve("execmove"));
    findmove_ = reinterpret_cast<findmove_fn>(resolve("findmove"));
    analyze_ = reinterpret_cast<analyze_fn>(resolve("analyze"));
    findline_ = reinterpret_cast<findline_fn>(resolve("findline"));
    handle_ = handle;
}

int32_t EngineLibrary::checkmove(const int32_t* board, int32_t pit, int32_t opening) {
    Load();
    return checkmove_(board, pit, opening);
}

int32_t EngineLibrary::execmove(int32_t* board, int32_t pit, int32_t* trackers) {
    Load();
    return execmove_(board, pit, trackers);
}

int32_t EngineLibrary::findmove(const int32_t* board, int32_t level) {
    Load();
    return findmove_(board, level);
}

int32_t EngineLibrary::analyze(const int32_t* board, int32_t depth, int32_t* values,
                               int32_t* work) {
    Load();
    return analyze_(board, depth, values, work);
}

int32_t EngineLibrary::findline(const int32_t* board, int32_t plies, int32_t first, int32_t* line,
                                int32_t* work) {
    Load();
    return findline_(board, plies, first, line, work);
}

}  // namespace zeko::platform
