// The descriptions of the error report dialogs: the report dialog (TErrorReport), its optional
// data dialog (TErrorReportOptionalData) and its details dialog (TErrorReportReportingDetails).
#pragma once

#include "ui/form_description.h"

const ui::FormDescription& ErrorReportDescription();
const ui::FormDescription& ErrorReportOptionalDataDescription();
const ui::FormDescription& ErrorReportReportingDetailsDescription();
