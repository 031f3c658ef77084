// Times Find Next and Replace All on the real main window, through the
// dialogs' own buttons:
//  1. Find Next over a 1 MB document whose only match is at its end;
//  2. Replace All of 10,000 matches, and the Undo that takes them back.
// Usage: find_bench.exe [rounds] [matches]
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Application.h"
#include "Clock.h"
#include "DocumentLines.h"
#include "GlyphText.h"
#include "MainForm.h"
#include "StartUp.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

std::string Codes(const char* utf8) {
  std::u32string text;
  std::size_t fault = 0;
  core::UnicodeFromUtf8(utf8, text, fault);
  core::Unconvertibles problems;
  return core::UnicodeToGlyphs(text, problems);
}

void RunFor(int milliseconds) {
  const double end = Seconds() + milliseconds / 1000.0;
  while (Seconds() < end) {
    winui::Application::Instance().ProcessMessages();
    Sleep(1);
  }
}

void SetDocument(TMainForm& form, const std::string& codes) {
  Select(form.RichEdit1, 0, -1);
  InsertCodes(form.RichEdit1, codes);
  form.RichEdit1.Send(EM_EMPTYUNDOBUFFER);
  Select(form.RichEdit1, 0, 0);
  RunFor(100);
}

void SetField(RichEditControl& field, const std::string& codes) {
  Select(field, 0, -1);
  InsertCodes(field, codes);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Lines of a sentence without the word, then one line holding it.
std::string DocumentWithOneMatchAtItsEnd(std::size_t bytes) {
  const std::string line =
      Codes("امروز هوا خوب است و ما به خانه می‌رویم") + "\r\n";
  std::string codes;
  while (codes.size() < bytes) codes += line;
  return codes + Codes("دفتر");
}

void MeasureFindNext(TMainForm& form, int rounds) {
  form.EditFindItem.Click();
  TFindDialog& dialog = *form.OpenedFindDialog(TFindDialog::Kind::Find);
  SetDocument(form, DocumentWithOneMatchAtItsEnd(1 << 20));
  SetField(dialog.FindText, Codes("دفتر"));
  std::vector<double> ms;
  for (int round = 0; round < rounds; ++round) {
    Select(form.RichEdit1, 0, 0);
    const double start = Seconds();
    dialog.FindNextButton.Send(BM_CLICK);
    ms.push_back((Seconds() - start) * 1000);
  }
  const CHARRANGE found = SelectionOf(form.RichEdit1);
  std::printf("Find Next, 1 MB, the match at its end       median %.1f ms (n=%d) %s\n", Median(ms),
              rounds, found.cpMax - found.cpMin == 4 ? "found" : "FAIL: not found");
  ShowWindow(dialog.Handle(), SW_HIDE);
}

// The document alike throughout, or with a bold first line, as a title.
void MeasureReplaceAll(TMainForm& form, int rounds, int matches, bool boldTitle) {
  form.EditReplaceItem.Click();
  TFindDialog& dialog = *form.OpenedFindDialog(TFindDialog::Kind::Replace);
  SetField(dialog.FindText, Codes("کتاب"));
  SetField(dialog.ReplaceText, Codes("دفتر"));
  const std::string line = Codes("کتاب و کتابها را خواندم") + "\r\n";  // two matches a line
  std::string original;
  for (int i = 0; i < matches / 2; ++i) original += line;
  std::vector<double> replaceMs, undoMs;
  bool allReplaced = true, undone = true;
  for (int round = 0; round < rounds; ++round) {
    SetDocument(form, original);
    if (boldTitle) {
      Select(form.RichEdit1, 0, static_cast<long>(line.size() - 2));
      form.BoldButton.Click();
      form.RichEdit1.Send(EM_EMPTYUNDOBUFFER);
    }
    double start = Seconds();
    dialog.ReplaceAllButton.Send(BM_CLICK);
    replaceMs.push_back((Seconds() - start) * 1000);
    allReplaced = allReplaced && CodesOf(form.RichEdit1).find(Codes("کتاب")) == std::string::npos;
    start = Seconds();
    form.EditUndoItem.Click();
    undoMs.push_back((Seconds() - start) * 1000);
    undone = undone && CodesOf(form.RichEdit1) == original;
    RunFor(50);
  }
  std::printf("Replace All, %d matches (%zu KB)%s median %.0f ms (n=%d) %s\n", matches,
              original.size() / 1024, boldTitle ? ", a bold title" : "              ",
              Median(replaceMs), rounds, allReplaced ? "all replaced" : "FAIL: some left");
  std::printf("Undo of that Replace All                    median %.0f ms %s\n", Median(undoMs),
              undone ? "the document as before" : "FAIL: not as before");
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  StartApplication();
  TMainForm form;
  form.CreateForm();
  form.Show();
  SetForegroundWindow(form.Handle());
  const int matches = argc > 2 ? std::max(2, std::atoi(argv[2])) : 10000;
  MeasureFindNext(form, rounds);
  MeasureReplaceAll(form, rounds, matches, false);
  MeasureReplaceAll(form, rounds, matches, true);
  std::fflush(stdout);
  return 0;
}
