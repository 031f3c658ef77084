// The text as a person reads it: a long Persian paragraph wraps from the
// top down in the view over the never-wrapping store, whose text and
// selection the view's keys and presses act on.
#include <windows.h>
#include <richedit.h>

#include <functional>
#include <string>
#include <vector>

#include "Clipboard.h"
#include "MainFormFixture.h"
#include "PersianKeys.h"

using namespace testing_support;

namespace {

const char Sentence[] =
    "امروز هوا خوب است و ما به پارک می‌رویم تا بازی "
    "کنیم. ";

std::string LongParagraph(int sentences) {
  std::string utf8;
  for (int i = 0; i < sentences; ++i) utf8 += Sentence;
  return FromUnicode(Unicode((utf8 + "پایان").c_str()));
}

class ReadingViewTest : public MainFormTest {
 protected:
  std::vector<std::string> Lines() const { return form->ReadingView1.ScreenLines(); }
  core::ScreenPlace Caret() const { return form->ReadingView1.Caret(); }
  void Key(WORD key) const { SendMessageA(Text(), WM_KEYDOWN, key, 1); }
  long CaretInStore() const {
    CHARRANGE selection{};
    SendMessageA(Text(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection.cpMax;
  }
  // Lines read from the top are pieces of the stored line from its right
  // end leftwards, and nothing but the spaces between them is left out.
  static testing::AssertionResult ReadFromTheTop(const std::vector<std::string>& lines,
                                                 const std::string& stored) {
    std::size_t end = stored.size();
    for (std::size_t k = 0; k < lines.size(); ++k) {
      while (k > 0 && end > 0 && stored[end - 1] == ' ') --end;
      if (end < lines[k].size() || stored.compare(end - lines[k].size(), lines[k].size(), lines[k]))
        return testing::AssertionFailure() << "line " << k << " is not next in reading";
      end -= lines[k].size();
    }
    if (end != 0) return testing::AssertionFailure() << end << " codes are not shown";
    return testing::AssertionSuccess();
  }
};

}  // namespace

TEST_F(ReadingViewTest, ALongParagraphReadsFromTheTopAtEveryWidthAndSize) {
  const std::string stored = LongParagraph(8);
  SetCodes(stored);
  const std::size_t wide = Lines().size();
  EXPECT_GT(wide, 3u);
  EXPECT_TRUE(ReadFromTheTop(Lines(), stored));
  EXPECT_EQ(SendMessageA(Text(), EM_GETLINECOUNT, 0, 0), 1) << "the store does not wrap";

  RECT window{};
  GetWindowRect(form->Handle(), &window);
  MoveWindow(form->Handle(), window.left, window.top, 400, window.bottom - window.top, TRUE);
  EXPECT_GT(Lines().size(), wide);
  EXPECT_TRUE(ReadFromTheTop(Lines(), stored));

  const std::size_t narrow = Lines().size();
  SendMessageA(Text(), EM_SETSEL, 0, -1);
  form->RichEdit1.SelAttributes().SetSize(12);
  EXPECT_LT(Lines().size(), narrow);
  EXPECT_TRUE(ReadFromTheTop(Lines(), stored));
  EXPECT_EQ(CodesOf(form->RichEdit1), stored) << "nothing of the layout enters the text";
}

// Words written at the paragraph's reading end (its stored left end, where
// the steering leaves the caret) move to a new line once the line is full,
// and the caret goes with them.
TEST_F(ReadingViewTest, WritingAtTheEndOfAFullLineGoesOnOnTheNextLine) {
  const std::string word = FromUnicode(Unicode("کتاب "));
  for (int words = 0; Lines().size() < 2; ++words) {
    ASSERT_LT(words, 100);
    SendMessageA(Text(), EM_SETSEL, 0, 0);
    InsertCodes(form->RichEdit1, word);
    SendMessageA(Text(), EM_SETSEL, 0, 0);
    EXPECT_EQ(Caret().line, Lines().size() - 1);
  }
  ASSERT_EQ(word[0], ' ') << "a word's space ends it, at its left";
  EXPECT_EQ(Lines().back(), word.substr(1));
}

TEST_F(ReadingViewTest, HomeEndUpAndDownMoveOnScreenLinesInReadingOrder) {
  const std::string stored = LongParagraph(6);
  SetCodes(stored);
  SendMessageA(Text(), EM_SETSEL, stored.size(), stored.size());
  ASSERT_EQ(Caret().line, 0u) << "the paragraph's stored end is where it begins";
  const int right = Caret().x;
  Key(VK_END);
  EXPECT_EQ(Caret().line, 0u);
  EXPECT_LT(Caret().x, right);
  Key(VK_DOWN);
  EXPECT_EQ(Caret().line, 1u);
  Key(VK_HOME);
  EXPECT_EQ(Caret().line, 1u);
  EXPECT_EQ(Caret().x, right);
  Key(VK_UP);
  EXPECT_EQ(Caret().line, 0u);
  EXPECT_EQ(CaretInStore(), static_cast<long>(stored.size()));
  for (std::size_t k = 0; k < Lines().size(); ++k) Key(VK_DOWN);
  EXPECT_EQ(Caret().line, Lines().size() - 1);
  EXPECT_EQ(CodesOf(form->RichEdit1), stored) << "moving wrote nothing";
}

// A press at the right end of the first line puts the caret at the
// paragraph's start; Copy then gives the paragraph's codes as they are.
TEST_F(ReadingViewTest, APressFindsItsPlaceAndCopyTakesNoBreaks) {
  const std::string stored = LongParagraph(6);
  SetCodes(stored);
  const HWND view = form->ReadingView1.Handle();
  RECT client{};
  GetClientRect(view, &client);
  SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 2, 5));
  SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 2, 5));
  EXPECT_EQ(CaretInStore(), static_cast<long>(stored.size()));
  EXPECT_EQ(GetFocus(), Text());

  SendMessageA(Text(), EM_SETSEL, 0, -1);
  SendMessageA(Text(), WM_COPY, 0, 0);
  std::string copied;
  ASSERT_TRUE(ReadClipboardText(form->Handle(), copied));
  EXPECT_EQ(copied, stored);
}

// After each edit the view reads only the paragraphs it touched: what it
// shows then is what reading the whole store again shows.
TEST_F(ReadingViewTest, EditsReadAgainOnlyWhereTheyTouchedShowWhatAWholeReadingShows) {
  const std::string paragraph = LongParagraph(3);
  SetCodes(paragraph + "\r\n" + LongParagraph(1) + "\r\n" + paragraph + "\r\n" + paragraph);
  const auto lineStart = [&](int line) {
    return static_cast<long>(SendMessageA(Text(), EM_LINEINDEX, line, 0));
  };
  const auto select = [&](long from, long to) { SendMessageA(Text(), EM_SETSEL, from, to); };
  const auto replace = [&](const std::string& codes) {
    SendMessageA(Text(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(codes.c_str()));
  };
  const std::vector<std::pair<const char*, std::function<void()>>> edits = {
      {"a letter", [&] { select(40, 40), SendMessageA(Text(), WM_CHAR, 0xE8, 1); }},
      {"a new paragraph", [&] { select(lineStart(2) + 30, lineStart(2) + 30), replace("\r\n"); }},
      {"two joined",
       [&] { select(lineStart(1) - 5, lineStart(1) + 5), SendMessageA(Text(), WM_CLEAR, 0, 0); }},
      {"paragraphs written",
       [&] { select(lineStart(1) + 3, lineStart(1) + 3), replace("\xE8\r\n\xE9\r\n"); }},
      {"paragraphs pasted",
       [&] {
         select(lineStart(2) + 3, lineStart(2) + 3),
             InsertCodes(form->RichEdit1, "\xEA\r\n\xEB\r\n");
       }},
      {"a size",
       [&] {
         select(lineStart(1), lineStart(1) + 20), form->RichEdit1.SelAttributes().SetSize(30);
       }},
      {"Undo", [&] { SendMessageA(Text(), EM_UNDO, 0, 0); }},
      {"the last one emptied",
       [&] { select(lineStart(3), -1), SendMessageA(Text(), WM_CLEAR, 0, 0); }},
  };
  Lines();
  for (const auto& [name, edit] : edits) {
    const int wholeReadings = form->ReadingView1.WholeReadings();
    edit();
    const std::vector<std::string> readAgain = Lines();
    if (std::string(name) != "Undo") {
      EXPECT_EQ(form->ReadingView1.WholeReadings(), wholeReadings) << name;
    }
    form->ReadingView1.StoreChanged(RichEditControl::Change::Everything);
    EXPECT_EQ(readAgain, Lines()) << name;
  }
}

// From the middle of one paragraph into another, a selection holds what a
// person reads between its ends: the first one's reading end, the one
// between, the last one's reading start. Copy gives those codes, a size
// goes to them alone, Delete leaves the outer parts read on as one
// paragraph in their formats, and Undo takes that back.
TEST_F(ReadingViewTest, ASelectionAcrossParagraphsHoldsWhatIsReadBetweenItsEnds) {
  const std::string first = FromUnicode(Unicode("سلام دنیا"));
  const std::string middle = FromUnicode(Unicode("یک"));
  const std::string last = FromUnicode(Unicode("خوب است"));
  const std::string text = first + "\r\n" + middle + "\r\n" + last;
  SetCodes(text);
  const HWND view = form->ReadingView1.Handle();
  const auto press = [&](core::TextPlace place, WPARAM keys) {
    const core::LaidOutText& laidOut = form->ReadingView1.ScreenText();
    const core::ScreenPlace at = core::ScreenPlaceOf(laidOut, place);
    const LPARAM point = MAKELPARAM(at.x + ReadingView::Margin, laidOut.lines[at.line].top + 2);
    SendMessageA(view, WM_LBUTTONDOWN, keys | MK_LBUTTON, point);
    SendMessageA(view, WM_LBUTTONUP, keys, point);
  };
  // After "سلام " in the first, before "است" in the last.
  const std::size_t firstEnd = FromUnicode(Unicode("دنیا")).size();
  const std::size_t lastStart = FromUnicode(Unicode("است")).size();
  press({0, firstEnd}, 0);
  press({2, lastStart}, MK_SHIFT);
  EXPECT_TRUE(form->ReadingView1.HoldsSelectionAcross());

  SendMessageA(Text(), WM_COPY, 0, 0);
  std::string copied;
  ASSERT_TRUE(ReadClipboardText(form->Handle(), copied));
  EXPECT_EQ(copied, first.substr(0, firstEnd) + "\r\n" + middle + "\r\n" + last.substr(lastStart));

  form->ActiveTextAttributes().SetSize(30);
  const auto sizeAt = [&](std::size_t character) {
    SendMessageA(Text(), EM_SETSEL, character, character + 1);
    return form->RichEdit1.SelAttributes().Size();
  };
  const std::size_t lastParagraph = text.size() - last.size();
  EXPECT_EQ(sizeAt(0), 30);
  EXPECT_NE(sizeAt(firstEnd + 1), 30);
  EXPECT_EQ(sizeAt(first.size() + 2), 30);
  EXPECT_NE(sizeAt(lastParagraph), 30);
  EXPECT_EQ(sizeAt(text.size() - 1), 30);
  EXPECT_EQ(CodesOf(form->RichEdit1), text);

  press({0, firstEnd}, 0);
  press({2, lastStart}, MK_SHIFT);
  Key(VK_DELETE);
  const std::string joined = FromUnicode(Unicode("سلام است"));
  EXPECT_EQ(CodesOf(form->RichEdit1), joined);
  EXPECT_NE(sizeAt(0), 30) << "what is left keeps its format";
  EXPECT_NE(sizeAt(joined.size() - 1), 30);
  EXPECT_FALSE(form->ReadingView1.HoldsSelectionAcross());
  SendMessageA(Text(), EM_UNDO, 0, 0);
  EXPECT_EQ(CodesOf(form->RichEdit1), text);
}

// A drag held below the view scrolls on, taking in the lines it brings,
// until the button is released.
TEST_F(ReadingViewTest, ADragHeldBelowTheViewScrollsOn) {
  SetCodes(LongParagraph(30));
  const HWND view = form->ReadingView1.Handle();
  RECT client{};
  GetClientRect(view, &client);
  POINT point{client.right / 2, client.bottom + 10};
  const LPARAM below = MAKELPARAM(point.x, point.y);
  // Where the pointer is: the window system's own moves of it agree.
  ClientToScreen(view, &point);
  SetCursorPos(point.x, point.y);
  SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 2, 5));
  SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, below);
  const std::size_t reached = Caret().line;
  Pump(500);
  SendMessageA(view, WM_LBUTTONUP, 0, below);
  EXPECT_GT(form->ReadingView1.FirstVisibleLine(), 0);
  EXPECT_GT(Caret().line, reached);
  const std::size_t held = Caret().line;
  Pump(200);
  EXPECT_EQ(Caret().line, held);
}
