// Which folder holds the `bin` data folder at start-up: the --data-dir
// option, a writable `bin` beside the executable, or a per-user folder filled
// from the installed read-only copy.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace korvex {

// True when `folder` is a directory in which this process can create a file.
// A probe file is created and removed again: permission bits alone say
// nothing for root, nor for a read-only mount.
bool FolderWritable(const std::filesystem::path& folder);

// Where an installed executable finds the read-only copy of the shipped data
// (../share/korvex/bin from <prefix>/bin with the default install layout).
std::filesystem::path InstalledDataFolder(const std::filesystem::path& executable_directory);

// The shipped data a per-user copy is filled from: `bin` beside the program
// when it exists (a portable copy, perhaps read-only), else the installed one.
std::filesystem::path ShippedDataFolder(const std::filesystem::path& executable_directory);

// A folder of the shipped data that is not copied into a per-user folder:
// the tutorial videos are large, and nobody edits them. They are opened from
// the shipped data when the user's folder lacks them.
inline constexpr const char* kTutorialsFolder = "tutorials";

// Everything the choice depends on, so that it can be made for any folder and
// environment.
struct DataLocationInputs {
  std::optional<std::filesystem::path> option;  // DIR of "--data-dir DIR"
  std::filesystem::path executable_directory;
  std::optional<std::string> xdg_data_home;  // nullopt when the variable is unset
  std::optional<std::string> home;
  std::function<bool(const std::filesystem::path&)> writable = FolderWritable;
};

// The running process's executable folder, XDG_DATA_HOME and HOME (the
// password database's home folder when HOME is unset).
DataLocationInputs ProcessDataLocationInputs(std::optional<std::filesystem::path> option);

struct DataLocation {
  enum class Kind { kOption, kBesideExecutable, kPerUser };
  Kind kind = Kind::kOption;
  // The folder that holds `bin`, as DataDirectory takes it.
  std::filesystem::path program_directory;
  // Why no folder could be used; empty when one was found.
  std::string failure;

  bool ok() const { return failure.empty(); }
};

// The order: the option's DIR as given; else the executable's folder when
// its `bin` is writable (a portable copy, the build tree); else
// $XDG_DATA_HOME/korvex (~/.local/share/korvex), whose `bin` is created if
// needed and given every shipped file it lacks. Files already there are never
// replaced, so a user's changes survive every start and every upgrade. The
// shipped files come from a read-only `bin` beside the executable when there
// is one, otherwise from InstalledDataFolder.
DataLocation LocateDataDirectory(const DataLocationInputs& inputs);

}  // namespace korvex
