// The start-up choice of the data folder and the filling of a per-user copy.
#include "settings/data_location.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "settings/data_directory.h"

#ifndef KORVEX_INSTALLED_DATA_FROM_BINDIR
#error "the build passes the installed data folder relative to the program folder"
#endif

namespace korvex {
namespace {

namespace fs = std::filesystem;

// Built by appending: "'" + text + "'" trips a false -Wrestrict in g++ 12 at -O3.
std::string Quoted(const fs::path& path) {
  std::string quoted(1, '\'');
  quoted += path.native();
  quoted += '\'';
  return quoted;
}

// The XDG rules: an unset, empty or relative XDG_DATA_HOME counts as unset.
std::optional<fs::path> PerUserDataHome(const DataLocationInputs& inputs) {
  if (inputs.xdg_data_home && fs::path(*inputs.xdg_data_home).is_absolute())
    return fs::path(*inputs.xdg_data_home);
  if (inputs.home && fs::path(*inputs.home).is_absolute())
    return fs::path(*inputs.home) / ".local" / "share";
  return std::nullopt;
}

// Like create_directories, but what is made is private to the user (0700),
// as the XDG rules ask for folders created on the user's behalf: the log
// holds every expression typed.
std::error_code CreatePrivateFolders(const fs::path& folder) {
  std::vector<fs::path> missing;
  std::error_code error;
  for (fs::path p = folder; !p.empty() && !fs::exists(p, error); p = p.parent_path()) {
    missing.push_back(p);
    if (p == p.parent_path()) break;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST)
      return std::error_code(errno, std::generic_category());
  }
  if (!fs::is_directory(folder, error)) return std::make_error_code(std::errc::not_a_directory);
  return {};
}

// A copy first goes to a name of its own and is then renamed into place, so
// an interrupted start never leaves a half-copied catalogue that later starts
// would take for the user's own file.
std::error_code CopyIfMissing(const fs::path& source, const fs::path& target) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(target, error))) return {};
  fs::path part = target;
  part += ".part-" + std::to_string(::getpid());
  fs::copy_file(source, part, fs::copy_options::overwrite_existing, error);
  // The copy is the user's: a read-only source (a CD) must not make it read-only.
  if (!error) fs::permissions(part, fs::perms::owner_write, fs::perm_options::add, error);
  if (!error) fs::rename(part, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(part, ignored);
  }
  return error;
}

// Gives `target` every file of `source` it lacks; the first failure is the
// answer.
std::string FillFrom(const fs::path& source, const fs::path& target) {
  std::error_code error;
  fs::recursive_directory_iterator it(source, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const fs::path relative = it->path().lexically_relative(source);
    const fs::path to = target / relative;
    if (it.depth() == 0 && relative == kTutorialsFolder) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_directory(error)) {
      if (const std::error_code made = CreatePrivateFolders(to))
        return "Could not create the data folder " + Quoted(to) + ": " + made.message();
    } else if (it->is_regular_file(error)) {
      if (const std::error_code copied = CopyIfMissing(it->path(), to))
        return "Could not copy " + Quoted(it->path()) + " to " + Quoted(to) + ": " +
               copied.message();
    }
  }
  if (error) return "Could not read the data folder " + Quoted(source) + ": " + error.message();
  return {};
}

}  // namespace

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  const fs::path probe = folder / (".korvex-write-probe-" + std::to_string(::getpid()));
  // O_EXCL: never open what someone else put there, a link least of all. A
  // probe left by a crash of a process with this id is removed first.
  const auto create = [&probe] {
    return ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  };
  int fd = create();
  if (fd < 0 && errno == EEXIST && ::unlink(probe.c_str()) == 0) fd = create();
  if (fd < 0) return false;
  ::close(fd);
  return ::unlink(probe.c_str()) == 0;
}

fs::path InstalledDataFolder(const fs::path& executable_directory) {
  return (executable_directory / KORVEX_INSTALLED_DATA_FROM_BINDIR).lexically_normal();
}

fs::path ShippedDataFolder(const fs::path& executable_directory) {
  std::error_code error;
  const fs::path beside = executable_directory / "bin";
  return fs::is_directory(beside, error) ? beside : InstalledDataFolder(executable_directory);
}

DataLocationInputs ProcessDataLocationInputs(std::optional<fs::path> option) {
  DataLocationInputs inputs;
  inputs.option = std::move(option);
  inputs.executable_directory = ExecutableDirectory();
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) inputs.xdg_data_home = xdg;
  if (const char* home = std::getenv("HOME"); home && *home) {
    inputs.home = home;
  } else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
    inputs.home = entry->pw_dir;
  }
  return inputs;
}

DataLocation LocateDataDirectory(const DataLocationInputs& inputs) {
  using Kind = DataLocation::Kind;
  if (inputs.option) return {Kind::kOption, *inputs.option, {}};

  const fs::path beside = inputs.executable_directory / "bin";
  if (inputs.writable(beside)) return {Kind::kBesideExecutable, inputs.executable_directory, {}};

  const std::optional<fs::path> data_home = PerUserDataHome(inputs);
  if (!data_home) {
    return {Kind::kPerUser,
            {},
            "No data folder: " + Quoted(beside) +
                " is missing or read-only, and neither XDG_DATA_HOME nor HOME names a "
                "folder for Korvex's own copy; start Korvex with --data-dir DIR"};
  }
  const fs::path program_directory = *data_home / "korvex";
  const fs::path bin = program_directory / "bin";
  if (const std::error_code error = CreatePrivateFolders(bin))
    return {Kind::kPerUser,
            {},
            "Could not create the data folder " + Quoted(bin) + ": " + error.message()};

  std::error_code error;
  const fs::path shipped = ShippedDataFolder(inputs.executable_directory);
  // Without a shipped copy the folder stays as it is; the start-up then names
  // the catalogue that is missing.
  if (fs::is_directory(shipped, error)) {
    if (std::string failure = FillFrom(shipped, bin); !failure.empty())
      return {Kind::kPerUser, {}, std::move(failure)};
  }
  return {Kind::kPerUser, program_directory, {}};
}

}  // namespace korvex
