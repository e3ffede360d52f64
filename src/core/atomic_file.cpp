#include "core/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kro {

namespace {

std::string describe(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

}  // namespace

Status write_file_atomically(const std::string& path, const std::string& content) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);

    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0) return Status::failure(describe("Cannot create a temporary file for", path, errno));

    auto fail = [&](const char* what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return Status::failure(describe(what, path, err));
    };

    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("Cannot write");
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail("Cannot flush");

    // Keep the permissions of the file we replace.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    else ::fchmod(fd, 0644);

    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Status::failure(describe("Cannot write", path, err));
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Status::failure(describe("Cannot replace", path, err));
    }
    // Make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

Status read_whole_file(const std::string& path, std::string& content) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return Status::failure(describe("Cannot read", path, EISDIR));
    std::ifstream in(path, std::ios::binary);
    if (!in) return Status::failure(describe("Cannot open", path, errno));
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return Status::failure(describe("Cannot read", path, errno));
    content = buffer.str();
    return {};
}

}  // namespace kro
