#pragma once
#include <windows.h>
#include <richedit.h>

#include <bitset>
#include <functional>

#include "Component.h"
#include "ControlStorage.h"
#include "ParagraphAttributes.h"
#include "TextAttributes.h"
#include "Window.h"

// The document's rich edit control (version 1.0, RICHED32.DLL, loaded at
// run time). Without the library it falls back to a plain multi-line edit,
// which ignores the rich edit messages.
class RichEditControl : public winui::Component, private winui::ControlHook {
 public:
  using KeyPressHandler = std::function<void(Component* sender, char& key)>;
  using KeyUpHandler = std::function<void(Component* sender, WORD& key, UINT shift)>;
  using KeyDownHandler =
      std::function<void(Component* sender, WORD& key, UINT shift, UINT scanCode)>;

  explicit RichEditControl(std::string name) : Component(std::move(name)) {}
  ~RichEditControl() override;

  // Without a parent: a hidden control of its own. A single line is a
  // field: no line breaks, no scroll bar.
  void Create(HWND parent, int left, int top, int width, int height, int id,
              bool singleLine = false);
  HWND Handle() const { return hwnd_; }

  // Puts a new document in place of the whole one: fill loads it into a
  // new window with every setting of this one, over the old window, which
  // then gives it its place in the tab order and the focus, and goes (its
  // memory is freed a moment later).
  // Emptying a large document in place costs time growing with the square
  // of its size, a new window only its own. Without fill the document is
  // empty. When fill throws, the new window goes and the old one stays as
  // it was. Handle() names the new window from the start of fill.
  using Fill = std::function<void(const RichEditControl& control)>;
  void Replace(const Fill& fill = {});
  // Deleting all of a large document (Delete, Backspace, Cut, or writing
  // over it: typing, pasting, the palette) goes the same way, for the same
  // reason; the old window stays hidden as the step Undo takes back.
  static constexpr long LargeDeletion = 32 * 1024;
  // The most text the control takes, in characters.
  static constexpr LPARAM LargestTextLimit = 0x7FFFFFFF;
  // An edit of the whole document in one step that Undo takes back: it is
  // made on a copy (the control's own RTF in a new window) that takes the
  // document's place, and the document stays hidden as the step to undo.
  void EditInCopy(const Fill& edit);
  // The same with fill writing the new document into an empty window.
  void WriteInNew(const Fill& fill);
  bool HasRichText() const { return library_ != nullptr; }
  // Whether the control keeps its text as UTF-16 (every rich edit from 2.0
  // on, as later Windows have behind RICHED32) rather than as bytes.
  bool StoresUnicode() const { return storesUnicode_; }
  // The control passes as its storage to the streams and the glyph
  // exchange, which need no more of it.
  operator ControlStorage() const {
    using Kind = ControlStorage::Kind;
    return {hwnd_, !library_ ? Kind::PlainEdit : storesUnicode_ ? Kind::Utf16 : Kind::Bytes};
  }
  // The rich edit keeps the flag in its options, a plain edit in its style.
  bool ReadOnly() const;

  // Sets the control's font and makes it the default character format.
  void SetFont(HFONT font);
  // The rectangle the text is laid out in (EM_SETRECT), kept for a
  // replacement: what EM_GETRECT answers is not what was set.
  void SetFormatRect(const RECT& rect);

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(hwnd_, message, wParam, lParam);
  }

  // The format views, created with the control and living as long as it.
  const TextAttributes& SelAttributes() const { return selAttributes_; }
  const TextAttributes& DefAttributes() const { return defAttributes_; }
  const ParagraphAttributes& Paragraph() const { return paragraph_; }
  // End minus start of the selection.
  long SelLength() const;

  void SetOnKeyPress(KeyPressHandler handler) { onKeyPress_ = std::move(handler); }
  // Reports each key press before the control sees it, with the key's scan
  // code (an extended key's above 0xFF). A handler that sets the key to 0
  // takes it: neither the press nor the characters it types reach the
  // control, nor its release the key-up handler.
  void SetOnKeyDown(KeyDownHandler handler) { onKeyDown_ = std::move(handler); }
  // Whether the control tells its parent of selection changes: off while a
  // command moves the selection about to do its work.
  void ReportSelectionChanges(bool report) const;
  // A field of a dialog hands its dialog keys to the form before anything
  // else sees them; the filter says whether it took the message.
  void SetDialogKeys(std::function<bool(UINT message, WPARAM wParam)> filter) {
    dialogKeys_ = std::move(filter);
  }
  // Whether lines wrap at the control's width (before Create): a control
  // that does not keeps a paragraph on one line.
  void SetWrapping(bool wraps) { wraps_ = wraps; }
  // What a message to the control may have changed: the selection or the
  // focus; text or formats between the selection before it and the one
  // after (typing, Delete, paste, formatting the selection); or anything
  // anywhere (Undo, a new text, a new window).
  enum class Change { Selection, Text, Everything };
  // Told after each message that may have changed something.
  void SetOnChanged(std::function<void(Change)> handler) { onChanged_ = std::move(handler); }
  // Messages another window answers for the control (the wheel, for the
  // window that shows its text); the filter says whether it took one.
  void SetRedirect(std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)> filter) {
    redirect_ = std::move(filter);
  }
  // Reports only releases of keys pressed while the control had the focus:
  // the release of an Enter that closed a dialog is no keystroke here.
  void SetOnKeyUp(KeyUpHandler handler) { onKeyUp_ = std::move(handler); }

 private:
  bool BeforeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool ExchangesCodes(UINT message, WPARAM wParam);
  void SetDefaultFormatFromFont(HFONT font);
  HWND NewWindow(DWORD placement, const RECT& bounds) const;
  HWND Swap(const Fill& fill);
  void TakeSettingsOf(HWND old, bool readOnly) const;
  void PlaceOver(HWND old) const;
  void TakePlaceOf(HWND old);
  void ReportKey(UINT message, WPARAM wParam);
  bool TakenByKeyHandler(UINT message, WPARAM wParam, LPARAM lParam);
  bool EditsAllOfALargeText(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool SelectsEverything() const;
  void CopyOrFail(const char* done) const;
  void DeleteEverything(bool cut);
  void TakeFirstFormatsOf(HWND deleted) const;
  void RestoreDeletedDocument();
  void AnnounceChange() const;

  void PostponeFreeingReplaced() const;
  static constexpr LPARAM EventMask =
      ENM_CHANGE | ENM_REQUESTRESIZE | ENM_SELCHANGE | ENM_PROTECTED;

  HMODULE library_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND parent_ = nullptr;
  HWND deletedDocument_ = nullptr;  // hidden, for Undo
  HWND retired_ = nullptr;          // the last one replaced, freed a moment later
  int id_ = 0;
  HFONT font_ = nullptr;
  bool hasFormatRect_ = false;
  RECT formatRect_{};
  bool storesUnicode_ = false;
  bool singleLine_ = false;
  bool wraps_ = true;
  std::function<void(Change)> onChanged_;
  std::function<bool(UINT, WPARAM, LPARAM)> redirect_;
  KeyPressHandler onKeyPress_;
  KeyUpHandler onKeyUp_;
  std::function<bool(UINT, WPARAM)> dialogKeys_;
  KeyDownHandler onKeyDown_;
  static constexpr UINT NoKey = 0xFFFF;
  UINT takenScanCode_ = NoKey;  // of the last key press a handler took
  std::bitset<256> pressedHere_;
  TextAttributes selAttributes_{*this, TextAttributes::Scope::Selection};
  TextAttributes defAttributes_{*this, TextAttributes::Scope::Default};
  ParagraphAttributes paragraph_{*this};
};
