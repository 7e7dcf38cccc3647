// Fuzzes the line readers of var.ini, mask.ini, general.ini, plot.ini and the
// catalogues with one text, and checks that what a reader kept is what its
// writer gives back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "settings/general_file.h"
#include "settings/line_file.h"
#include "settings/mask_file.h"
#include "settings/plot_file.h"
#include "settings/variables_file.h"

namespace {

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "settings_fuzzer: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const korvex::Lines lines = korvex::SplitLines(text);

  const korvex::VariableTable table = korvex::ParseVariableLines(lines);
  Check(table.size() == lines.size(), "var.ini: one row per line");
  // An empty table is saved as an empty file, which reads back as no rows.
  if (!korvex::IsEmptyTable(table))
    Check(korvex::ParseVariableLines(korvex::FormatVariableLines(table)) == table,
          "var.ini: rows changed by a save and load");

  korvex::MaskSettings mask;
  korvex::ApplyMaskSettingsLines(lines, mask);
  korvex::MaskSettings mask_again;
  korvex::ApplyMaskSettingsLines(korvex::MaskSettingsToLines(mask), mask_again);
  Check(mask_again == mask, "mask.ini: settings changed by a save and load");

  korvex::GeneralSettings general;
  korvex::ApplyGeneralSettingsLines(lines, general);
  korvex::GeneralSettings general_again;
  korvex::ApplyGeneralSettingsLines(korvex::GeneralSettingsToLines(general), general_again);
  Check(general_again == general, "general.ini: settings changed by a save and load");

  korvex::PlotSettings plot;
  korvex::ApplyPlotSettingsLines(lines, plot);
  korvex::PlotSettings plot_again;
  korvex::ApplyPlotSettingsLines(korvex::PlotSettingsToLines(plot), plot_again);
  Check(plot_again == plot, "plot.ini: settings changed by a save and load");
  korvex::PlotStatusText(plot);

  const korvex::Catalogue catalogue = korvex::Catalogue::FromLines(lines);
  Check(catalogue.size() <= lines.size(), "catalogue: more entries than lines");
  Check(catalogue.categories().size() == catalogue.size() &&
            catalogue.thirds().size() == catalogue.size() &&
            catalogue.descriptions().size() == catalogue.size(),
        "catalogue: lists out of step");
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    const auto found = catalogue.Find(catalogue.names()[i]);
    Check(found && *found <= i && catalogue.names()[*found] == catalogue.names()[i],
          "catalogue: a name is not found at its first entry");
  }
  return 0;
}
