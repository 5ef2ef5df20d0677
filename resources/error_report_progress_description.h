// The description of the window that sends an error report (TErrorReportProgress).
#pragma once

#include "ui/form_description.h"

const ui::FormDescription& ErrorReportProgressDescription();
