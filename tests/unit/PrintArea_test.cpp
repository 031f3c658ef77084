#include "PrintArea.h"

#include <gtest/gtest.h>

#include "PreviewGeometry.h"

namespace {

// A4 at 600 dpi with a quarter-inch hardware margin all round.
constexpr core::PaperGeometry A4{4960, 7016, 150, 150, 4660, 6716, 600, 600};

void ExpectArea(const core::DeviceRect& area, int left, int top, int right, int bottom) {
  EXPECT_EQ(area.left, left);
  EXPECT_EQ(area.top, top);
  EXPECT_EQ(area.right, right);
  EXPECT_EQ(area.bottom, bottom);
}

}  // namespace

TEST(PrintArea, MarginsCountFromThePapersEdgesAndNeverReachPastThePrinter) {
  ExpectArea(core::TextArea(A4, std::nullopt), 0, 0, 4660, 6716);
  // One inch all round: 600 dots from each edge, less the 150 the printer
  // cannot reach.
  ExpectArea(core::TextArea(A4, core::PageMargins{1000, 1000, 1000, 1000, 1000}), 450, 450,
             4660 - 450, 6716 - 450);
  // 25.4 mm as hundredths of a millimetre is the same inch.
  ExpectArea(core::TextArea(A4, core::PageMargins{2540, 2540, 2540, 2540, 2540}), 450, 450, 4210,
             6266);
  // Margins inside the hardware margin are the printer's; uneven ones stay
  // on their own sides.
  ExpectArea(core::TextArea(A4, core::PageMargins{0, 100, 2000, 200, 1000}), 0, 0,
             4960 - 1200 - 150, 6716);
}

TEST(PrintArea, MarginsThatMeetLeaveOneUnitInsteadOfNothing) {
  const core::DeviceRect area = core::TextArea(A4, core::PageMargins{6000, 9000, 6000, 9000, 1000});
  EXPECT_EQ(area.right - area.left, 1);
  EXPECT_EQ(area.bottom - area.top, 1);
  EXPECT_GE(area.left, 0);
  EXPECT_LE(area.bottom, A4.printableHeight);
}

TEST(PreviewGeometry, FitKeepsThePapersShapeAndCentresThePages) {
  core::PreviewRequest request{800, 600, 4960, 7016, 600, 600, 96, 96, 1, core::FitZoom};
  core::PreviewLayout one = core::LayOutPreview(request);
  ASSERT_EQ(one.pages.size(), 1u);
  const core::Rect page = one.pages[0];
  EXPECT_EQ(page.height, 600 - 2 * core::PreviewGap);
  EXPECT_NEAR(page.width * 7016.0 / 4960, page.height, 1.5);
  EXPECT_NEAR(page.left + page.width / 2, 400, 1);
  EXPECT_EQ(one.contentWidth, 800);

  request.pagesShown = 2;
  request.viewHeight = 2000;  // the width limits now
  const core::PreviewLayout two = core::LayOutPreview(request);
  ASSERT_EQ(two.pages.size(), 2u);
  EXPECT_EQ(two.pages[1].left - (two.pages[0].left + two.pages[0].width), core::PreviewGap);
  EXPECT_LE(two.pages[1].left + two.pages[1].width, 800 - core::PreviewGap);
  EXPECT_EQ(two.pages[0].top, two.pages[1].top);
}

TEST(PreviewGeometry, APercentageIsOfThePapersRealSizeAndGrowsTheContent) {
  const core::PreviewRequest request{800, 600, 4960, 7016, 600, 600, 96, 96, 1, 100};
  const core::PreviewLayout layout = core::LayOutPreview(request);
  EXPECT_EQ(layout.pages[0].width, 4960 * 96 / 600);
  EXPECT_EQ(layout.pages[0].height, 7016 * 96 / 600);
  EXPECT_EQ(layout.contentHeight, layout.pages[0].height + 2 * core::PreviewGap);
  EXPECT_EQ(layout.pages[0].top, core::PreviewGap);
}
