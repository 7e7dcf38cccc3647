// Whole-file writes that never leave a target half written: the content goes
// to a temporary file beside the target, which replaces it only once written
// and flushed to the disk.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace korvex {

// Writes `content` to a temporary file in the target's folder, named after
// the target with ".tmp" and the process id, flushes it to the disk and
// renames it over `path`. On any failure the target keeps what it held (or
// stays absent), the temporary file is removed and the result is false.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// The same for a writer that can only write to a path of its own (a
// library's save to a file name): `write` fills the temporary file it is
// given and says whether it succeeded; the file is then flushed to the disk
// and renamed over `path`, or removed on any failure.
bool WriteThroughTemporaryFile(const std::filesystem::path& path,
                               const std::function<bool(const std::filesystem::path&)>& write);

// The process that wrote `name`, when it is one of WriteFileAtomically's
// temporary files.
std::optional<pid_t> TemporaryFileWriter(std::string_view name);

}  // namespace korvex
