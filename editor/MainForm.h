#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BusyIndicator.h"
#include "ButtonPanel.h"
#include "DocumentKind.h"
#include "DocumentRecovery.h"
#include "FileDialog.h"
#include "FindDialog.h"
#include "FontDialog.h"
#include "MenuItem.h"
#include "NativeControl.h"
#include "PageSetupDialog.h"
#include "Palette.h"
#include "Panel.h"
#include "PersianTyping.h"
#include "PrintDialog.h"
#include "ReadingView.h"
#include "RichEditControl.h"
#include "SpeedButton.h"
#include "StringGrid.h"
#include "Window.h"

using winui::Component;

// The editor's main window: toolbar, glyph palette, document and status
// line. Its handlers are spread over a few files by concern.
class TMainForm : public winui::Window {
 public:
  TMainForm();
  ~TMainForm() override;

  // Builds the window and its components, then runs FormCreate.
  void CreateForm();
  void Show();

  // Main window (MainForm.cpp)
  void FormCreate(Component* sender);
  void ShowHint(Component* sender);
  // A text on the status line until the next hint takes its place.
  void ShowStatus(const std::string& text);
  void SetDocumentName(const std::string& name);
  void FillFontNames();
  // At the first focus or opening of the font field.
  void FillFontNamesOnce();
  // A font was installed or removed while the editor runs.
  void FontsChanged();
  void SetEditMargins();
  void FormResize(Component* sender);
  void FormPaint(Component* sender);
  void FormActivate(Component* sender);
  void FileExit(Component* sender);
  void HelpAbout(Component* sender);
  const std::string& DocumentName() const { return documentName_; }
  core::DocumentKind DocumentKind() const { return documentKind_; }

  // Glyph palette and right-to-left input (PaletteInput.cpp)
  void FillPalette();
  void StringGrid1MouseDown(Component* sender, winui::MouseButton button, UINT shift, int x, int y);
  void StringGrid1KeyDown(Component* sender, WORD& key, UINT shift);
  void RichEdit1KeyPress(Component* sender, char& key);
  void RichEdit1KeyUp(Component* sender, WORD& key, UINT shift);

  // Persian from the keyboard (KeyboardInput.cpp)
  void KeyboardPersian(Component* sender);
  void KeyboardLatin(Component* sender);
  bool PersianKeyboard() const { return persianKeyboard_; }
  void RichEdit1KeyDown(Component* sender, WORD& key, UINT shift, UINT scanCode);
  // The style of a document without rich text: the glyph font of the text.
  static core::RunStyle PlainTextStyle();
  void WireReadingView();
  bool TakenByReadingView(WORD key, UINT shift);
  int steeringEnds_ = 0;  // End keys the Enter steering has queued

  // Files and printing (FileCommands.cpp)
  void FileNew(Component* sender);
  void FileOpen(Component* sender);
  // Opens a file as File/Open does, after its dialog; a relative name or
  // one with '/' becomes the full path it names now.
  void OpenDocument(const std::string& fileName, bool readOnly);
  // The document named on the command line, if any.
  void OpenFromCommandLine(const std::string& arguments);
  // Files dropped on the window: asks to save changes, opens the first.
  void FilesDropped(HDROP drop);
  void FileSave(Component* sender);
  void FileSaveAs(Component* sender);
  void FilePageSetup(Component* sender);
  void FilePrintPreview(Component* sender);
  void FilePrint(Component* sender);
  void FormCloseQuery(Component* sender, bool& canClose);
  void ConfirmSaveChanges();

  // Recovery copy (Recovery.cpp). At start: offers a copy that an editor
  // which has ended left, with the confirmation dialog.
  void OfferRecovery();
  // Writes the modified document to this editor's copy now (the timer a
  // change starts does it after a few seconds).
  void WriteRecoveryCopy();

  // Formatting and edit commands (Formatting.cpp, EditCommands.cpp)
  void SelectionChange(Component* sender);
  void BoldButtonClick(Component* sender);
  void ItalicButtonClick(Component* sender);
  void UnderlineButtonClick(Component* sender);
  void FontSizeChange(Component* sender);
  void FontNameChange(Component* sender);
  void AlignButtonClick(Component* sender);
  void BulletsButtonClick(Component* sender);
  void SelectFont(Component* sender);
  // The selection's attributes when it holds a character, else the default ones.
  const TextAttributes& ActiveTextAttributes();
  bool Updating() const { return updating_; }
  void EditUndo(Component* sender);
  void EditCut(Component* sender);
  void EditCopy(Component* sender);
  void EditPaste(Component* sender);
  // Unicode in and out (UnicodeClipboard.cpp).
  void EditCopyUnicode(Component* sender);
  void CopyAsUnicode(const RichEditControl& control, bool selectionOnly);
  void EditPasteUnicode(Component* sender);
  void Selectall1Click(Component* sender);
  // Find and Replace by letters, whatever forms they take (FindCommands.cpp).
  void EditFind(Component* sender);
  void EditFindNext(Component* sender);
  void EditReplace(Component* sender);
  void EditInsertDate(Component* sender);
  // The dialog of that kind, once opened; null before.
  TFindDialog* OpenedFindDialog(TFindDialog::Kind kind) const {
    return (kind == TFindDialog::Kind::Find ? findDialog_ : replaceDialog_).get();
  }
  void Copyall2Click(Component* sender);

  // Components, in declaration order.
  HMENU MainMenu = nullptr;
  winui::MenuItem FileNewItem{"FileNewItem"}, FileOpenItem{"FileOpenItem"},
      FileSaveItem{"FileSaveItem"}, FileSaveAsItem{"FileSaveAsItem"},
      FilePageSetupItem{"FilePageSetupItem"}, FilePrintPreviewItem{"FilePrintPreviewItem"},
      FilePrintItem{"FilePrintItem"}, FileExitItem{"FileExitItem"}, EditUndoItem{"EditUndoItem"},
      EditCutItem{"EditCutItem"}, EditCopyItem{"EditCopyItem"}, EditPasteItem{"EditPasteItem"},
      EditCopyUnicodeItem{"EditCopyUnicodeItem"}, EditPasteUnicodeItem{"EditPasteUnicodeItem"},
      KeyboardPersianItem{"KeyboardPersianItem"}, KeyboardLatinItem{"KeyboardLatinItem"},
      EditFindItem{"EditFindItem"}, EditFindNextItem{"EditFindNextItem"},
      EditReplaceItem{"EditReplaceItem"}, EditInsertDateItem{"EditInsertDateItem"},
      HelpAboutItem{"HelpAboutItem"};
  winui::FileDialog OpenDialog{
      "OpenDialog", winui::FileDialog::Kind::Open,
      "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*"};
  winui::FileDialog SaveDialog{
      "SaveDialog", winui::FileDialog::Kind::Save,
      "Rich Text Files (*.RTF)|*.RTF|Plain Text (*.txt)|*.txt|All (*.*)|*.*|"
      "Unicode Text (*.txt)|*.txt|Unicode RTF (*.rtf)|*.rtf|Web Page (*.htm)|*.htm"};
  winui::PrintDialog PrintDialog{"PrintDialog"};
  winui::PageSetupDialog PageSetupDialog{"PageSetupDialog", PrintDialog.Printer()};
  winui::ButtonPanel SpeedBar{"SpeedBar"};
  winui::SpeedButton OpenButton{"OpenButton"}, SaveButton{"SaveButton"}, PrintButton{"PrintButton"},
      UndoButton{"UndoButton"}, CutButton{"CutButton"}, CopyButton{"CopyButton"},
      PasteButton{"PasteButton"};
  Component Bevel1{"Bevel1"};
  winui::FontDialog FontDialog1{"FontDialog1"};
  winui::MenuItem N5{"N5"}, miEditFont{"miEditFont"};
  winui::SpeedButton BoldButton{"BoldButton"};
  winui::NativeControl FontName{"FontName"};
  winui::SpeedButton ItalicButton{"ItalicButton"}, LeftAlign{"LeftAlign", 0},
      CenterAlign{"CenterAlign", 2}, RightAlign{"RightAlign", 1},
      UnderlineButton{"UnderlineButton"}, BulletsButton{"BulletsButton"};
  RichEditControl RichEdit1{"RichEdit1"};
  // Shows RichEdit1's paragraphs in reading order, over it.
  ReadingView ReadingView1{RichEdit1, PlainTextStyle()};
  winui::NativeControl StatusBar{"StatusBar"};
  winui::NativeControl FontSize{"FontSize"};
  winui::NativeControl UpDown1{"UpDown1"};
  winui::StringGrid StringGrid1{"StringGrid1"};
  winui::MenuItem Copyall1{"Copyall1"}, Copyall2{"Copyall2"}, Selectall1{"Selectall1"}, N3{"N3"};

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateMenus();
  void CreateToolbar();
  void CreateToolbarButtons();
  void CreateComponents();
  void LayoutComponents();
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnNotify(const NMHDR& header);
  void OnMenuSelect(WPARAM wParam, LPARAM lParam);
  bool QueryClose();
  // True when the request must wait for the running command; it is then
  // answered once the command has ended.
  bool PutOffWhileBusy(bool& request);
  void AnswerPutOffRequests();
  void NoteChange();
  void DropRecoveryCopy();
  void RestoreLeftCopy(DocumentRecovery::Left& left);
  // The wait cursor and the text on the status line until it ends.
  BusyIndicator StartBusy(const std::string& doing);
  // Saves the document as a file of the kind, and makes that its kind.
  void SaveInKind(const std::string& fileName, core::DocumentKind kind);
  // holdsUnshown: the file holds characters that were opened as '?'.
  void SetDocumentKind(core::DocumentKind kind, bool holdsUnshown);
  bool Modified() const;
  void RefuseWithoutRichText() const;
  winui::MenuItem* FindMenuItem(UINT id);
  void ShowSelectionFormat();
  void ShowAlignment(int alignment);
  void StyleButtonClick(const winui::SpeedButton& button, StyleSet style);
  // Writes the palette cell's glyph at the caret; false if nothing was pasted.
  bool WriteCell(core::Cell cell);
  // Find and Replace (FindCommands.cpp)
  TFindDialog& FindDialogOf(TFindDialog::Kind kind);
  void OpenFindDialog(TFindDialog::Kind kind);
  std::string SelectedLine() const;
  void FindFrom(const TFindDialog& dialog);
  bool FindAgain();
  bool SelectionMatches() const;
  bool RefusesEditing();
  void ReplaceOnce();
  void ReplaceAll();
  void CreateShortcuts();
  void ShowTextMenu(LPARAM at);
  const std::vector<std::pair<WORD, winui::SpeedButton*>>& ButtonShortcuts();
  UINT ButtonShortcutId(const winui::SpeedButton* button) const;
  bool RunButtonShortcut(UINT id);
  bool TranslatesShortcut(const MSG& msg);
  void SetKeyboard(bool persian);
  // Alt+Shift toggles the keyboard, wherever the focus is in the window.
  bool SwitchesKeyboard(const MSG& msg);
  void LoadFontDialog();
  void ApplyFontDialog(const TextAttributes& target) const;

  std::string documentName_;
  core::DocumentKind documentKind_ = core::DocumentKind::DabiroRtf;
  bool holdsUnshown_ = false;
  bool updating_ = false;
  bool activated_ = false;
  bool fontNamesFilled_ = false;
  bool closePutOff_ = false, fontChangePutOff_ = false;
  bool sessionEndAgreed_ = false;  // the last WM_QUERYENDSESSION answer
  DocumentRecovery recovery_;
  UINT_PTR recoveryTimer_ = 0;
  HWND lastFocus_ = nullptr;
  HFONT formFont_ = nullptr;
  HFONT textFont_ = nullptr;
  HFONT paletteFont_ = nullptr;
  winui::SpeedButtonGroup buttonGroups_;
  std::map<UINT, winui::MenuItem*> menuItems_;
  struct Search {
    std::string query;  // glyph codes, one line
    core::SearchOptions options;
  };
  Search search_;
  std::unique_ptr<TFindDialog> findDialog_, replaceDialog_;
  HACCEL shortcuts_ = nullptr;
  std::vector<std::pair<WORD, winui::SpeedButton*>> buttonShortcuts_;
  bool persianKeyboard_ = false;
  bool keyboardSwitchArmed_ = false;
  PersianTyping typing_{RichEdit1, true, [this](const std::string& text) { ShowStatus(text); }};
};
