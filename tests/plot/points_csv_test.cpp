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
  EXPECT_EQ(PointsCsv(series, CsvHeader::kWithout), lines);
  EXPECT_EQ(PointsCsv(series, CsvHeader::kWith), std::string("x,y\n") + lines);
}

TEST(PointsCsv, SeriesWithoutPoints) {
  const ChartSeries empty("f");
  EXPECT_EQ(PointsCsv(empty, CsvHeader::kWithout), "");
  EXPECT_EQ(PointsCsv(empty, CsvHeader::kWith), "x,y\n");
}

}  // namespace
}  // namespace korvex
