// Rich text as HTML for a text box: the small part of RTF that the version
// history is written in (groups, paragraphs, bold, italic, underline, font
// sizes, centring, escaped and Unicode characters).
#pragma once

#include <string>
#include <string_view>

namespace korvex {

// True when `text` starts as an RTF document does.
bool LooksLikeRtf(std::string_view text);

// UTF-8 HTML, one <p> per RTF paragraph. Font and colour tables, style
// sheets, document information and every destination marked "\*" are
// skipped, as are control words outside the subset. Bytes of the text
// itself and "\'hh" escapes are read as Windows-1252.
std::string RtfToHtml(std::string_view rtf);

}  // namespace korvex
