#include "errorreport/report_lines.h"

namespace report {

std::string ReportHeader(bool canContinue) {
  return std::string(canContinue ? "This application has encountered a problem."
                                 : "This application has encountered a problem and needs to close.") +
         "\r\nWe are sorry for the inconvenience this may cause.";
}

std::vector<std::string> BugReportLinesOf(const std::string& reportText, bool canContinue) {
  std::vector<std::string> lines;
  if (!canContinue) lines = {"Application CANNOT Continue", ""};
  std::string line;
  for (size_t i = 0; i < reportText.size(); ++i) {
    const char c = reportText[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < reportText.size() && reportText[i + 1] == '\n') ++i;
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);  // a final line break starts no further line
  return lines;
}

std::vector<std::string> SendReportLines(const std::vector<std::string>& descriptionLines, bool customerWantsContact,
                                         const std::vector<std::string>& bugReportLines) {
  std::vector<std::string> lines;
  if (!descriptionLines.empty()) {
    lines.push_back("Error description:");
    lines.insert(lines.end(), descriptionLines.begin(), descriptionLines.end());
  }
  lines.push_back("");
  lines.push_back(std::string("Customer wants to be contacted: ") + (customerWantsContact ? "YES" : "NO"));
  lines.push_back("");
  lines.insert(lines.end(), bugReportLines.begin(), bugReportLines.end());
  return lines;
}

}  // namespace report
