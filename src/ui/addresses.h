// The outside addresses the program hands to the desktop: home page, bug
// reports, donations and the two codec download pages, all in one place.
#pragma once

#include <QString>

namespace korvex {

class Shell;

inline constexpr const char* kHomePageAddress = "https://korvex.example.org";
inline constexpr const char* kBugReportAddress = "bugs@korvex.example.org";
inline constexpr const char* kBugReportSubject = "Korvex: Report a bug";
inline constexpr const char* kDonationRecipient = "donate@korvex.example.org";
inline constexpr const char* kPaymentHost = "https://payments.example.com";
inline constexpr const char* kDivxDownloadPage = "https://korvex.example.org/codecs/divx.html";
inline constexpr const char* kXvidDownloadPage = "https://korvex.example.org/codecs/xvid.html";

// "mailto:" + address + "?subject=" + the subject, percent-encoded where a
// mail link needs it.
QString BugReportLink();

// Help > "Report a bug".
void ReportBug(Shell& shell);

}  // namespace korvex
