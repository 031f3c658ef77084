// The Edit and Copy_all commands: each is one or two messages to the text.
#include <richedit.h>

#include "MainForm.h"

void TMainForm::EditUndo(Component*) {
  if (RichEdit1.Handle()) RichEdit1.Send(EM_UNDO);
}

void TMainForm::EditCut(Component*) { RichEdit1.Send(WM_CUT); }

void TMainForm::EditCopy(Component*) { RichEdit1.Send(WM_COPY); }

void TMainForm::EditPaste(Component*) { RichEdit1.Send(WM_PASTE); }

void TMainForm::Selectall1Click(Component*) { RichEdit1.Send(EM_SETSEL, 0, -1); }

void TMainForm::Copyall2Click(Component*) {
  RichEdit1.Send(EM_SETSEL, 0, -1);
  RichEdit1.Send(WM_COPY);
}
