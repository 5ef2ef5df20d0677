// Which way the program's exception handler takes with an error: a quiet line in "Errors.txt",
// the registry question, or the report dialog.
#pragma once

#include <exception>

namespace report {

enum class ErrorHandling {
  QuietLog,          // one line in "Errors.txt", nothing shown
  RegistryQuestion,  // ask whether to report a registry error at all, then the report dialog
  ReportDialog,
};

// The kinds (with their descendants) that are only logged while the program can go on.
bool IsQuietlyLoggedKind(const std::exception_ptr& error);

ErrorHandling ChooseErrorHandling(const std::exception_ptr& error, bool canContinue);

// The registry question's text: four lines joined by CR LF.
extern const char kRegistryQuestion[];

}  // namespace report
