// The message-box seam: windows show a box, the CLI prints, tests record.
#pragma once

#include <set>
#include <string>

namespace korvex {

class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text) = 0;

  // Lasting trouble (a settings file that cannot be read, or written) is
  // told once, not again at every later load that finds it unchanged.
  // MarkTold is true when `topic` had not been told yet; Forget makes it news
  // again once the trouble has gone.
  bool MarkTold(const std::string& topic) { return told_.insert(topic).second; }
  void Forget(const std::string& topic) { told_.erase(topic); }

 private:
  std::set<std::string> told_;
};

inline constexpr const char* kReadOnlyDeviceMessage =
    "This can occur if you are using Korvex on a read only device, like a CD or DVD";

inline constexpr const char* kUnreadableKeptMessage =
    "The file exists but cannot be read, so it is left untouched";

// "Could not save to file 'bin/<relative_name>'" (`relative_name` is for
// example "var.ini"): the first of the two messages of a failed save. The
// second is kReadOnlyDeviceMessage, or kUnreadableKeptMessage when the save
// was refused.
std::string SaveFailureText(const std::string& relative_name);

// Said when a settings file is there but cannot be read.
std::string UnreadableFileText(const std::string& relative_name);

}  // namespace korvex
