#include "archive/store_error.h"

#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::archive {

int StoreErrorText(StoreError error) {
    switch (error) {
        case StoreError::Opening:
            return settings::kTextErrorOpening;
        case StoreError::LoadingGame:
            return settings::kTextErrorLoadingGame;
        case StoreError::LoadingMoves:
            return settings::kTextErrorLoadingMoves;
        case StoreError::SavingGame:
            return settings::kTextErrorSavingGame;
        case StoreError::SavingMoves:
            return settings::kTextErrorSavingMoves;
        case StoreError::Deleting:
            return settings::kTextErrorDeleting;
        case StoreError::NoRoom:
            return settings::kTextErrorNoRoom;
        case StoreError::InvalidGame:
            return settings::kTextInvalidGame;
        case StoreError::InvalidMoves:
            return settings::kTextInvalidMoves;
        case StoreError::FileFormat:
            return settings::kTextIncorrectFormat;
        case StoreError::SetUpPosition:
            return settings::kTextSetUpNotStored;
    }
    return settings::kTextErrorOpening;
}

platform::NumberedError MakeStoreError(StoreError error) {
    return platform::NumberedError(platform::kObjectErrorBase + static_cast<uint32_t>(error),
                                   kStoreErrorSource,
                                   settings::texts::GetText(StoreErrorText(error)));
}

}  // namespace zeko::archive
