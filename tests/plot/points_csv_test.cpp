// The CSV lines of a series' points, shared by the graph's export and the CLI.
#include "plot/points_csv.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>

namespace korvex {
namespace {

ChartSeries SeriesOf(std::initializer_list<ChartPoint> points) {
  ChartSeries series("f");
  for (const ChartPoint& point : points) series.Append(point.x, point.y);
  return series;
}

TEST(PointsCsv, ShortestTextThatReadsBackWithADecimalPoint) {
  const ChartSeries series = SeriesOf({
      {-1.5, 2.25},
      {0.1, 1.0 / 3},
      {0.1 + 0.2, -0.0},  // one digit more than 0.3 keeps the double apart
      {1e21, 5e-324},
      {2, std::numeric_limits<double>::infinity()},
      {100000, 0.00002},  // plain decimals where exponents would only save a digit
      {1e15, 1e-6},
  });
  const char* const lines =
      "-1.5,2.25\n"
      "0.1,0.3333333333333333\n"
      "0.30000000000000004,-0\n"
      "1e+21,5e-324\n"
      "2,inf\n"
      "100000,0.00002\n"
      "1e+15,1e-06\n";
  EXPECT_EQ(PointsCsv(series, {}, CsvHeader::kWithout), lines);
  EXPECT_EQ(PointsCsv(series, {}, CsvHeader::kWith), std::string("x,y\n") + lines);
}

TEST(PointsCsv, ValuesAreTheTableLinesNumberTexts) {
  // The doubles of the chart cannot hold these; the lines' texts can.
  const ChartSeries series = SeriesOf({
      {1000, std::numeric_limits<double>::infinity()},
      {-0.5, 0},
      {1e-320, std::numeric_limits<double>::quiet_NaN()},
      {7, 8},
  });
  const std::string table_lines[] = {
      "x: 1000 = f(x): 1E1000",
      "x: -0,5 = f(x): -1,5E-1000",
      "t: 1E-320 = f'(t): NAN",
  };
  // The fourth point has no line and keeps the double's shortest form.
  EXPECT_EQ(PointsCsv(series, table_lines, CsvHeader::kWithout),
            "1000,1E1000\n"
            "-0.5,-1.5E-1000\n"
            "1E-320,NAN\n"
            "7,8\n");
  EXPECT_EQ(CsvNumber("-0,333333333333333"), "-0.333333333333333");
  EXPECT_EQ(CsvNumber("-INF"), "-INF");
}

TEST(PointsCsv, SeriesWithoutPoints) {
  const ChartSeries empty("f");
  EXPECT_EQ(PointsCsv(empty, {}, CsvHeader::kWithout), "");
  EXPECT_EQ(PointsCsv(empty, {}, CsvHeader::kWith), "x,y\n");
}

}  // namespace
}  // namespace korvex
