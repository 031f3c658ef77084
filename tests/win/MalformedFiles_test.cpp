// Thousands of damaged documents through the real load path into the main
// window's control, each within a time budget: every one loads, as RTF or
// as plain text, or fails with the load message; none crashes or hangs the
// editor or corrupts its heap, and the control still draws what it holds.
#include <chrono>
#include <cstdio>

#include "DocumentStreams.h"
#include "Exceptions.h"
#include "FilesFixture.h"
#include "InputWatchdog.h"
#include "MalformedDocuments.h"

using namespace testing_support;

namespace {

constexpr std::uint32_t Seed = 1;
constexpr std::size_t Count = 2400;
// Far above the slowest honest load of these sizes.
constexpr std::chrono::seconds Budget{20};
const std::string LoadFailed = "Das Laden des Streams ist mi\xDFlungen";

}  // namespace

class MalformedFiles : public FilesTest {
 protected:
  // Loads the bytes from a file through the product's load function; the
  // failure message, or "" when it loaded.
  std::string Load(const std::string& bytes) {
    WriteFile("damaged.rtf", bytes);
    try {
      LoadDocument(form->RichEdit1, PathOf("damaged.rtf"));
    } catch (const core::Exception& failure) {
      return failure.Message();
    }
    return "";
  }
};

TEST_F(MalformedFiles, EachLoadsOrFailsWithTheLoadMessage) {
  using Clock = std::chrono::steady_clock;
  const auto documents = MakeMalformedDocuments(Seed, Count);
  const auto start = Clock::now();
  std::size_t failed = 0;
  Clock::duration slowest{};
  std::string slowestLabel;
  InputWatchdog watchdog(Budget);
  for (const MalformedDocument& document : documents) {
    watchdog.Start(document.label);
    const auto loadStart = Clock::now();
    const std::string failure = Load(document.bytes);
    if (!failure.empty()) {
      EXPECT_EQ(failure, LoadFailed) << document.label;
      ++failed;
    }
    // A damaged picture would do its harm when drawn.
    RedrawWindow(Text(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto took = Clock::now() - loadStart;
    if (took > slowest) {
      slowest = took;
      slowestLabel = document.label;
    }
    ASSERT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr)) << document.label;
    watchdog.Stop();
  }
  using Seconds = std::chrono::duration<double>;
  std::printf("%zu documents in %.1f s, %zu failed to load, slowest %s in %.2f s\n",
              documents.size(), Seconds(Clock::now() - start).count(), failed, slowestLabel.c_str(),
              Seconds(slowest).count());
}

// Beyond the reader's limits the file is shown as it is, every byte as text.
TEST_F(MalformedFiles, BeyondTheReaderLimitsTheFileLoadsAsText) {
  const std::string tooDeep = "{\\rtf1 " + std::string(33, '{') + "x" + std::string(34, '}');
  const std::string longWord = "{\\rtf1 \\" + std::string(2000, 'w') + " x}";
  const std::string longFontName = "{\\rtf1{\\fonttbl{\\f0 " + std::string(2000, 'F') + ";}}x}";
  // Past the control's first read: it has already taken the start as RTF.
  const std::string tooDeepLater = "{\\rtf1 " + std::string(6000, 'a') + tooDeep.substr(7);
  for (const std::string& bytes : {tooDeep, longWord, longFontName, tooDeepLater}) {
    EXPECT_EQ(Load(bytes), "");
    EXPECT_EQ(Document(), bytes);
  }
  // Within them the same kinds of document are still read as RTF.
  EXPECT_EQ(Load("{\\rtf1 " + std::string(31, '{') + "x" + std::string(32, '}')), "");
  EXPECT_EQ(Document(), "x");
  EXPECT_EQ(Load("{\\rtf1{\\fonttbl{\\f0 " + std::string(200, 'F') + ";}}x}"), "");
  EXPECT_EQ(Document(), "x");
}
