// The program's failures: a number (the object error base plus a code), the
// source that raised it and a description, caught by the command that started
// the work and shown to the user in a message box titled with the source.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zeko::platform {

inline constexpr uint32_t kObjectErrorBase = 0x80040000u;

class NumberedError : public std::runtime_error {
  public:
    NumberedError(uint32_t number, std::string source, const std::string& description)
        : std::runtime_error(description), number_(number), source_(std::move(source)) {}

    uint32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    std::string Description() const { return what(); }

  private:
    uint32_t number_;
    std::string source_;
};

}  // namespace zeko::platform
