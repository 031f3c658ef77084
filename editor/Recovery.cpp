// The recovery copy: unsaved text survives a crash. A change starts a
// timer; when it fires, the modified document is written to this editor's
// copy. New, Open, a successful Save and a clean exit remove the copy; at
// start a copy left by an editor that ended is offered for restoring.
#include <richedit.h>

#include "ControlIds.h"
#include "ControlStreams.h"
#include "DocumentStreams.h"
#include "EditorTexts.h"
#include "Exceptions.h"
#include "MainForm.h"
#include "MessageDialog.h"
#include "TextFormat.h"

namespace {

// The copy is at most this old when the editor crashes: the first change
// after a copy starts the timer, later ones wait for it.
constexpr UINT RecoveryDelay = 5000;

// The system's short date and time of a file time, in local time.
std::string LocalTimeText(const FILETIME& time) {
  FILETIME local{};
  SYSTEMTIME parts{};
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &parts)) return "";
  char date[64] = {}, clock[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &parts, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &parts, nullptr, clock, sizeof clock);
  return std::string(date) + " " + clock;
}

}  // namespace

void TMainForm::NoteChange() {
  if (!recoveryTimer_) recoveryTimer_ = SetTimer(Handle(), RecoveryTimerId, RecoveryDelay, nullptr);
}

void TMainForm::WriteRecoveryCopy() {
  if (recoveryTimer_) KillTimer(Handle(), RecoveryTimerId);
  recoveryTimer_ = 0;
  // A plain edit gives no RTF; during a load or a save the document is
  // not yet, or not only, what the control shows: later.
  if (!RichEdit1.HasRichText()) return;
  if (BusyIndicator::Active()) {
    NoteChange();
    return;
  }
  if (!Modified()) {
    recovery_.Remove();
    return;
  }
  bool written = false;
  try {
    written = recovery_.Write(StreamOut(RichEdit1, SF_RTF), documentName_, true);
  } catch (const core::Exception&) {
  }
  if (!written) ShowStatus(texts::RecoveryNotWritten);
}

void TMainForm::DropRecoveryCopy() {
  if (recoveryTimer_) KillTimer(Handle(), RecoveryTimerId);
  recoveryTimer_ = 0;
  recovery_.Remove();
}

void TMainForm::OfferRecovery() {
  using winui::DialogButton;
  DocumentRecovery::Left left;
  while (recovery_.TakeOneLeft(left)) {
    const std::string question =
        core::FormatWith(texts::RestoreQuestion, left.documentName, LocalTimeText(left.written));
    if (winui::MessageDialog(question, winui::DialogType::Confirmation,
                             {DialogButton::Yes, DialogButton::No}, 0) != IDYES) {
      DocumentRecovery::Discard(left);
      continue;
    }
    RestoreLeftCopy(left);
    return;
  }
}

// The text and its name come back modified; the copy stays until this
// editor's own copy holds the text.
void TMainForm::RestoreLeftCopy(DocumentRecovery::Left& left) {
  try {
    const BusyIndicator busy = StartBusy(core::FormatWith(texts::Restoring, left.documentName));
    LoadDocument(RichEdit1, left.path);
  } catch (...) {
    DocumentRecovery::LetGo(left);
    throw;
  }
  SelectionChange(&RichEdit1);
  SetDocumentName(left.documentName);
  // Save writes the text back in the kind its file has.
  const LoadedDocument original = InspectDocument(left.documentName);
  SetDocumentKind(original.kind, !original.problems.empty());
  SetFocus(RichEdit1.Handle());
  RichEdit1.Send(EM_SETMODIFY, TRUE);
  WriteRecoveryCopy();
  if (recovery_.Written())
    DocumentRecovery::Discard(left);
  else
    DocumentRecovery::LetGo(left);
}
