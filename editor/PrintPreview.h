#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "PreviewPages.h"
#include "RichTextPages.h"

// The print preview: a window of its own over the main window, showing the
// pages laid out for printing, with a bar of buttons at its top: Print...,
// Next Page, Prev Page, One Page / Two Pages, Zoom In, Zoom Out and Close.
// Escape closes it, as Close does.
class TPrintPreview : public winui::Form {
 public:
  // What Run answers when the user asked to print.
  static constexpr int PrintChosen = 100;

  TPrintPreview(std::unique_ptr<RichTextPages> pages, const core::PaperGeometry& paper);

  // Shows the preview modally over the owner until it is closed.
  int Run(HWND owner, const std::string& caption);

  int FirstPage() const { return firstPage_; }  // from 0
  int PagesShown() const { return pagesShown_; }
  int Zoom() const { return core::ZoomSteps[zoomStep_]; }
  const PreviewPageView& View() const { return view_; }
  // The bar's button of that command, for its caption and state.
  HWND Button(int command) const;

  enum Command { Print = 1, NextPage, PreviousPage, PagesToggle, ZoomIn, ZoomOut, Close };

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateBar();
  void RunCommand(int command);
  void ShowPages();
  void PlaceView();

  std::unique_ptr<RichTextPages> pages_;
  PreviewPageView view_;
  std::vector<HWND> buttons_;
  int firstPage_ = 0, pagesShown_ = 1, zoomStep_ = 0;
};
