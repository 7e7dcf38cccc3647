// Transparent hashing so maps keyed by std::string can be searched with a
// string_view without building a temporary string.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace korvex {

struct StringHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

}  // namespace korvex
