#pragma once
// Only one copy of the program runs per user: the first copy holds an
// exclusive lock on a file in the user's configuration folder. The system
// releases the lock when the process ends, however it ends.

#include <optional>
#include <string>

namespace kro {

class SingleInstanceLock {
public:
    // Takes the lock on `lock_path`; nothing when another process (or
    // another lock object) holds it.
    static std::optional<SingleInstanceLock> try_acquire(const std::string& lock_path);
    // The lock file of this user: <user_config_folder()>/kro.lock.
    static std::string default_path();

    SingleInstanceLock(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock& operator=(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

private:
    explicit SingleInstanceLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace kro
