#include "archive/game_file_image.h"

#include <algorithm>

namespace zeko::archive {

namespace {

std::size_t OffsetOf(int number) {
    return static_cast<std::size_t>(number - 1) * kRecordSize;
}

}  // namespace

Record GameFileImage::Read(int number) const {
    Record record{};
    if (!Holds(number)) return record;
    const std::size_t offset = OffsetOf(number);
    const std::size_t size = std::min<std::size_t>(kRecordSize, bytes_.size() - offset);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), size, record.begin());
    return record;
}

void GameFileImage::Write(int number, const Record& record) {
    const std::size_t offset = OffsetOf(number);
    if (bytes_.size() < offset + kRecordSize) bytes_.resize(offset + kRecordSize, '\0');
    std::copy(record.begin(), record.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

bool GameFileImage::Holds(int number) const {
    return number >= 1 && OffsetOf(number) < bytes_.size();
}

}  // namespace zeko::archive
