// Character and paragraph formatting between the toolbar and the text.
// The handlers are wired; their work arrives with the formatting support.
#include "MainForm.h"

void TMainForm::SelectionChange(Component*) {}
void TMainForm::BoldButtonClick(Component*) {}
void TMainForm::ItalicButtonClick(Component*) {}
void TMainForm::UnderlineButtonClick(Component*) {}
void TMainForm::FontSizeChange(Component*) {}
void TMainForm::FontNameChange(Component*) {}
void TMainForm::AlignButtonClick(Component*) {}
void TMainForm::BulletsButtonClick(Component*) {}
void TMainForm::SelectFont(Component*) {}
