#include "engine/catalogue.h"

#include <algorithm>
#include <cctype>

namespace korvex {

std::vector<std::string> SplitHashFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == '#') ++i;
    if (i == line.size()) break;
    const size_t end = std::min(line.find('#', i), line.size());
    fields.emplace_back(line.substr(i, end - i));
    i = end;
  }
  return fields;
}

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

Catalogue Catalogue::FromLines(std::vector<std::string> lines) {
  std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
  Catalogue catalogue;
  for (const std::string& line : lines) {
    std::vector<std::string> fields = SplitHashFields(line);
    if (fields.size() < 4) continue;
    const size_t index = catalogue.names_.size();
    catalogue.first_index_.try_emplace(fields[0], index);
    catalogue.names_.push_back(std::move(fields[0]));
    catalogue.categories_.push_back(std::move(fields[1]));
    catalogue.thirds_.push_back(std::move(fields[2]));
    catalogue.descriptions_.push_back(std::move(fields[3]));
  }
  return catalogue;
}

std::optional<size_t> Catalogue::Find(std::string_view name) const {
  const auto found = first_index_.find(name);
  if (found == first_index_.end()) return std::nullopt;
  return found->second;
}

}  // namespace korvex
