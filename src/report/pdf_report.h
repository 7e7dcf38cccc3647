// The report as a PDF file, written without Qt: the HTML report's headings,
// tables and notes in the same order, its graphs drawn as lines, and a page
// footer.
#pragma once

#include <string>

#include "report/pdf_writer.h"
#include "report/report_model.h"
#include "report/report_text.h"

namespace korvex {

inline constexpr const char* kReportCreator = "Korvex";

// Only `links.csv_files` is used: a PDF report always draws its graphs.
std::string PdfReport(const Report& report, const ReportLinks& links, PdfPaper paper);

}  // namespace korvex
