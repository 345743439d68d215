// Arbitrary bytes as a game file: listing it, loading its games, rebuilding a
// loaded game, and the store's blanking and free-block search must neither
// crash nor hang, and a load either fails cleanly or gives a legal game.
#include <cstddef>
#include <cstdint>
#include <string>

#include "archive/game_header.h"
#include "archive/game_store.h"
#include "platform/engine_library.h"
#include "platform/numbered_error.h"

namespace {

// Loads per input: enough to reach the chains, few enough to keep inputs fast.
constexpr int kLoadsPerInput = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace zeko;
    static platform::EngineLibrary engine;
    const archive::GameFileImage file(std::string(reinterpret_cast<const char*>(data), size));
    try {
        archive::ReadGameList(file);
    } catch (const platform::NumberedError&) {
    }
    int loads = 0;
    for (int slot = 1; slot <= archive::kHeaderSlots && loads < kLoadsPerInput; ++slot) {
        if (!archive::GameHeader::Decode(file.Read(slot)).Has(archive::kFlagInUse)) continue;
        ++loads;
        game::GameRecord record;
        record.RecordNumber = static_cast<int16_t>(slot);
        try {
            archive::LoadGame(file, record, engine);
        } catch (const platform::NumberedError&) {
            continue;
        }
        record.RebuildAfterLoad(engine);
        archive::GameFileImage copy = file;
        archive::ClearGameRecords(copy, slot);
        archive::FindFreeBlock(copy, archive::LinkedMoveBlocks(copy));
    }
    return 0;
}
