// The "About Korvex" window (Form20): version, release date, home page link,
// the machine's physical memory and the data folder in use; also the
// program's logo picture.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <cstdint>
#include <filesystem>

namespace korvex {

class LinkLabel;
class Shell;

inline constexpr const char* kVersionText = "Version 1.1 (build 1.1.3.57)";
inline constexpr const char* kReleasedText = "Released 12 August 2007";

// The machine's total physical memory in bytes; 0 when the system does not
// tell.
std::uint64_t TotalPhysicalMemory();

// FormatFloat("0,", whole mebibytes, rounded down) + " MB", grouped with
// `thousands_separator` (a space where that is a comma, which this program
// writes as its decimal point).
QString MemoryText(std::uint64_t bytes, char thousands_separator);

// The system's thousands separator, as masks use it.
char SystemThousandsSeparatorForDisplay();

// The logo, drawn for `logical_size` pixels square at `device_pixel_ratio`.
QPixmap KorvexLogo(int logical_size, qreal device_pixel_ratio);

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  // The memory figure is read here, once. `data_folder` is the `bin` folder
  // the program reads and writes, which is not always beside the program.
  AboutWindow(Shell& shell, const std::filesystem::path& data_folder, QWidget* parent = nullptr);

 public slots:
  // The home page link; Help > "Visit homepage" performs it too.
  void homepageClick();

 private:
  Shell& shell_;
};

}  // namespace korvex
