// Escaping of report texts for HTML and Markdown, and base64 for pictures
// inside an HTML file.
#pragma once

#include <string>
#include <string_view>

namespace korvex {

std::string EscapeHtml(std::string_view text);
// Inside a Markdown table cell: the cell's bars and line breaks, and the
// characters that would start emphasis, links or code.
std::string EscapeMarkdownCell(std::string_view text);
std::string Base64(std::string_view bytes);

}  // namespace korvex
