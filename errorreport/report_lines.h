// The texts of the error report dialog: its header, the details it shows, and the report lines it
// hands to the sending window.
#pragma once

#include <string>
#include <vector>

namespace report {

// The dialog's header: the problem, and whether the program has to close because of it.
std::string ReportHeader(bool canContinue);

// The engine's report text as lines (split at CR LF, CR or LF, as a list of lines takes a text),
// headed by "Application CANNOT Continue" and an empty line when the program cannot go on.
std::vector<std::string> BugReportLinesOf(const std::string& reportText, bool canContinue);

// What the sending window mails: the description (when there is one, even a single empty line)
// under "Error description:", whether the customer wants to be contacted, then the details.
std::vector<std::string> SendReportLines(const std::vector<std::string>& descriptionLines, bool customerWantsContact,
                                         const std::vector<std::string>& bugReportLines);

}  // namespace report
