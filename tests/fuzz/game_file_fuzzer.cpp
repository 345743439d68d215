// Arbitrary bytes as a game file: listing it, loading its games, rebuilding a
// loaded game, and saving and deleting on a copy on disk must neither crash
// nor hang; a load either fails cleanly or gives a legal game, and a save or
// a delete leaves every game that loaded loading as before.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "archive/game_header.h"
#include "archive/game_store.h"
#include "platform/numbered_error.h"
#include "tests/archive/game_file_bytes.h"

namespace {

using namespace zeko;

// Loads per input: enough to reach the chains, few enough to keep inputs fast.
constexpr std::size_t kLoadsPerInput = 4;

// The copy that saves and deletes change, in a folder of its own for the run,
// in memory where the system has one: on a disk every input takes several
// times as long.
struct Scratch {
    Scratch() {
        if (::mkdtemp(folder.data()) == nullptr) std::abort();
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string Path() const { return folder + "/games.zgf"; }
    void Write(const std::string& bytes) const { std::ofstream(Path(), std::ios::binary) << bytes; }
    std::string folder =
        std::filesystem::is_directory("/dev/shm")
            ? "/dev/shm/zeko-fuzz-XXXXXX"
            : (std::filesystem::temp_directory_path() / "zeko-fuzz-XXXXXX").string();
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static platform::EngineLibrary engine;
    // The system's calls without the flush to disk, which a copy that lives
    // for one input does not need.
    static const platform::FileCalls fastCalls = [] {
        platform::FileCalls calls = platform::SystemFileCalls();
        calls.Flush = [](int) { return 0; };
        return calls;
    }();
    static const Scratch scratch;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const archive::GameFileImage file(bytes);
    std::vector<std::pair<int, std::vector<int16_t>>> loaded;  // slot, moves
    try {
        archive::ReadGameList(file);
    } catch (const platform::NumberedError&) {
    }
    for (int slot = 1; slot <= archive::kHeaderSlots && loaded.size() < kLoadsPerInput; ++slot) {
        if (!archive::GameHeader::Decode(file.Read(slot)).Has(archive::kFlagInUse)) continue;
        game::GameRecord record;
        record.RecordNumber = static_cast<int16_t>(slot);
        try {
            archive::LoadGame(file, record, engine);
        } catch (const platform::NumberedError&) {
            continue;
        }
        loaded.emplace_back(slot, record.Moves);
        record.RebuildAfterLoad(engine);
    }

    // Every loaded game but the one in `gone` still loads with its moves; a
    // load that throws ends the run.
    const auto checkKept = [&](int gone) noexcept {
        for (const auto& [slot, moves] : loaded) {
            game::GameRecord record;
            record.RecordNumber = static_cast<int16_t>(slot);
            if (slot != gone) archive::LoadGame(scratch.Path(), record, engine);
            if (slot != gone && record.Moves != moves) std::abort();
        }
    };
    // A game of two people, C f D a, saved into the copy; then a delete.
    scratch.Write(bytes);
    game::GameRecord saved = archive::testing::RecordOf({2, 11, 3, 6});
    try {
        archive::SaveGame(scratch.Path(), saved, {}, fastCalls);
        saved.Moves.resize(static_cast<std::size_t>(saved.MoveCount) + 1);
        loaded.emplace_back(saved.RecordNumber, saved.Moves);
        checkKept(0);
        loaded.pop_back();
    } catch (const platform::NumberedError&) {
        // no room left
    }
    if (!loaded.empty()) {
        scratch.Write(bytes);
        archive::DeleteGame(scratch.Path(), loaded.front().first, nullptr, fastCalls);
        checkKept(loaded.front().first);
    }
    return 0;
}
