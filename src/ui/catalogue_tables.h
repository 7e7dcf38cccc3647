// The texts that make the one catalogue browser into the Functions window or
// the Constants window, and the two texts each kind derives from an entry.
#pragma once

#include <span>
#include <string>

namespace korvex {

enum class CatalogueKind { kFunctions, kConstants };

struct CategoryEntry {
  const char* letter;
  const char* title;
};

struct CatalogueBrowserTexts {
  CatalogueKind kind;
  const char* object_name;  // the window's instance name
  const char* caption;
  const char* list_name;        // object name of the list ("function", "constant")
  const char* info_label_name;  // object name of the bold label ("formula", "value")
  const char* category_group;
  const char* search_group;
  const char* list_group;
  const char* info_group;
  const char* search_hint;
  const char* count_caption;
  const char* insert_hint;
  const char* not_found;  // followed by the search text and "'"
  const char* select_first;
  std::span<const CategoryEntry> categories;  // positions 1.. of the list; 0 is "All"
};

const CatalogueBrowserTexts& FunctionsBrowserTexts();
const CatalogueBrowserTexts& ConstantsBrowserTexts();

// The bold label: "gcd[n1;n2]", "sum[n1;n2;...]" for the count "0";
// "pi = 3,14159265358979" for a constant.
std::string InfoLabelText(CatalogueKind kind, const std::string& name, const std::string& third);

// What Insert puts at the caret: "gcd[;]", "sin[]", "sum[" for the count "0";
// the name for a constant.
std::string InsertionText(CatalogueKind kind, const std::string& name, const std::string& third);

}  // namespace korvex
