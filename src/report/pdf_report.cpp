// The PDF report: the items become a column of blocks mirroring the HTML
// report's elements, which are then paginated and drawn.
#include "report/pdf_report.h"

#include <algorithm>

#include "report/pdf_layout.h"
#include "report/report_outline.h"
#include "report/svg_chart.h"

namespace korvex {
namespace {

constexpr double kMargin = 15 / 25.4 * 72;  // 15 mm
constexpr double kFooterRoom = 16;
constexpr double kFooterSize = 9;
constexpr double kTextSize = 10;
constexpr double kCellSize = 9;
// Room either side of a cell's text.
constexpr double kCellPadding = 10;
// A caption column takes at most this share of a figures table.
constexpr double kCaptionShare = 0.45;
// Picture units are CSS pixels; a browser prints 96 of them to the inch.
constexpr double kChartScale = 0.75;

constexpr PdfColour kBlack{0, 0, 0};
constexpr PdfColour kFailureColour{0xb0, 0, 0};
constexpr PdfColour kNoteColour{0x60, 0x60, 0x60};

struct Heading {
  double size;
  double gap;
};
constexpr Heading kTitle{18, 0};
constexpr Heading kItemHeading{13, 18};
constexpr Heading kSectionHeading{11, 10};
constexpr double kTableGap = 6;
constexpr double kParagraphGap = 6;

class Column {
 public:
  explicit Column(double width) : width_(width) {}

  // A heading stays with what follows it, unless nothing of its own does.
  void AddHeading(const std::string& text, Heading heading, bool keep = true) {
    Add(Paragraph(text, PdfFont::kHelveticaBold, heading.size, kBlack), heading.gap, keep);
  }
  void AddParagraph(const std::string& text, PdfColour colour) {
    Add(Paragraph(text, PdfFont::kHelvetica, kTextSize, colour), kParagraphGap, false);
  }

  void AddFigures(const std::vector<FigureRow>& rows) {
    double caption = 0, value = 0;
    for (const auto& [name, text] : rows) {
      caption = std::max(caption, Measure(name, PdfFont::kHelvetica));
      value = std::max(value, Measure(text, PdfFont::kCourier));
    }
    caption = std::min(caption, width_ * kCaptionShare);
    value = std::min(value, width_ - caption);
    double gap = kTableGap;
    for (const auto& [name, text] : rows) {
      PdfBlock row;
      row.framed = true;
      row.gap_before = std::exchange(gap, 0);
      row.cells = {Cell(name, PdfFont::kHelvetica, caption, kBlack),
                   Cell(text, PdfFont::kCourier, value, kBlack)};
      row.cells[0].shaded = true;
      blocks_.push_back(std::move(row));
    }
  }

  // Of a long list its ends and the number left out, as the HTML report.
  void AddLines(const std::vector<std::string>& lines) {
    const ShownLines shown = ShownPart(lines);
    const std::string note = shown.omitted > 0 ? OmittedText(shown.omitted) : "";
    double width = Measure(note, PdfFont::kHelvetica);
    for (const auto* part : {&shown.head, &shown.tail})
      for (const std::string& line : *part)
        width = std::max(width, Measure(line, PdfFont::kCourier));
    width = std::min(width, width_);
    double gap = kTableGap;
    const auto row = [&](const std::string& text, PdfFont font, PdfColour colour) {
      PdfBlock block;
      block.framed = true;
      block.gap_before = std::exchange(gap, 0);
      block.cells = {Cell(text, font, width, colour)};
      blocks_.push_back(std::move(block));
    };
    for (const std::string& line : shown.head) row(line, PdfFont::kCourier, kBlack);
    if (shown.omitted > 0) row(note, PdfFont::kHelvetica, kNoteColour);
    for (const std::string& line : shown.tail) row(line, PdfFont::kCourier, kBlack);
  }

  void AddChart(const std::vector<ChartPoint>& points) {
    PdfBlock block;
    block.gap_before = kParagraphGap;
    block.chart =
        PdfChart{OutlineOf(points, kSvgChartWidth, kSvgChartHeight), kSvgChartWidth * kChartScale,
                 kSvgChartHeight * kChartScale, kChartScale};
    blocks_.push_back(std::move(block));
  }

  std::vector<PdfBlock> Take() { return std::move(blocks_); }

 private:
  // The width a cell needs to hold `text` on one line.
  static double Measure(const std::string& text, PdfFont font) {
    return PdfTextWidth(font, kCellSize, WinAnsiText(text)) + kCellPadding;
  }

  PdfCell Paragraph(const std::string& text, PdfFont font, double size, PdfColour colour) const {
    return {width_, font, size, colour, false, WrapText(text, font, size, width_)};
  }

  static PdfCell Cell(const std::string& text, PdfFont font, double width, PdfColour colour) {
    return {width,  font,  kCellSize,
            colour, false, WrapText(text, font, kCellSize, width - kCellPadding)};
  }

  void Add(PdfCell cell, double gap, bool keep) {
    PdfBlock block;
    block.cells = {std::move(cell)};
    block.gap_before = gap;
    block.keep_with_next = keep;
    blocks_.push_back(std::move(block));
  }

  double width_;
  std::vector<PdfBlock> blocks_;
};

void AddElement(Column& column, const ReportElement& element) {
  switch (element.kind) {
    case ReportElementKind::kItemHeading:
      column.AddHeading(element.text, kItemHeading);
      break;
    case ReportElementKind::kSectionHeading:
      column.AddHeading(element.text, kSectionHeading, element.keep_with_next);
      break;
    case ReportElementKind::kNote:
      column.AddParagraph(element.text, kNoteColour);
      break;
    case ReportElementKind::kFailure:
      column.AddParagraph(element.text, kFailureColour);
      break;
    case ReportElementKind::kFigures:
      column.AddFigures(element.rows);
      break;
    case ReportElementKind::kLines:
      column.AddLines(*element.lines);
      break;
    case ReportElementKind::kGraph:
      // Drawn as vector lines whatever picture the other formats link.
      column.AddChart(element.plotted->points);
      break;
    case ReportElementKind::kPointsFile:
      column.AddParagraph(kAllPointsCaption + element.text, kBlack);
      break;
  }
}

void DrawFooters(PdfDocument& document) {
  const std::size_t count = document.page_count();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string text = "Page " + std::to_string(i + 1) + " of " + std::to_string(count);
    const double width = PdfTextWidth(PdfFont::kHelvetica, kFooterSize, WinAnsiText(text));
    PdfPage& page = document.page(i);
    page.SetFillColour(kNoteColour);
    page.Text({(document.paper().width - width) / 2, document.paper().height - kMargin},
              PdfFont::kHelvetica, kFooterSize, text);
  }
}

}  // namespace

std::string PdfReport(const Report& report, const ReportLinks& links, PdfPaper paper) {
  Column column(paper.width - 2 * kMargin);
  column.AddHeading(kReportTitle, kTitle);
  for (const ReportElement& element : ReportOutline(report, links)) AddElement(column, element);

  const std::vector<PlacedBlock> placed =
      Paginate(column.Take(), kMargin, paper.height - kMargin - kFooterRoom);
  PdfDocument document(paper);
  document.AddPage();
  for (const PlacedBlock& block : placed) {
    while (document.page_count() <= block.page) document.AddPage();
    DrawBlock(document.page(block.page), block, kMargin);
  }
  DrawFooters(document);
  return document.Bytes(kReportTitle, kReportCreator);
}

}  // namespace korvex
