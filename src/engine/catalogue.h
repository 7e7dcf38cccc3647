// The function and constant catalogues: four aligned lists per catalogue,
// built from the lines of their files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/string_hash.h"

namespace korvex {

// Splits at '#', a run of '#' counting as one separator and '#' at either end
// ignored, so no field is ever empty.
std::vector<std::string> SplitHashFields(std::string_view line);

class Catalogue {
 public:
  Catalogue() = default;
  // Sorts the lines by their whole text ignoring case, then splits each into
  // name, category, third field (parameter count or value text) and
  // description. Lines with fewer than four fields are skipped so the lists
  // stay aligned.
  static Catalogue FromLines(std::vector<std::string> lines);

  const std::vector<std::string>& names() const { return names_; }
  const std::vector<std::string>& categories() const { return categories_; }
  const std::vector<std::string>& thirds() const { return thirds_; }
  const std::vector<std::string>& descriptions() const { return descriptions_; }
  size_t size() const { return names_.size(); }
  bool empty() const { return names_.empty(); }

  // Index of the first entry with exactly this name, in catalogue order.
  std::optional<size_t> Find(std::string_view name) const;

 private:
  std::vector<std::string> names_, categories_, thirds_, descriptions_;
  std::unordered_map<std::string, size_t, StringHash, std::equal_to<>> first_index_;
};

}  // namespace korvex
