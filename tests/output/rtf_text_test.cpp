// The RTF reader of the version history: what each part of the subset turns
// into, and what it leaves out.
#include "output/rtf_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvex {
namespace {

std::string P(const std::string& inner) {
  return "<p style=\"margin:0;white-space:pre-wrap;\">" + inner + "</p>";
}
std::string Span(const std::string& style, const std::string& inner) {
  return "<span style=\"" + style + "\">" + inner + "</span>";
}
std::string Body(const std::string& inner) { return "<html><body>" + inner + "</body></html>"; }

TEST(RtfToHtml, TurnsTheSubsetIntoParagraphsAndSpans) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string body;
  };
  const Case cases[] = {
      {"paragraphs, line ends ignored", "{\\rtf1 one\\par\r\ntwo\\par}", P("one") + P("two")},
      {"text after the last \\par is a paragraph too", "{\\rtf1 a\\par b}", P("a") + P("b")},
      {"an empty paragraph is a blank line", "{\\rtf1 a\\par\\par b}",
       P("a") + P("&nbsp;") + P("b")},
      {"tables and info are skipped",
       "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Sans;}}{\\colortbl;\\red255\\green0\\blue0;}"
       "{\\info{\\title T}}{\\*\\generator G;}x}",
       P("x")},
      {"bold on and off, and ended by its group", "{\\rtf1 \\b B\\b0  n {\\b g} n}",
       P(Span("font-weight:bold;", "B") + " n " + Span("font-weight:bold;", "g") + " n")},
      {"italic, underline and sizes in half points",
       "{\\rtf1 {\\i i}{\\ul u\\ulnone v}{\\fs28 h}{\\fs21 s}}",
       P(Span("font-style:italic;", "i") + Span("text-decoration:underline;", "u") + "v" +
         Span("font-size:14pt;", "h") + Span("font-size:10.5pt;", "s"))},
      {"\\plain resets the characters, \\pard the paragraph",
       "{\\rtf1\\qc\\b c\\par\\pard\\plain l}",
       "<p style=\"margin:0;white-space:pre-wrap;text-align:center;\">" +
           Span("font-weight:bold;", "c") + "</p>" + P("l")},
      {"escaped bytes are Windows-1252", "{\\rtf1 caf\\'e9 \\'80 \\'93q\\'94}",
       P("caf\u00e9 \u20ac \u201cq\u201d")},
      {"\\u with its fallback dropped", "{\\rtf1 a\\u8364?b\\uc2\\u-3913xyc}",
       P("a\u20acb\uf0b7c")},
      {"literal braces, backslash and HTML specials", "{\\rtf1 \\{x\\} \\\\ <&>\"}",
       P("{x} \\ &lt;&amp;&gt;&quot;")},
      {"symbol words", "{\\rtf1 a\\tab b\\line c\\bullet\\emdash}", P("a\tb<br>c\u2022\u2014")},
      {"unknown words vanish with their space", "{\\rtf1 \\sa120\\lang1033 x\\-y}", P("xy")},
      {"unbalanced or cut-off input still ends", "{\\rtf1 {\\b x\\'4",
       P(Span("font-weight:bold;", "x"))},
  };
  for (const Case& c : cases) EXPECT_EQ(RtfToHtml(c.rtf), Body(c.body)) << c.name;
}

TEST(RtfToHtml, RecognisesAnRtfDocumentByItsStart) {
  EXPECT_TRUE(LooksLikeRtf("{\\rtf1\\ansi x}"));
  EXPECT_FALSE(LooksLikeRtf("Version 1.1\\par"));
  EXPECT_FALSE(LooksLikeRtf(" {\\rtf1"));
}

}  // namespace
}  // namespace korvex
