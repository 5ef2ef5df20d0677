// What: which way the exception handler takes with each kind of error, and the texts of the
// report dialog: its header, the details it shows, and the lines it hands over for the mail.
// Why: a harmless error that brings up a dialog, a crash that is only logged, a description that
// goes missing or a "contact me" that says NO hide what the user told us.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errorreport/error_handling.h"
#include "errorreport/report_lines.h"
#include "ui/exceptions.h"

namespace {

using report::ErrorHandling;
using Lines = std::vector<std::string>;

class ECustomConvertError : public EConvertError {
 public:
  ECustomConvertError() : EConvertError("custom", "ECustomConvertError") {}
};

TEST(ExceptionHandling, QuietKindsAreLoggedOnlyWhileTheProgramCanGoOn) {
  const struct {
    const char* what;
    std::exception_ptr error;
    ErrorHandling canContinue, cannotContinue;
  } cases[] = {
      {"EDivByZero", std::make_exception_ptr(EDivByZero("x")), ErrorHandling::QuietLog, ErrorHandling::ReportDialog},
      {"EZeroDivide", std::make_exception_ptr(EZeroDivide("x")), ErrorHandling::QuietLog, ErrorHandling::ReportDialog},
      {"EInvalidOp", std::make_exception_ptr(EInvalidOp("x")), ErrorHandling::QuietLog, ErrorHandling::ReportDialog},
      {"EListError", std::make_exception_ptr(EListError("x")), ErrorHandling::QuietLog, ErrorHandling::ReportDialog},
      {"EConvertError", std::make_exception_ptr(EConvertError("x")), ErrorHandling::QuietLog,
       ErrorHandling::ReportDialog},
      {"a descendant of EConvertError", std::make_exception_ptr(ECustomConvertError()), ErrorHandling::QuietLog,
       ErrorHandling::ReportDialog},
      {"EClassNotFound", std::make_exception_ptr(EClassNotFound("x")), ErrorHandling::QuietLog,
       ErrorHandling::ReportDialog},
      {"EInvalidOperation", std::make_exception_ptr(EInvalidOperation("x")), ErrorHandling::QuietLog,
       ErrorHandling::ReportDialog},
      {"ERegistryException", std::make_exception_ptr(ERegistryException("x")), ErrorHandling::QuietLog,
       ErrorHandling::RegistryQuestion},
      // Kinds that are never only logged.
      {"EAccessViolation", std::make_exception_ptr(EAccessViolation("x")), ErrorHandling::ReportDialog,
       ErrorHandling::ReportDialog},
      {"EIntOverflow beside EDivByZero", std::make_exception_ptr(EIntOverflow("x")), ErrorHandling::ReportDialog,
       ErrorHandling::ReportDialog},
      {"EOverflow beside EZeroDivide", std::make_exception_ptr(EOverflow("x")), ErrorHandling::ReportDialog,
       ErrorHandling::ReportDialog},
      {"EOSError", std::make_exception_ptr(EOSError("x")), ErrorHandling::ReportDialog, ErrorHandling::ReportDialog},
      {"the base Exception", std::make_exception_ptr(Exception("x")), ErrorHandling::ReportDialog,
       ErrorHandling::ReportDialog},
      {"std::out_of_range", std::make_exception_ptr(std::out_of_range("x")), ErrorHandling::ReportDialog,
       ErrorHandling::ReportDialog},
      {"no exception object", std::exception_ptr(), ErrorHandling::ReportDialog, ErrorHandling::ReportDialog},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(report::ChooseErrorHandling(c.error, true), c.canContinue) << c.what;
    EXPECT_EQ(report::ChooseErrorHandling(c.error, false), c.cannotContinue) << c.what;
  }
}

TEST(ReportLines, TheHeaderSaysWhetherTheProgramMustClose) {
  EXPECT_EQ(report::ReportHeader(true),
            "This application has encountered a problem.\r\nWe are sorry for the inconvenience this may cause.");
  EXPECT_EQ(report::ReportHeader(false),
            "This application has encountered a problem and needs to close.\r\n"
            "We are sorry for the inconvenience this may cause.");
}

TEST(ReportLines, TheEnginesReportBecomesLinesHeadedByCannotContinue) {
  const struct {
    const char* text;
    bool canContinue;
    Lines expected;
  } cases[] = {
      {"Exception: EAccessViolation\r\nMessage: x\r\n\r\n  #0 f",
       true,
       {"Exception: EAccessViolation", "Message: x", "", "  #0 f"}},
      {"a\r\nb", false, {"Application CANNOT Continue", "", "a", "b"}},
      {"a\nb\rc\r\n", true, {"a", "b", "c"}},  // every line end, none after the last line
      {"a\r\n\r\n", true, {"a", ""}},
      {"", true, {}},
      {"", false, {"Application CANNOT Continue", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(report::BugReportLinesOf(c.text, c.canContinue), c.expected) << c.text;
  }
}

TEST(ReportLines, TheMailedLinesCarryTheDescriptionTheContactWishAndTheDetails) {
  const Lines details = {"Application CANNOT Continue", "", "Exception: EAccessViolation"};
  const struct {
    const char* what;
    Lines description;
    bool contact;
    Lines expected;
  } cases[] = {
      {"nothing added",
       {},
       false,
       {"", "Customer wants to be contacted: NO", "", "Application CANNOT Continue", "",
        "Exception: EAccessViolation"}},
      {"a description and contact",
       {"I clicked Up.", "Then it closed."},
       true,
       {"Error description:", "I clicked Up.", "Then it closed.", "", "Customer wants to be contacted: YES", "",
        "Application CANNOT Continue", "", "Exception: EAccessViolation"}},
      {"a description of one empty line still counts",
       {""},
       false,
       {"Error description:", "", "", "Customer wants to be contacted: NO", "", "Application CANNOT Continue", "",
        "Exception: EAccessViolation"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(report::SendReportLines(c.description, c.contact, details), c.expected) << c.what;
  }
}

}  // namespace
