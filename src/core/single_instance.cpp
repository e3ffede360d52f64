#include "core/single_instance.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "core/config.hpp"

namespace kro {

std::optional<SingleInstanceLock> SingleInstanceLock::try_acquire(const std::string& lock_path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(lock_path).parent_path(), ec);
    const int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return std::nullopt;
    // flock locks belong to the open file, so a second open in this same
    // process conflicts too, and the kernel drops the lock with the process.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return SingleInstanceLock(fd);
}

std::string SingleInstanceLock::default_path() { return user_config_folder() + "/kro.lock"; }

SingleInstanceLock::SingleInstanceLock(SingleInstanceLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

SingleInstanceLock& SingleInstanceLock::operator=(SingleInstanceLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace kro
