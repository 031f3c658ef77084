#pragma once
#include <windows.h>

#include "BevelPanel.h"
#include "BitBtn.h"
#include "Form.h"
#include "Label.h"
#include "NativeControl.h"
#include "RegFiles.h"
#include "Shape.h"

using winui::Component;

// The about box: product and version, a pulsing glyph of the glyph font,
// credits, the home-page link, a mail button and a quick help. Each
// Help/About creates a new box and shows it modally; closing releases it.
// On activation it slides in from above the screen, then the glyph pulses
// until OK is pressed; both run as loops that keep handling messages.
class TAboutBox : public winui::Form {
 public:
  TAboutBox();
  ~TAboutBox() override;

  // Builds the window and its components, sets AboutBox, then runs
  // FormCreate.
  void CreateForm();

  void FormCreate(Component* sender);
  void FormActivate(Component* sender);
  void Label1Click(Component* sender);
  void Label4Click(Component* sender);
  void Button1Click(Component* sender);
  void BitBtn1Click(Component* sender);
  void BitBtnOKClick(Component* sender);
  void BitBtnOKMouseDown(Component* sender, winui::MouseButton button, UINT keys, int x, int y);
  void FormClose(Component* sender);

  // Components, in declaration order.
  winui::Shape Shape1{"Shape1"};
  winui::BevelPanel Panel1{"Panel1"};
  winui::Label ProductName{"ProductName"}, Version{"Version"}, Label1{"Label1"}, Label4{"Label4"};
  winui::NativeControl Memo1{"Memo1"};
  winui::NativeControl Button1{"Button1"};
  winui::BitBtn BitBtnOK{"BitBtnOK"}, BitBtn1{"BitBtn1"};
  TRegFile RegFile1{"RegFile1"};

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreatePanelComponents();
  void CreateButtons();
  bool SlideIn();
  void PulseGlyph();

  HFONT formFont_ = nullptr;
  HFONT button1Font_ = nullptr;
  HBRUSH memo1Brush_ = nullptr;
};

// The current about box: set as a box is created, before its FormCreate
// runs; null again once that box is gone.
extern TAboutBox* AboutBox;
