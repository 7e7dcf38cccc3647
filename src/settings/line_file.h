// Settings and data files as whole lists of lines: CR, LF and CR LF end a
// line when read; every line is written with CR LF.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

using Lines = std::vector<std::string>;

// Nothing when the file cannot be read. A last line without an ending still
// counts; an ending at the very end adds no empty line.
std::optional<Lines> ReadLines(const std::filesystem::path& path);
Lines SplitLines(const std::string& text);

// Writes a temporary file beside the target and renames it over the target,
// so a failed or interrupted write leaves the old file as it was.
bool WriteLines(const std::filesystem::path& path, const Lines& lines);

}  // namespace korvex
