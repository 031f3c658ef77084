#pragma once
#include <functional>
#include <memory>
#include <string>

#include "Form.h"
#include "NativeControl.h"
#include "PersianTyping.h"
#include "RichEditControl.h"
#include "TextSearch.h"

// The editor's Find and Replace dialog: modeless, its fields written in
// the glyph font as the document is, so that the Persian keyboard, the
// selection and Paste fill them with the document's own codes.
class TFindDialog : public winui::Form {
 public:
  enum class Kind { Find, Replace };
  struct Events {
    std::function<void()> findNext, replace, replaceAll;
    std::function<bool()> persianKeyboard;
    std::function<void(const std::string&)> say;
  };

  TFindDialog(Kind kind, Events events);
  ~TFindDialog() override;

  void CreateForm(HWND owner, HFONT glyphFont);
  // Shows the dialog, the field holding the codes given when there are any.
  void Open(const std::string& selectedCodes);

  std::string Query() const;
  std::string Replacement() const;
  core::SearchOptions Options() const;

  RichEditControl FindText{"FindText"}, ReplaceText{"ReplaceText"};
  winui::NativeControl FindLabel{"FindLabel"}, ReplaceLabel{"ReplaceLabel"}, WholeWord{"WholeWord"},
      MatchCase{"MatchCase"}, FindNextButton{"FindNextButton"}, ReplaceButton{"ReplaceButton"},
      ReplaceAllButton{"ReplaceAllButton"}, CancelButton{"CancelButton"};

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateField(RichEditControl& field, std::unique_ptr<PersianTyping>& typing, int top, int id,
                   HFONT glyphFont);
  void CreateButton(winui::NativeControl& button, const char* caption, int top, int id,
                    bool isDefault);
  void OnCommand(WORD id);
  void PlaceOverOwner();
  void ShowFieldMenu(RichEditControl& field, LPARAM at);

  Kind kind_;
  Events events_;
  HFONT formFont_ = nullptr;
  std::unique_ptr<PersianTyping> findTyping_, replaceTyping_;
  bool placed_ = false;
};
