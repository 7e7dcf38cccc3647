// The PDF writer's file frame, its strings and the fonts' measures.
#include "report/pdf_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/pdf_fonts.h"
#include "report/pdf_reading.h"

namespace korvex {
namespace {

TEST(PdfWriterTest, FileHasItsPagesObjectsAndInformation) {
  PdfDocument document(kPaperLetter);
  PdfPage& first = document.AddPage();
  first.SetFillColour({255, 0, 0});
  first.Text({72, 100}, PdfFont::kHelveticaBold, 12, "a(b)c\\d");
  first.StrokeRectangle({10, 20}, 30, 40);
  document.AddPage().Polyline(std::vector<PdfPoint>{{0, 0}, {1.5, 2}, {3, 0.25}});
  const std::string pdf = document.Bytes("Korvex report", "Korvex");

  EXPECT_EQ(PdfStructureProblems(pdf), "");
  EXPECT_NE(pdf.find("/Count 2 /MediaBox [0 0 612 792]"), std::string::npos);
  EXPECT_NE(pdf.find("/Title (Korvex report) /Creator (Korvex)"), std::string::npos);
  for (const char* font : {"/Helvetica ", "/Helvetica-Bold ", "/Courier "})
    EXPECT_NE(pdf.find(std::string("/BaseFont ") + font + "/Encoding /WinAnsiEncoding"),
              std::string::npos)
        << font;

  const std::vector<std::string> pages = PdfPageContents(pdf);
  ASSERT_EQ(pages.size(), 2u);
  // Page coordinates run from the top; PDF's from the bottom.
  EXPECT_NE(pages[0].find("1 0 0 rg\nBT /F2 12 Tf 72 692 Td (a\\(b\\)c\\\\d) Tj ET\n"),
            std::string::npos);
  EXPECT_NE(pages[0].find("10 732 30 40 re S\n"), std::string::npos);
  EXPECT_EQ(pages[1], "0 792 m\n1.5 790 l\n3 791.75 l\nS\n");
  EXPECT_EQ(PdfShownText(pages[0]), "a(b)c\\d\n");
}

TEST(PdfWriterTest, EmptyDocumentIsStillWellFormed) {
  EXPECT_EQ(PdfStructureProblems(PdfDocument(kPaperA4).Bytes("t", "c")), "");
}

TEST(PdfFontsTest, TextBecomesWinAnsiWithQuestionMarksForTheRest) {
  const std::pair<const char*, const char*> cases[] = {
      {"x^2+1", "x^2+1"},
      {"caf\xC3\xA9 \xC2\xB1", "caf\xE9 \xB1"},  // Latin-1 letters keep their byte
      {"\xCF\x80\xE2\x82\xAC", "??"},            // pi and the euro sign are outside it
      {"\xF0\x9F\x98\x80!", "?!"},               // four bytes, one character
      {"a\tb\xC2\x85", "a?b?"},                  // control characters
      {"\xFF\xC3", "??"},                        // not UTF-8, and cut short
  };
  for (const auto& [utf8, win_ansi] : cases) EXPECT_EQ(WinAnsiText(utf8), win_ansi) << utf8;
}

TEST(PdfFontsTest, WidthsFollowEachFont) {
  struct Case {
    PdfFont font;
    const char* text;
    double width;  // at 10 points
  };
  const Case cases[] = {
      {PdfFont::kHelvetica, "Hello", 22.78},      // 722+556+222+222+556
      {PdfFont::kHelveticaBold, "Hello", 24.45},  // 722+556+278+278+611
      {PdfFont::kHelvetica, "' `~", 13.86},       // quotesingle, space, grave, tilde
      {PdfFont::kCourier, "iW 1", 24},            // every glyph 600
      {PdfFont::kHelvetica, "", 0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(PdfTextWidth(c.font, 10, c.text), c.width, 1e-9) << c.text;
  // Beyond ASCII a proportional glyph is never taken narrower than a capital.
  EXPECT_GE(PdfTextWidth(PdfFont::kHelvetica, 10, "\xC6"),
            PdfTextWidth(PdfFont::kHelvetica, 10, "A"));
}

}  // namespace
}  // namespace korvex
