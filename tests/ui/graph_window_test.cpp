// The Graph window over the session's chart: what a plot draws, the chart settings
// and their refusals, the series actions, legend, 3D, clipboard, exports,
// and the mouse's zoom, pan and trace.
#include "ui/graph_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <tuple>
#include <vector>

#include "engine/number_text.h"
#include "plot/chart_settings.h"
#include "plot/series_palette.h"
#include "settings/colour.h"
#include "ui/chart_view.h"
#include "ui/plot_windows_fixture.h"

namespace korvex {
namespace {

using testing::Child;
using testing::PlotWindows;

QString Label(QWidget* window, const char* name) {
  const QLabel* label = Child<QLabel>(window, name);
  return label ? label->text() : QStringLiteral("<missing>");
}

QStringList LegendTexts(PlotWindows& w) {
  QStringList texts;
  auto* legend = w.InGraph<QListWidget>("legend");
  for (int row = 0; row < legend->count(); ++row) texts << legend->item(row)->text();
  return texts;
}

bool HasColour(const QImage& image, const QColor& colour, int tolerance = 24) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (std::abs(pixel.red() - colour.red()) <= tolerance &&
          std::abs(pixel.green() - colour.green()) <= tolerance &&
          std::abs(pixel.blue() - colour.blue()) <= tolerance)
        return true;
    }
  return false;
}

TEST(GraphWindowTest, PlotFillsGraphLegendAndPlotInfo) {
  struct Case {
    bool derivative;
    QString title;
    double first_value;  // at x = -10
  };
  const Case cases[] = {{false, QStringLiteral("x^2"), 100},
                        {true, QStringLiteral("( x^2 )'"), -20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title.toStdString());
    PlotWindows w;
    w.settings().derivative = c.derivative;
    ASSERT_TRUE(w.Plot("x^2"));

    EXPECT_TRUE(w.graph.isVisible());
    ChartView* chart = w.graph.chart();
    ASSERT_EQ(chart->graphCount(), 1);
    const QCPGraph* graph = chart->graph(0);
    EXPECT_EQ(graph->name(), c.title);
    const ChartSeries& series = w.model().series(1);
    ASSERT_EQ(graph->dataCount(), 201);
    for (int i = 0; i < graph->dataCount(); ++i) {
      ASSERT_EQ(graph->data()->at(i)->key, series.points()[i].x) << i;
      ASSERT_EQ(graph->data()->at(i)->value, series.points()[i].y) << i;
    }
    EXPECT_NEAR(graph->data()->at(0)->value, c.first_value, 1e-6);
    EXPECT_EQ(LegendTexts(w), QStringList{c.title});

    EXPECT_EQ(Label(&w.plot_info, "function"), c.title);
    EXPECT_EQ(Label(&w.plot_info, "serie"), QStringLiteral("1"));
    EXPECT_EQ(Label(&w.plot_info, "totalcalc"), QStringLiteral("201"));
    EXPECT_EQ(Label(&w.plot_info, "calcdone"), QStringLiteral("201"));
    EXPECT_TRUE(Label(&w.plot_info, "donemu").endsWith(QStringLiteral(" mu")));
    EXPECT_TRUE(Label(&w.plot_info, "percalcms").endsWith(QStringLiteral(" ms")));
    const auto* bar = Child<QProgressBar>(&w.plot_info, "bar");
    EXPECT_EQ(bar->maximum(), 201);
    EXPECT_EQ(bar->value(), 201);
    EXPECT_EQ(w.answers, QStringList{QString::fromLatin1(kPlotCompleteText)});
  }
}

// Settings the chart refuses make the plot fail and the refresh report the
// "Scales" error; nothing new is drawn.
TEST(GraphWindowTest, RefusedScalesReportTheScalesError) {
  struct Case {
    const char* name;
    std::function<void(PlotSettings&)> refuse;
    bool after_a_plot;  // the refusal needs a range on the axis first
  };
  const Case cases[] = {
      {"limits not whole numbers",
       [](PlotSettings& s) {
         s.x_axis.automatic = false;
         s.x_axis.minimum = "-0,5";
         s.x_axis.maximum = "0,5";
       },
       false},
      {"log base 1",
       [](PlotSettings& s) {
         s.y_axis.logarithmic = true;
         s.y_axis.log_base = "1";
       },
       false},
      {"limits below the current range",
       [](PlotSettings& s) {
         s.x_axis.automatic = false;
         s.x_axis.minimum = "-50";
         s.x_axis.maximum = "-20";
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotWindows w;
    if (c.after_a_plot) {
      ASSERT_TRUE(w.Plot("x"));
    }
    c.refuse(w.settings());
    const int drawn = w.graph.chart()->graphCount();
    EXPECT_FALSE(w.Plot("x^2"));
    w.ClickInGraph("refresh");
    EXPECT_EQ(w.ErrorMessages(),
              (std::vector<std::string>{kScalesErrorMessage, kScalesErrorMessage}));
    EXPECT_EQ(w.sink.reports.front().title, kPlotError);
    EXPECT_EQ(w.graph.chart()->graphCount(), drawn);
  }
}

TEST(GraphWindowTest, LogarithmicAxisRefusedUntilClear) {
  const char* bases[] = {"10", "2"};
  for (const char* base : bases) {
    SCOPED_TRACE(base);
    PlotWindows w;
    ASSERT_TRUE(w.Plot("x^2"));
    w.settings().x_axis.logarithmic = true;
    w.settings().x_axis.log_base = base;
    w.settings().start = "1";
    w.settings().stop = "100";
    w.settings().increment = "1";

    EXPECT_FALSE(w.Plot("x^2"));
    EXPECT_EQ(w.ErrorMessages(), std::vector<std::string>{kScalesErrorMessage});
    ASSERT_EQ(w.graph.chart()->graphCount(), 1);
    EXPECT_EQ(w.graph.chart()->xAxis->scaleType(), QCPAxis::stLinear);

    w.ClickInGraph("clear");
    EXPECT_EQ(w.graph.chart()->graphCount(), 0);
    ASSERT_TRUE(w.Plot("x^2"));
    ChartView* chart = w.graph.chart();
    ASSERT_EQ(chart->graphCount(), 1);
    EXPECT_EQ(chart->graph(0)->dataCount(), 100);
    EXPECT_EQ(chart->xAxis->scaleType(), QCPAxis::stLogarithmic);
    const auto ticker = chart->xAxis->ticker().dynamicCast<QCPAxisTickerLog>();
    ASSERT_FALSE(ticker.isNull());
    EXPECT_EQ(ticker->logBase(), std::strtod(base, nullptr));
  }
}

TEST(GraphWindowTest, DeleteLastSerieThenPlotReusesTheNumberWithFreshStatistics) {
  PlotWindows w;
  w.settings().mode = PlotMode::kMultiple;
  ASSERT_TRUE(w.Plot("x"));
  ASSERT_TRUE(w.Plot("x^2"));
  ASSERT_EQ(w.graph.chart()->graphCount(), 2);

  w.ClickInGraph("deleteserie");
  ASSERT_EQ(w.graph.chart()->graphCount(), 1);
  EXPECT_EQ(w.graph.chart()->graph(0)->name(), QStringLiteral("x"));
  EXPECT_EQ(LegendTexts(w), QStringList{QStringLiteral("x")});
  EXPECT_TRUE(w.calculator.plots().stats(2).table_lines.empty());

  ASSERT_TRUE(w.Plot("x^3"));
  ASSERT_EQ(w.graph.chart()->graphCount(), 2);
  EXPECT_EQ(w.graph.chart()->graph(1)->name(), QStringLiteral("x^3"));
  EXPECT_EQ(Label(&w.plot_info, "serie"), QStringLiteral("2"));
  const SeriesStats& stats = w.calculator.plots().stats(2);
  ASSERT_EQ(stats.table_lines.size(), 201u);
  EXPECT_EQ(stats.table_lines.front(), "x: -10 = f(x): -1000");
  // x^3 over a symmetric range sums to about 0; anything left of x^2 would not.
  EXPECT_NEAR(static_cast<double>(stats.sum_y), 0, 1e-6);
  EXPECT_EQ(stats.bottom_lines.size(), 0u);
}

TEST(GraphWindowTest, LegendCheckBoxesHideSeriesAndShowLegendHidesTheList) {
  PlotWindows w;
  w.settings().mode = PlotMode::kMultiple;
  ASSERT_TRUE(w.Plot("x"));
  ASSERT_TRUE(w.Plot("x^2"));
  auto* legend = w.InGraph<QListWidget>("legend");
  ASSERT_EQ(legend->count(), 2);

  legend->item(0)->setCheckState(Qt::Unchecked);
  ChartView* chart = w.graph.chart();
  EXPECT_FALSE(chart->graph(0)->visible());
  EXPECT_TRUE(chart->graph(1)->visible());
  // The automatic y axis now fits the visible x^2 only: with x it would
  // reach below -10.
  EXPECT_LT(chart->yAxis->range().lower, w.model().series(2).MinY().value());
  EXPECT_GT(chart->yAxis->range().lower, -10);

  // Hidden stays hidden when the graph is drawn again for a new series.
  ASSERT_TRUE(w.Plot("x^3"));
  ASSERT_EQ(chart->graphCount(), 3);
  EXPECT_FALSE(chart->graph(0)->visible());
  EXPECT_EQ(legend->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(legend->item(2)->checkState(), Qt::Checked);

  auto* show_legend = w.InGraph<QCheckBox>("legendcheck");
  EXPECT_TRUE(show_legend->isChecked());
  w.Click(show_legend);
  EXPECT_FALSE(legend->isVisible());
  EXPECT_FALSE(w.model().legend_visible());
  EXPECT_EQ(chart->graphCount(), 3);
  w.Click(show_legend);
  EXPECT_TRUE(legend->isVisible());
  EXPECT_EQ(w.model().series_count(), 3u);
}

TEST(GraphWindowTest, DrawingFollowsTheSettings) {
  constexpr Colour kRed = 255;
  constexpr Colour kBlue = 0xFF0000;
  struct Case {
    const char* name;
    std::function<void(PlotSettings&)> set;
    std::function<bool(ChartView&)> drawn;
  };
  const Case cases[] = {
      {"defaults", [](PlotSettings&) {},
       [](ChartView& c) {
         const QCPGraph* g = c.graph(0);
         return g->lineStyle() == QCPGraph::lsLine && g->scatterStyle().isNone() &&
                g->pen().color() == ToQColor(46180) && !c.xAxis->grid()->visible() &&
                !c.yAxis->grid()->visible() && !c.xAxis->rangeReversed() &&
                c.axisRect()->backgroundBrush().color() == QColor(Qt::white) &&
                c.depth_pixels() == 0;
       }},
      {"stairs", [](PlotSettings& s) { s.stairs = true; },
       [](ChartView& c) { return c.graph(0)->lineStyle() == QCPGraph::lsStepLeft; }},
      {"points and colours",
       [](PlotSettings& s) {
         s.points = true;
         s.point_colour = kRed;
         s.graph_colour = kBlue;
       },
       [](ChartView& c) {
         const QCPScatterStyle style = c.graph(0)->scatterStyle();
         return style.shape() == QCPScatterStyle::ssCircle &&
                style.brush().color() == QColor(Qt::red) &&
                c.graph(0)->pen().color() == QColor(Qt::blue);
       }},
      {"grids",
       [](PlotSettings& s) {
         s.horizontal_grid = true;
         s.grid_colour = kRed;
       },
       [](ChartView& c) {
         return c.yAxis->grid()->visible() && !c.xAxis->grid()->visible() &&
                c.yAxis->grid()->pen().color() == QColor(Qt::red);
       }},
      {"vertical grid", [](PlotSettings& s) { s.vertical_grid = true; },
       [](ChartView& c) { return c.xAxis->grid()->visible() && !c.yAxis->grid()->visible(); }},
      {"back colour", [](PlotSettings& s) { s.back_colour = kBlue; },
       [](ChartView& c) { return c.axisRect()->backgroundBrush().color() == QColor(Qt::blue); }},
      {"inverted", [](PlotSettings& s) { s.x_axis.inverted = true; },
       [](ChartView& c) { return c.xAxis->rangeReversed() && !c.yAxis->rangeReversed(); }},
      {"manual limits",
       [](PlotSettings& s) {
         s.y_axis.automatic = false;
         s.y_axis.minimum = "-3";
         s.y_axis.maximum = "7";
       },
       [](ChartView& c) {
         // Only the automatic x axis gets room beyond its outer ticks.
         return c.yAxis->range() == QCPRange(-3, 7) &&
                std::abs(c.xAxis->range().lower + 10.8) < 1e-9 &&
                std::abs(c.xAxis->range().upper - 10.8) < 1e-9;
       }},
      {"3D", [](PlotSettings& s) { s.view_3d = true; },
       [](ChartView& c) { return c.depth_pixels() > 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotWindows w;
    c.set(w.settings());
    ASSERT_TRUE(w.Plot("x^2"));
    EXPECT_TRUE(c.drawn(*w.graph.chart()));
  }
}

// Refresh carries changed chart-wide settings onto the drawn graph; the
// series keep their own appearance.
TEST(GraphWindowTest, RefreshAppliesChartSettingsToTheDrawnGraph) {
  PlotWindows w;
  ASSERT_TRUE(w.Plot("x^2"));
  w.settings().horizontal_grid = true;
  w.settings().stairs = true;
  ChartView* chart = w.graph.chart();
  EXPECT_FALSE(chart->yAxis->grid()->visible());
  w.ClickInGraph("refresh");
  EXPECT_TRUE(chart->yAxis->grid()->visible());
  EXPECT_EQ(chart->graph(0)->lineStyle(), QCPGraph::lsLine);
  EXPECT_TRUE(w.sink.reports.empty());
}

TEST(GraphWindowTest, ThreeDDepthGrowsWithThePercent) {
  PlotWindows w;
  ASSERT_TRUE(w.Plot("x^2"));
  ChartView* chart = w.graph.chart();
  const QSize size(600, 400);
  const QImage flat = chart->RenderImage(size);
  ASSERT_EQ(chart->depth_pixels(), 0);

  w.settings().view_3d = true;
  w.settings().percent_3d = 50;
  w.ClickInGraph("refresh");
  const int half = chart->depth_pixels();
  const QImage deep = chart->RenderImage(size);
  w.settings().percent_3d = 100;
  w.ClickInGraph("refresh");
  const int full = chart->depth_pixels();

  EXPECT_GT(half, 0);
  EXPECT_NEAR(full, 2 * half, 1);
  ASSERT_EQ(flat.size(), deep.size());
  int changed = 0;
  for (int y = 0; y < flat.height(); ++y)
    for (int x = 0; x < flat.width(); ++x) changed += flat.pixel(x, y) != deep.pixel(x, y);
  EXPECT_GT(changed, flat.width() * flat.height() / 20);
}

TEST(GraphWindowTest, CopyPutsPictureAndSvgOnTheClipboard) {
  PlotWindows w;
  w.settings().graph_colour = 0xFF0000;  // blue
  ASSERT_TRUE(w.Plot("x^2"));
  QApplication::clipboard()->clear();
  w.ClickInGraph("copy");
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasImage());
  const QImage image = qvariant_cast<QImage>(data->imageData());
  ASSERT_FALSE(image.isNull());
  EXPECT_TRUE(HasColour(image, Qt::blue));
  const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
  EXPECT_TRUE(svg.contains("<svg"));
  EXPECT_TRUE(svg.contains("x^2"));  // the legend
}

// Changes made outside the window, by another window's plot or the
// benchmark, reach the graph without a click: a burst of them is drawn once
// when control is back in the event loop, or when a hidden graph is shown.
TEST(GraphWindowTest, ChangesMadeElsewhereAreDrawnOnce) {
  PlotWindows w;
  ASSERT_TRUE(w.Plot("x"));
  ASSERT_TRUE(w.graph.isVisible());
  ChartView* chart = w.graph.chart();
  ChartModel& model = w.calculator.plots().chart();
  QSignalSpy redraws(chart, &ChartView::rebuilt);

  ASSERT_TRUE(model.AddSeries("y"));
  for (int i = 0; i < 1000; ++i) model.AppendPoint(2, i, -i);
  model.SetView3D(true);
  EXPECT_FALSE(chart->in_sync());
  EXPECT_EQ(redraws.count(), 0);
  QCoreApplication::processEvents();
  EXPECT_TRUE(chart->in_sync());
  EXPECT_EQ(redraws.count(), 1);
  ASSERT_EQ(chart->graphCount(), 2);
  EXPECT_EQ(chart->graph(1)->dataCount(), 1000);
  EXPECT_GT(chart->depth_pixels(), 0);
  EXPECT_EQ(LegendTexts(w), (QStringList{QStringLiteral("x"), QStringLiteral("y")}));

  w.graph.hide();
  w.calculator.plots().RemoveSeries(false);
  QCoreApplication::processEvents();
  EXPECT_EQ(redraws.count(), 1);
  EXPECT_EQ(chart->graphCount(), 2);
  w.graph.show();
  EXPECT_TRUE(chart->in_sync());
  EXPECT_EQ(redraws.count(), 2);
  EXPECT_EQ(chart->graphCount(), 0);
  EXPECT_TRUE(LegendTexts(w).isEmpty());
}

TEST(GraphWindowTest, ExportWritesPicturesAndPoints) {
  struct Case {
    ExportFormat format;
    const char* file;
    std::function<bool(const QByteArray&)> valid;
  };
  const Case cases[] = {
      {ExportFormat::kPng, "graph.png",
       [](const QByteArray& bytes) { return !QImage::fromData(bytes, "PNG").isNull(); }},
      {ExportFormat::kSvg, "graph.svg",
       [](const QByteArray& bytes) { return bytes.contains("<svg"); }},
      {ExportFormat::kPdf, "graph.pdf",
       [](const QByteArray& bytes) { return bytes.startsWith("%PDF"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    PlotWindows w;
    ASSERT_TRUE(w.Plot("x^2"));
    const QString path = w.directory.filePath(QString::fromLatin1(c.file));
    w.exports.request = ExportRequest{path, c.format, 1};
    w.ClickInGraph("export");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(c.valid(file.readAll()));
    EXPECT_EQ(w.exports.offered, QStringList{QStringLiteral("x^2")});
    EXPECT_TRUE(w.messages.shown.isEmpty());
  }
}

// The longest polyline in `svg`, in points.
std::size_t LongestPolyline(const QByteArray& svg) {
  std::size_t longest = 0;
  for (qsizetype at = svg.indexOf("points=\""); at >= 0; at = svg.indexOf("points=\"", at + 1)) {
    const qsizetype end = svg.indexOf('"', at + 8);
    longest = std::max<std::size_t>(longest, svg.mid(at + 8, end - at - 8).count(' ') + 1);
  }
  return longest;
}

// Zoomed in, the curves of an SVG export stay inside the plot area: the
// SVG clips them there, as the screen does.
TEST(GraphWindowTest, SvgExportClipsTheCurvesToThePlotArea) {
  PlotWindows w;
  ASSERT_TRUE(w.Plot("x^2"));
  w.graph.chart()->xAxis->setRange(-2, 2);
  w.graph.chart()->yAxis->setRange(0, 1);
  const QByteArray svg = w.graph.chart()->RenderSvg(QSize(800, 600));
  const qsizetype clipped = svg.indexOf("<g clip-path=\"url(#plotarea)\">");
  ASSERT_GT(clipped, 0) << svg.toStdString();
  EXPECT_TRUE(svg.contains("<clipPath id=\"plotarea\"><rect"));
  // The curve (41 points in view, and more beside) only inside the clip;
  // the frame's lines (ticks, the legend's swatch) are short.
  EXPECT_GT(LongestPolyline(svg.mid(clipped)), 40u);
  EXPECT_LT(LongestPolyline(svg.left(clipped)), 10u);
  EXPECT_TRUE(svg.left(clipped).contains("x^2"));               // the legend, outside the clip
  EXPECT_EQ(w.graph.chart()->xAxis->range(), QCPRange(-2, 2));  // the view as it was
}

// Every value is the number text the engine gave: y reads back to the very
// double the chart holds, x is the 15-digit sample the value was computed at.
TEST(GraphWindowTest, ExportCsvHoldsTheChosenSeriesPointsExactly) {
  PlotWindows w;
  w.settings().mode = PlotMode::kMultiple;
  ASSERT_TRUE(w.Plot("x"));
  ASSERT_TRUE(w.Plot("x/3"));
  const QString path = w.directory.filePath(QStringLiteral("points.csv"));
  w.exports.request = ExportRequest{path, ExportFormat::kCsv, 2};
  w.ClickInGraph("export");

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  std::istringstream lines(file.readAll().toStdString());
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "x,y");
  const auto& points = w.model().series(2).points();
  std::size_t row = 0;
  while (std::getline(lines, line)) {
    ASSERT_LT(row, points.size());
    const auto comma = line.find(',');
    ASSERT_NE(comma, std::string::npos) << line;
    EXPECT_EQ(line.find(',', comma + 1), std::string::npos) << line;
    const double x = points[row].x;
    EXPECT_NEAR(std::strtod(line.substr(0, comma).c_str(), nullptr), x,
                1e-14 * std::max(1.0, std::fabs(x)))
        << line;
    EXPECT_EQ(std::strtod(line.substr(comma + 1).c_str(), nullptr), points[row].y) << line;
    ++row;
  }
  EXPECT_EQ(row, points.size());
}

TEST(GraphWindowTest, ExportThatCannotBeWrittenSaysSo) {
  PlotWindows w;
  ASSERT_TRUE(w.Plot("x^2"));
  const QString path = w.directory.filePath(QStringLiteral("missing/folder/points.csv"));
  w.exports.request = ExportRequest{path, ExportFormat::kCsv, 1};
  w.ClickInGraph("export");
  EXPECT_EQ(w.messages.shown, QStringList{QStringLiteral("Could not save to file '%1'").arg(path)});
}

// Series left at the default graph colour are told apart by the palette in
// the chart, the legend list and the exports; a colour chosen in the plot
// options is kept for every series.
TEST(GraphWindowTest, SeriesColoursTellSeriesApart) {
  struct Case {
    const char* name;
    Colour graph_colour;
    std::vector<Colour> drawn;
  };
  const Case cases[] = {
      {"default colour",
       kDefaultGraphColour,
       {kSeriesPalette[0], kSeriesPalette[1], kSeriesPalette[2]}},
      {"chosen colour", 0xFF0000, {0xFF0000, 0xFF0000, 0xFF0000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotWindows w;
    w.settings().mode = PlotMode::kMultiple;
    w.settings().graph_colour = c.graph_colour;
    ASSERT_TRUE(w.Plot("sin[x]"));
    ASSERT_TRUE(w.Plot("cos[x]"));
    w.settings().derivative = true;
    ASSERT_TRUE(w.Plot("x^2"));
    ChartView* chart = w.graph.chart();
    ASSERT_EQ(chart->graphCount(), 3);
    auto* legend = w.InGraph<QListWidget>("legend");
    ASSERT_EQ(legend->count(), 3);
    const QImage picture = chart->RenderImage(QSize(600, 400));
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      const QColor expected = ToQColor(c.drawn[i]);
      EXPECT_EQ(chart->graph(i)->pen().color(), expected);
      const QImage swatch = legend->item(i)->icon().pixmap(QSize(28, 28)).toImage();
      EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), expected);
      EXPECT_TRUE(HasColour(picture, expected, 8));
      // What the plot options stored for the series stays as it was.
      EXPECT_EQ(w.model().series(static_cast<std::size_t>(i) + 1).appearance().line_colour,
                c.graph_colour);
    }
  }
}

// An automatic linear axis ends a little beyond ticks that bound the data,
// so round extremes are labelled; manual limits stay as set.
TEST(GraphWindowTest, AutomaticAxesHaveTicksAtRoundExtremes) {
  struct Case {
    const char* expression;
    double y_low;
    double y_high;
  };
  const Case cases[] = {{"sin[x]", -1, 1}, {"x^2", 0, 100}, {"x", -10, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    PlotWindows w;
    ASSERT_TRUE(w.Plot(c.expression));
    ChartView* chart = w.graph.chart();
    chart->replot();
    const auto has_tick = [](const QCPAxis* axis, double value) {
      const QVector<double> ticks = axis->tickVector();
      return std::any_of(ticks.cbegin(), ticks.cend(),
                         [&](double tick) { return std::abs(tick - value) < 1e-9; });
    };
    for (const auto& [axis, low, high] :
         {std::tuple{chart->xAxis, -10.0, 10.0}, std::tuple{chart->yAxis, c.y_low, c.y_high}}) {
      EXPECT_TRUE(has_tick(axis, low)) << low;
      EXPECT_TRUE(has_tick(axis, high)) << high;
      const QCPRange range = axis->range();
      EXPECT_LT(range.lower, low);
      EXPECT_GT(range.upper, high);
      EXPECT_LT(range.upper - range.lower, 1.1 * (high - low));
    }
  }
}

// An export shows the legend beside the plot, never over the data; the view
// gets its full size back afterwards.
TEST(GraphWindowTest, ExportedLegendLeavesThePlotFree) {
  PlotWindows w;
  w.settings().mode = PlotMode::kMultiple;
  const char* expressions[] = {"sin[x]", "cos[x]", "x/10", "x/5", "x/20"};
  for (const char* expression : expressions) ASSERT_TRUE(w.Plot(expression));
  ChartView* chart = w.graph.chart();
  const QRect view_plot = chart->axisRect()->rect();
  struct Layout {
    bool legend_visible;
    QRect legend;
    QRect plot;
  };
  std::vector<Layout> layouts;
  QObject::connect(chart, &QCustomPlot::afterLayout, chart, [&] {
    layouts.push_back(
        {chart->legend->visible(), chart->legend->outerRect(), chart->axisRect()->rect()});
  });
  const QSize size(640, 480);
  const QImage picture = chart->RenderImage(size);
  ASSERT_FALSE(picture.isNull());
  const auto exported = std::find_if(layouts.cbegin(), layouts.cend(),
                                     [](const Layout& l) { return l.legend_visible; });
  ASSERT_NE(exported, layouts.cend());
  EXPECT_FALSE(exported->legend.intersects(exported->plot));
  EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(exported->legend));
  EXPECT_GT(exported->legend.top(), exported->plot.bottom());
  // Five entries side by side rather than a tall column.
  EXPECT_LT(exported->legend.height(), exported->plot.height() / 4);

  EXPECT_FALSE(chart->legend->visible());
  EXPECT_EQ(chart->plotLayout()->rowCount(), 1);
  EXPECT_EQ(chart->axisRect()->rect(), view_plot);
}

class GraphMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w.Plot("x^2"));
    w.graph.resize(800, 600);
    chart()->replot();
    centre = chart()->axisRect()->rect().center();
    revision = w.model().revision();
  }
  ChartView* chart() { return w.graph.chart(); }
  void Wheel(QPoint at, int delta) {
    QWheelEvent wheel(QPointF(at), QPointF(chart()->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart(), &wheel);
  }
  // Sent straight to the chart: a bare move through the test library goes
  // by the cursor position, which may lie over another top-level window.
  void Hover(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(chart()->mapToGlobal(at)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart(), &move);
  }
  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(chart(), button, Qt::NoModifier, from);
    QTest::mouseMove(chart(), (from + to) / 2);
    QTest::mouseMove(chart(), to);
    QTest::mouseRelease(chart(), button, Qt::NoModifier, to);
  }

  PlotWindows w;
  QPoint centre;
  std::uint64_t revision = 0;
};

TEST_F(GraphMouseTest, ZoomPanAndDoubleClickLeaveTheSeriesAlone) {
  const QCPRange x0 = chart()->xAxis->range();
  const QCPRange y0 = chart()->yAxis->range();

  Wheel(centre, 120);
  EXPECT_LT(chart()->xAxis->range().size(), x0.size());
  EXPECT_LT(chart()->yAxis->range().size(), y0.size());

  const QCPRange zoomed = chart()->xAxis->range();
  Drag(Qt::LeftButton, centre, centre + QPoint(100, 0));
  EXPECT_LT(chart()->xAxis->range().lower, zoomed.lower);
  EXPECT_NEAR(chart()->xAxis->range().size(), zoomed.size(), 1e-9);

  QTest::mouseDClick(chart(), Qt::LeftButton, Qt::NoModifier, centre);
  EXPECT_EQ(chart()->xAxis->range(), x0);
  EXPECT_EQ(chart()->yAxis->range(), y0);

  const QPoint corner = centre + QPoint(80, 60);
  const double left = chart()->xAxis->pixelToCoord(centre.x());
  const double right = chart()->xAxis->pixelToCoord(corner.x());
  const double pixel = chart()->xAxis->range().size() / chart()->axisRect()->width();
  Drag(Qt::RightButton, centre, corner);
  EXPECT_NEAR(chart()->xAxis->range().lower, left, 1.5 * pixel);
  EXPECT_NEAR(chart()->xAxis->range().upper, right, 1.5 * pixel);

  EXPECT_EQ(w.model().revision(), revision);
  EXPECT_EQ(chart()->graph(0)->dataCount(), 201);
}

TEST_F(GraphMouseTest, TraceShowsTheNearestSample) {
  const ChartPoint point = w.model().series(1).points()[150];
  const QPoint at(qRound(chart()->xAxis->coordToPixel(point.x)),
                  qRound(chart()->yAxis->coordToPixel(point.y)));
  Hover(at);
  const auto sample = chart()->NearestSample(QPointF(at));
  ASSERT_TRUE(sample.has_value());
  EXPECT_EQ(sample->number, 1u);
  EXPECT_EQ(sample->x, point.x);
  EXPECT_EQ(sample->y, point.y);
  const QString expected =
      QStringLiteral("x^2   x = %1   y = %2")
          .arg(QString::fromStdString(FloatToStr(static_cast<long double>(point.x))),
               QString::fromStdString(FloatToStr(static_cast<long double>(point.y))));
  EXPECT_EQ(Label(&w.graph, "trace"), expected);

  Hover(QPoint(2, 2));  // outside the axes
  EXPECT_TRUE(Label(&w.graph, "trace").isEmpty());
}

}  // namespace
}  // namespace korvex
