// Document files and printing. The commands are wired; their work arrives
// with the file and print support.
#include "MainForm.h"

void TMainForm::FileNew(Component*) {}
void TMainForm::FileOpen(Component*) {}
void TMainForm::FileSave(Component*) {}
void TMainForm::FileSaveAs(Component*) {}
void TMainForm::FilePrint(Component*) {}
void TMainForm::FormCloseQuery(Component*, bool&) {}
