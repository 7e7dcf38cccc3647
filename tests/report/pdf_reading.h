// Reading back the PDF files the report writes: their structure, the text
// each page draws, and what pdftotext makes of them where it is installed.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace korvex {

// What is wrong with the file's frame: its header, each cross-reference
// entry (which must point at its "n 0 obj"), the trailer's /Size and
// startxref. Empty when nothing is.
inline std::string PdfStructureProblems(const std::string& pdf) {
  if (pdf.rfind("%PDF-1.4\n", 0) != 0) return "no %PDF-1.4 header";
  const std::size_t xref = pdf.rfind("\nxref\n");
  if (xref == std::string::npos) return "no xref table";
  std::istringstream table(pdf.substr(xref + 6));
  std::size_t first = 0, count = 0;
  table >> first >> count;
  if (first != 0 || count < 2) return "xref does not start at object 0";
  std::string offset, generation, kind;
  table >> offset >> generation >> kind;
  if (kind != "f") return "object 0 is not free";
  for (std::size_t object = 1; object < count; ++object) {
    table >> offset >> generation >> kind;
    const std::string expected = std::to_string(object) + " 0 obj\n";
    if (kind != "n" || pdf.compare(std::stoul(offset), expected.size(), expected) != 0)
      return "xref entry of object " + std::to_string(object) + " is wrong";
  }
  // "trailer\n<< /Size N ...>>\nstartxref\nOFFSET\n%%EOF\n" ends the file.
  const std::size_t trailer = pdf.rfind("trailer\n<< /Size ");
  const std::size_t startxref = pdf.rfind(">>\nstartxref\n");
  const std::string end = "\n%%EOF\n";
  if (trailer == std::string::npos || startxref == std::string::npos || startxref < trailer ||
      pdf.size() < end.size() || pdf.compare(pdf.size() - end.size(), end.size(), end) != 0)
    return "no trailer";
  const std::string size = pdf.substr(trailer + 17, pdf.find(' ', trailer + 17) - (trailer + 17));
  if (size != std::to_string(count)) return "trailer /Size " + size;
  const std::size_t offset_at = startxref + 13;
  const std::string start = pdf.substr(offset_at, pdf.size() - end.size() - offset_at);
  if (start != std::to_string(xref + 1)) return "startxref " + start;
  return "";
}

// The content streams in file order, which is page order.
inline std::vector<std::string> PdfPageContents(const std::string& pdf) {
  std::vector<std::string> pages;
  for (std::size_t at = pdf.find("stream\n"); at != std::string::npos;
       at = pdf.find("stream\n", at)) {
    at += 7;
    const std::size_t end = pdf.find("endstream", at);
    pages.push_back(pdf.substr(at, end - at));
    at = end + 9;
  }
  return pages;
}

// The strings a content stream shows, unescaped, one a line.
inline std::string PdfShownText(const std::string& content) {
  // Each "(...) Tj": the string runs to the first unescaped ")".
  std::string text;
  for (std::size_t at = content.find('('); at != std::string::npos; at = content.find('(', at)) {
    std::string shown;
    std::size_t i = at + 1;
    for (; i < content.size() && content[i] != ')'; ++i) {
      if (content[i] == '\\' && i + 1 < content.size()) ++i;
      shown += content[i];
    }
    at = i + 1;
    if (content.compare(at, 3, " Tj") == 0) text += shown + '\n';
  }
  return text;
}

// pdftotext's reading of the file, or nothing where it is not installed.
inline std::optional<std::string> PdfToText(const std::string& pdf) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) return std::nullopt;
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("korvex-pdftext-" + std::to_string(::getpid()));
  {
    std::ofstream file(path, std::ios::binary);
    file << pdf;
  }
  std::string text;
  if (FILE* pipe = ::popen(("pdftotext '" + path.string() + "' - 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      text.append(buffer, read);
    ::pclose(pipe);
  }
  std::filesystem::remove(path);
  return text;
}

}  // namespace korvex
