// The report as one HTML file: readable in any browser, and simple enough
// for Qt's rich text to print it to PDF.
#pragma once

#include <string>

#include "report/report_model.h"
#include "report/report_text.h"

namespace korvex {

// A plotted item's picture is `links.pictures[n - 1]` as the image source
// (a data: URI or a name the reader can resolve); without one it is drawn
// inline as SVG.
std::string HtmlReport(const Report& report, const ReportLinks& links);

// An image source of PNG bytes inside the file.
std::string PngDataUri(const std::string& png_bytes);

}  // namespace korvex
