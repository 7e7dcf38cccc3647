// Fuzzes the answer masks: FormatFloat and MaskPreview with any mask text and
// value, and ShowAnswer in every number system.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/number_text.h"
#include "output/format_float.h"
#include "output/show_answer.h"

namespace {

// Values from every corner of the long double range, not only those a
// double can hold, without making the bit patterns no arithmetic produces.
long double PickValue(std::uint8_t kind, const std::uint8_t* bytes) {
  double d;
  std::memcpy(&d, bytes, sizeof d);
  std::int16_t small;
  std::memcpy(&small, bytes, sizeof small);
  using L = std::numeric_limits<long double>;
  switch (kind % 4) {
    case 0:
      return d;
    case 1:
      return std::ldexp(static_cast<long double>(d), static_cast<std::int8_t>(bytes[7]) * 64);
    case 2:
      return static_cast<long double>(small) / (1 + bytes[2] % 100);
    default: {
      const long double specials[] = {0.0L,           -0.0L,          L::infinity(),
                                      -L::infinity(), L::quiet_NaN(), L::max(),
                                      L::lowest(),    L::min(),       L::denorm_min(),
                                      0.5L,           1e15L,          999999999999999.5L};
      return specials[bytes[0] % (sizeof specials / sizeof specials[0])];
    }
  }
}

}  // namespace

// Byte 0: value kind and separators; byte 1: number system, precision,
// scientific and point; bytes 2-9: the value; the rest: the mask.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 10) return 0;
  const std::uint8_t options = data[0];
  const std::uint8_t general_bits = data[1];
  const long double value = PickValue(options, data + 2);
  const std::string mask(reinterpret_cast<const char*>(data + 10), size - 10);

  const char decimal = (options & 4) ? '.' : ',';
  const char thousands_choices[] = {'.', ',', ' ', '\''};
  const char thousands = thousands_choices[(options >> 3) & 3];
  try {
    korvex::FormatFloat(mask, value, decimal, thousands);
  } catch (const korvex::FormatFailure&) {
  }

  korvex::MaskSettings mask_settings;
  mask_settings.mask = mask;
  try {
    korvex::MaskPreview(mask_settings, value, decimal, thousands);
  } catch (const korvex::FormatFailure&) {
  }

  // The engine hands ShowAnswer number texts it wrote itself from finite
  // results; each of those must read back, or ShowAnswer throws.
  if (!std::isfinite(value)) return 0;
  const std::string result = korvex::FloatToStr(value);
  korvex::GeneralSettings general;
  general.number_system = general_bits % 5;
  general.precision = 8 + general_bits / 5 % 57;
  general.scientific = (options & 0x20) != 0;
  general.point = (options & 0x40) != 0;
  const std::string_view locale_thousands[] = {"", ".", ",", "\xc2\xa0"};
  korvex::ShowAnswer(result, mask_settings, general, locale_thousands[options >> 6]);
  return 0;
}
