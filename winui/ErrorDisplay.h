#pragma once
#include "Exceptions.h"

namespace winui {

// Reports an exception that escaped a handler: cancels any mouse capture,
// drops a SilentAbort, shows anything else in the error box.
void ReportHandlerError(const core::Exception& error);

// The error box: the message with "." appended, captioned with the
// application title, stop icon, owned by the application window.
void ShowErrorMessage(const core::Exception& error);

}  // namespace winui
