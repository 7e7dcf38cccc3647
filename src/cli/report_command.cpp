// korvex-cli report: solves (or plots) each expression and writes the steps,
// answers, figures and point lists as one HTML, Markdown or PDF document.
#include "cli/report_command.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/cli_session.h"
#include "cli/interrupt_stop.h"
#include "cli/option_table.h"
#include "cli/plot_range_options.h"
#include "cli/usage.h"
#include "core/calculator.h"
#include "report/html_report.h"
#include "report/markdown_report.h"
#include "report/pdf_report.h"
#include "report/report_run.h"
#include "report/svg_chart.h"

namespace korvex {
namespace {

enum class ReportFormat { kHtml, kMarkdown, kPdf };

struct ReportOptions {
  std::optional<std::string> data_dir;
  std::optional<std::string> format;
  std::optional<std::string> paper;
  std::optional<std::filesystem::path> output;
  bool plot = false;
  PlotRangeOptions range;
  std::vector<std::string> expressions;
};

ParsedArguments ParseReportOptions(const std::vector<std::string>& args, ReportOptions& options,
                                   std::ostream& err) {
  auto set_output = [&options](const std::string& value) -> std::optional<std::string> {
    options.output = std::filesystem::path(value);
    return std::nullopt;
  };
  OptionTable table{
      .rows =
          {
              TextOption("--data-dir", options.data_dir),
              TextOption("--format", options.format),
              TextOption("--paper", options.paper),
              {"--output", true, set_output},
              FlagOption("--plot", options.plot),
          },
      .operand = AppendTo(options.expressions),
  };
  options.range.AddRowsTo(table.rows);
  const ParsedArguments parsed = ParseOptions(table, args, ReportUsage(), err);
  if (parsed != ParsedArguments::kRun || !options.expressions.empty()) return parsed;
  PrintUsageError("report needs at least one expression", ReportUsage(), err);
  return ParsedArguments::kRefused;
}

// --format, else the output file's extension, else HTML.
std::optional<ReportFormat> ChooseFormat(const ReportOptions& options, std::ostream& err) {
  std::string name = options.format.value_or("");
  if (name.empty() && options.output) {
    name = options.output->extension().string();
    if (!name.empty()) name.erase(0, 1);
  }
  if (name.empty() || name == "html" || name == "htm") return ReportFormat::kHtml;
  if (name == "md" || name == "markdown") return ReportFormat::kMarkdown;
  if (name == "pdf") return ReportFormat::kPdf;
  err << "korvex-cli: --format takes html, md or pdf\n";
  return std::nullopt;
}

std::optional<PdfPaper> ChoosePaper(const ReportOptions& options, std::ostream& err) {
  const std::string name = options.paper.value_or("a4");
  if (name == "a4") return kPaperA4;
  if (name == "letter") return kPaperLetter;
  err << "korvex-cli: --paper takes a4 or letter\n";
  return std::nullopt;
}

// A PDF is binary: it may go down a pipe or into a file, not onto a terminal.
bool RefusesPdfOutput(const ReportOptions& options, const std::ostream& out, std::ostream& err) {
  if (options.output || &out != &std::cout || !::isatty(STDOUT_FILENO)) return false;
  err << "korvex-cli: a pdf report is binary; give --output FILE or redirect standard output\n";
  return true;
}

}  // namespace

std::string ReportUsage() {
  return "usage: korvex-cli report [--data-dir DIR] [--format html|md|pdf] [--paper a4|letter]\n"
         "                         [--output FILE] [--plot] [--variable V] [--start A]\n"
         "                         [--stop B] [--increment C] [--derivative] [--epsilon E]\n"
         "                         [--] EXPR...\n";
}

std::string ReportHelp() {
  return ReportUsage() +
         "\n"
         "Solves each EXPR and writes a report of its solution steps, its answer as\n"
         "the answer box shows it, the plain number and its base 16 and base 2\n"
         "patterns, or the failure. With --plot each EXPR is plotted instead, with\n"
         "the plot options of bin/plot.ini, and the report shows its graph, range,\n"
         "Plot info figures, statistics and point lists. Without --output the report\n"
         "goes to standard output (a pdf one only when that is not a terminal).\n"
         "\n"
         "options:\n"
         "  --data-dir DIR    use DIR/bin as the data folder\n"
         "  --format F        html (one file, graphs drawn inline as SVG), md or pdf\n"
         "                    (graphs drawn as lines); the default follows the\n"
         "                    extension of FILE, else html\n"
         "  --paper P         the page size of a pdf report: a4 (the default) or letter\n"
         "  --output FILE     write the report to FILE, and beside it each plot's\n"
         "                    points as FILE's name + -plotN.csv (and, for md, its\n"
         "                    graph as -plotN.svg)\n"
         "  --plot            plot each EXPR instead of solving it\n"
         "  --variable V      with --plot: the name that takes each sample's value\n"
         "  --start A         with --plot: the first value of the variable\n"
         "  --stop B          with --plot: the last value of the variable\n"
         "  --increment C     with --plot: the step from one sample to the next\n"
         "  --derivative      with --plot: plot the numerical derivative of EXPR\n"
         "  --epsilon E       with --plot: the step of the numerical derivative\n"
         "  --                end the options: every later argument is an EXPR\n"
         "  --help            print this help\n";
}

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ReportOptions options;
  if (const auto exit = ExitWithoutRunning(ParseReportOptions(args, options, err), ReportHelp, out))
    return *exit;
  const std::optional<ReportFormat> format = ChooseFormat(options, err);
  const std::optional<PdfPaper> paper = ChoosePaper(options, err);
  if (!format || !paper) {
    err << ReportUsage();
    return kExitUsage;
  }
  if (*format == ReportFormat::kPdf && RefusesPdfOutput(options, out, err)) return kExitUsage;

  CliSession session(out, err);
  Calculator* started = session.Start(options.data_dir);
  if (started == nullptr) return kExitUsage;
  Calculator& calculator = *started;
  options.range.ApplyTo(calculator.plot_settings());

  std::vector<ReportRequestItem> items;
  for (const std::string& text : options.expressions) items.push_back({text, options.plot});
  ReportRun run;
  {
    // Ctrl+C ends the run; the report shows what was done until then. The
    // stop is cleared first, so one from here on counts.
    calculator.control().Begin();
    const InterruptStop interrupt(calculator);
    run = RunReport(calculator.context(), calculator.Snapshot(calculator.session()), items,
                    &session.errors());
  }
  const Report& report = run.report;

  // Files beside the report only when it is a file itself.
  ReportLinks links;
  if (options.output) {
    std::size_t plot = 0;
    for (const ReportItem& item : report.items) {
      const auto* plotted = std::get_if<PlottedItem>(&item);
      if (!plotted) continue;
      ++plot;
      std::string csv, picture;
      if (plotted->info) {
        csv = BesideName(*options.output, plot, ".csv");
        if (!WriteFileText(options.output->parent_path() / csv, plotted->csv)) {
          PrintError("korvex-cli: cannot write " + csv, out, err);
          return kExitFailed;
        }
        if (*format == ReportFormat::kMarkdown) {
          picture = BesideName(*options.output, plot, ".svg");
          if (!WriteFileText(options.output->parent_path() / picture,
                             SeriesSvg(plotted->points, plotted->series_title))) {
            PrintError("korvex-cli: cannot write " + picture, out, err);
            return kExitFailed;
          }
        }
      }
      links.csv_files.push_back(csv);
      links.pictures.push_back(picture);
    }
  }
  std::string document;
  switch (*format) {
    case ReportFormat::kHtml:
      document = HtmlReport(report, links);
      break;
    case ReportFormat::kMarkdown:
      document = MarkdownReport(report, links);
      break;
    case ReportFormat::kPdf:
      document = PdfReport(report, links, *paper);
      break;
  }
  if (options.output) {
    if (!WriteFileText(*options.output, document)) {
      PrintError("korvex-cli: cannot write " + options.output->string(), out, err);
      return kExitFailed;
    }
  } else {
    out << document;
  }
  out.flush();
  if (run.stopped) return kExitInterrupted;
  return run.all_done ? kExitOk : kExitFailed;
}

}  // namespace korvex
