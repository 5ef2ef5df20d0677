// The program's exception handler: every unhandled error that the crash capture engine catches
// ends here. Errors of the harmless kinds are noted in "Errors.txt" while the program can go on;
// the others bring up the error report dialog, after which a program that cannot go on ends.
#pragma once

#include "crash/error_report.h"

// Handles one error; true on every path that completes. False when "Errors.txt" cannot be
// written: the error stays unhandled and the engine passes its report to the debugger.
bool ReportException(const crash::ErrorReport& report);

// Makes ReportException the engine's exception handler; once, at start-up, after the engine.
void RegisterExceptionHandler();
