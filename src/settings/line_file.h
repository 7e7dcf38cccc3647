// Settings and data files as whole lists of lines: CR, LF and CR LF end a
// line when read; every line is written with CR LF.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

using Lines = std::vector<std::string>;

// A read that also tells a file that is not there (which may be created)
// from one that is there but cannot be read (no permission, a folder or a
// link loop in its place, a read error), which must be left alone.
struct LineFile {
  enum class State { kRead, kMissing, kUnreadable };
  State state = State::kMissing;
  Lines lines;  // only for kRead
};
LineFile ReadLineFile(const std::filesystem::path& path);

// Nothing when the file cannot be read. A last line without an ending still
// counts; an ending at the very end adds no empty line.
std::optional<Lines> ReadLines(const std::filesystem::path& path);
Lines SplitLines(const std::string& text);

// Written with WriteFileAtomically, so a failed or interrupted write leaves
// the old file as it was.
bool WriteLines(const std::filesystem::path& path, const Lines& lines);

// Removes the temporary files in `folder` that WriteLines and the other
// atomic writes left when its
// process died before the rename: those whose process id is no longer in use.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace korvex
