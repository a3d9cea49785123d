#pragma once
// Errors that end the current operation and whose message the application's
// top-level handler shows to the user; the program then goes on.
#include <stdexcept>
#include <string>

#include "util/StrConv.h"

namespace quib {

class UserVisibleError : public std::runtime_error {
public:
    explicit UserVisibleError(std::wstring message)
        : std::runtime_error(WideToUtf8(message)), message_(std::move(message)) {}
    const std::wstring& WideMessage() const { return message_; }

private:
    std::wstring message_;
};

}  // namespace quib
