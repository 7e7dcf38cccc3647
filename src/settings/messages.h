// The message-box seam: windows show a box, the CLI prints, tests record.
#pragma once

#include <string>

namespace korvex {

class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text) = 0;
};

inline constexpr const char* kReadOnlyDeviceMessage =
    "This can occur if you are using Korvex on a read only device, like a CD or DVD";

// The two messages every writer of a settings file shows when the write
// fails; `relative_name` is for example "var.ini".
void ShowSaveFailureMessages(Messages& messages, const std::string& relative_name);

}  // namespace korvex
