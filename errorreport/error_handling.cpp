#include "errorreport/error_handling.h"

#include "ui/exceptions.h"

namespace report {

const char kRegistryQuestion[] =
    "There was a problem accessing or writing to the registry. \r\n"
    "Either the application cannot create a new key in the registry, \r\n"
    "or there was a problem reading a data value associated with a key.\r\n"
    "Do you wish to send an error report?";

bool IsQuietlyLoggedKind(const std::exception_ptr& error) {
  return IsKindOf<EDivByZero>(error) || IsKindOf<EZeroDivide>(error) || IsKindOf<EInvalidOp>(error) ||
         IsKindOf<EListError>(error) || IsKindOf<ERegistryException>(error) || IsKindOf<EConvertError>(error) ||
         IsKindOf<EClassNotFound>(error) || IsKindOf<EInvalidOperation>(error);
}

ErrorHandling ChooseErrorHandling(const std::exception_ptr& error, bool canContinue) {
  if (canContinue && IsQuietlyLoggedKind(error)) return ErrorHandling::QuietLog;
  if (IsKindOf<ERegistryException>(error)) return ErrorHandling::RegistryQuestion;
  return ErrorHandling::ReportDialog;
}

}  // namespace report
