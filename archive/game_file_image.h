// A game file's bytes in memory, read and written record by record. Bytes
// beyond the end read as zero; writing beyond the end extends the file with
// zeros.
#pragma once

#include <string>

#include "archive/game_file_layout.h"

namespace zeko::archive {

class GameFileImage {
  public:
    GameFileImage() = default;
    explicit GameFileImage(std::string bytes) : bytes_(std::move(bytes)) {}

    // Record `number` (from 1); zero where the file ends.
    Record Read(int number) const;
    void Write(int number, const Record& record);
    // Whether the file holds at least the first byte of record `number`.
    bool Holds(int number) const;

    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

}  // namespace zeko::archive
