// The engine library, loaded by name at the program's first engine call.
#pragma once

#include <cstdint>
#include <string>

#include "engine/zeko32.h"

namespace zeko::platform {

// The five engine exports behind one object. The library is looked for in the
// program's own folder first, then wherever the system finds libraries. A
// library that cannot be loaded raises a NumberedError (source "Zeko") from the
// call that needed it; the next call tries again.
class EngineLibrary {
  public:
    // folder: where to look first; empty means the running program's folder.
    explicit EngineLibrary(std::string folder = {});
    ~EngineLibrary();
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    int32_t checkmove(const int32_t* board, int32_t pit, int32_t opening);
    int32_t execmove(int32_t* board, int32_t pit, int32_t* trackers);
    int32_t findmove(const int32_t* board, int32_t level);
    int32_t analyze(const int32_t* board, int32_t depth, int32_t* values, int32_t* work);
    int32_t findline(const int32_t* board, int32_t plies, int32_t first, int32_t* line,
                     int32_t* work);

    static constexpr const char* kFileName = "libzeko32.so";
    // The error a failed load raises: the object error base plus 53, the
    // program's number for a file not found.
    static constexpr uint32_t kLoadError = 0x80040000u + 53;

  private:
    void Load();

    std::string folder_;
    void* handle_ = nullptr;
    checkmove_fn checkmove_ = nullptr;
    execmove_fn execmove_ = nullptr;
    findmove_fn findmove_ = nullptr;
    analyze_fn analyze_ = nullptr;
    findline_fn findline_ = nullptr;
};

}  // namespace zeko::platform
