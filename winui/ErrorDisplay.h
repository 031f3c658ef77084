#pragma once
#include "Exceptions.h"

namespace winui {

// Reports an exception that escaped a handler: cancels any mouse capture,
// drops a SilentAbort, shows anything else in the error box.
void ReportHandlerError(const core::Exception& error) noexcept;

// The same for whatever the catch block that calls it has caught: an
// exception of the library by its message, running out of memory and
// anything else by a German text of its own.
void ReportCaughtFailure() noexcept;

// The error box: the message with "." appended, captioned with the
// application title, stop icon, owned by the application window.
void ShowErrorMessage(const core::Exception& error);

// Runs a handler so that nothing it throws goes any further: every failure
// is reported as above, and then the handler's result is onFailure.
template <typename Handler, typename Result>
Result Guarded(Handler&& handler, Result onFailure) noexcept {
  try {
    return handler();
  } catch (...) {
    ReportCaughtFailure();
  }
  return onFailure;
}

}  // namespace winui
