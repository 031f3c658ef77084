#include "GrowingBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Stand-ins that answer as the Windows directory and module path queries
// do, for a path of any length.
struct ReportsSize {
  std::string path;
  std::size_t operator()(char* buffer, std::size_t size) const {
    if (path.size() + 1 > size) return path.size() + 1;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return path.size();
  }
};

struct CutsToFit {
  std::string path;
  std::size_t operator()(char* buffer, std::size_t size) const {
    const std::size_t written = std::min(path.size(), size - 1);
    std::memcpy(buffer, path.data(), written);
    buffer[written] = '\0';
    return path.size() < size ? path.size() : size;
  }
};

std::string PathOfLength(std::size_t length) {
  std::string path = "C:";
  while (path.size() < length) path += "\\folder";
  path.resize(length);
  return path;
}

class GrowingBufferTest : public testing::TestWithParam<std::size_t> {};

TEST_P(GrowingBufferTest, ReadsThePathWhole) {
  const std::string path = PathOfLength(GetParam());
  EXPECT_EQ(core::ReadWithReportedSize(ReportsSize{path}), path);
  EXPECT_EQ(core::ReadUntilItFits(CutsToFit{path}), path);
}

INSTANTIATE_TEST_SUITE_P(Lengths, GrowingBufferTest,
                         testing::Values(2, 143, 144, 258, 259, 260, 261, 519, 520, 521, 32767));

TEST(GrowingBuffer, AFailedQueryGivesNothing) {
  const auto fails = [](char*, std::size_t) -> std::size_t { return 0; };
  EXPECT_EQ(core::ReadWithReportedSize(fails), "");
  EXPECT_EQ(core::ReadUntilItFits(fails), "");
}

TEST(GrowingBuffer, APathThatGrowsBetweenQueriesIsReadAsItEnds) {
  int calls = 0;
  const auto growing = [&calls](char* buffer, std::size_t size) {
    return ReportsSize{PathOfLength(calls++ == 0 ? 300 : 400)}(buffer, size);
  };
  EXPECT_EQ(core::ReadWithReportedSize(growing), PathOfLength(400));
}

}  // namespace
