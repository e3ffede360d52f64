#pragma once
// The result of an operation that can fail with a message for the user.

#include <string>
#include <utility>

namespace kro {

class Status {
public:
    Status() = default;
    static Status failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& message() const { return message_; }

private:
    explicit Status(std::string message) : ok_(false), message_(std::move(message)) {}
    bool ok_ = true;
    std::string message_;
};

}  // namespace kro
