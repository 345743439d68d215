// The game file's numbered errors: the object error base plus a code, the
// source "Zeko", and the text of the code in the current language.
#pragma once

#include <cstdint>

#include "platform/numbered_error.h"

namespace zeko::archive {

enum class StoreError : uint32_t {
    Opening = 0,
    LoadingGame = 1,
    LoadingMoves = 2,
    SavingGame = 3,
    SavingMoves = 4,
    Deleting = 5,
    NoRoom = 6,
    InvalidGame = 7,
    InvalidMoves = 8,
    FileFormat = 9,
    SetUpPosition = 10,  // a game from a set-up position has no stored start
};

inline constexpr const char* kStoreErrorSource = "Zeko";

// The text number of each code.
int StoreErrorText(StoreError error);

platform::NumberedError MakeStoreError(StoreError error);

}  // namespace zeko::archive
