#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <string>

#include "core/status.hpp"

namespace kro {

// Writes `content` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. On any failure (full disk, no permission) the
// temporary file is removed, `path` keeps its old content and the status
// tells what failed.
Status write_file_atomically(const std::string& path, const std::string& content);

// Reads a whole file. Fails with a message when it cannot be opened or read.
Status read_whole_file(const std::string& path, std::string& content);

}  // namespace kro
