// The report as Markdown: pictures are files beside it (or left out with a
// note), long texts sit in code blocks so they read exactly as shown.
#pragma once

#include <string>

#include "report/report_model.h"
#include "report/report_text.h"

namespace korvex {

std::string MarkdownReport(const Report& report, const ReportLinks& links);

}  // namespace korvex
