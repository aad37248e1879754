// The header band: exactly 69 rows of the tiled bitmap over the full client width, whatever the
// tile's size, and no band at all when the bitmap could not be loaded.
#include "UiTestSupport.h"

namespace uitest {
namespace {

constexpr int kBandHeight = 69;

struct TileCase {
    const char* name;
    SIZE tile;
};

const TileCase kTiles[] = {
    {"BandSized", {256, 69}}, {"Shorter", {300, 25}},        {"Taller", {120, 150}}, {"Narrower", {17, 69}},
    {"Wider", {1500, 69}},    {"SmallerBothWays", {13, 11}}, {"OnePixel", {1, 1}},
};

void PrintTo(const TileCase& tile, std::ostream* out) {
    *out << tile.name << " " << tile.tile.cx << " x " << tile.tile.cy;
}

// Transparent button frames, so that the band shows unchanged beneath the image buttons.
void WriteClearButtons() {
    ASSERT_NO_FATAL_FAILURE(WriteButtonStrip(L"Button_Top_Help.png", kDefaultFrame, 0));
    ASSERT_NO_FATAL_FAILURE(WriteButtonStrip(L"Button_Top_About.png", kDefaultFrame, 0));
}

class HeaderBandTest : public MainDialogTest, public testing::WithParamInterface<TileCase> {};

TEST_P(HeaderBandTest, SixtyNineRowsOfTilesOverTheFullWidth) {
    const SIZE tile = GetParam().tile;
    ASSERT_NO_FATAL_FAILURE(WriteClearButtons());
    ASSERT_NO_FATAL_FAILURE(WriteHeaderTile(tile));
    ASSERT_NO_FATAL_FAILURE(Open());
    Repaint();
    const ClientPixels pixels(Hwnd());
    ASSERT_GT(pixels.Height(), kBandHeight);

    int mismatches = 0;
    std::string first;
    for (int y = 0; y < kBandHeight; ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            const COLORREF want = TilePixel(x % tile.cx, y % tile.cy);
            if (pixels.At(x, y) != want && mismatches++ == 0) {
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                        ColourText(pixels.At(x, y)) + ", expected " + ColourText(want);
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << "band pixels differ from the tiling; the first: " << first;
    const RECT belowBand{0, kBandHeight, pixels.Width(), kBandHeight + 1};
    EXPECT_TRUE(Filled(pixels, belowBand, ::GetSysColor(COLOR_BTNFACE), ChildRects()))
        << "the row under the band is the background";
}

INSTANTIATE_TEST_SUITE_P(Tiles, HeaderBandTest, testing::ValuesIn(kTiles),
                         [](const testing::TestParamInfo<TileCase>& info) { return info.param.name; });

using MissingHeaderTest = MainDialogTest;

// Initialisation reports the missing bitmap and requests the end with code 18; until the loop
// takes that request the dialog paints, and then shows its background where the band would be.
TEST_F(MissingHeaderTest, PaintWithoutBitmapDrawsNoBand) {
    ASSERT_NO_FATAL_FAILURE(WriteClearButtons());
    ASSERT_NO_FATAL_FAILURE(RemoveHeaderTile());
    {
        DialogWatcher watcher;
        ASSERT_NO_FATAL_FAILURE(Open());
        ASSERT_FALSE(watcher.m_gaveUp);
        ASSERT_EQ(watcher.m_seen.size(), 1u) << "expected the one message box of the missing bitmap";
        EXPECT_EQ(watcher.m_seen.front().message, L"Initialize Bitmaps Failed!\n");
    }
    EXPECT_EQ(m_quitCodes, std::vector<int>{18});
    ASSERT_EQ(m_dlg->m_bmpHeader.m_hObject, nullptr);
    Repaint();
    ASSERT_TRUE(::IsWindowVisible(Hwnd()));
    const ClientPixels pixels(Hwnd());
    const RECT band{0, 0, pixels.Width(), kBandHeight};
    EXPECT_TRUE(Filled(pixels, band, ::GetSysColor(COLOR_BTNFACE))) << "where the band would be";
}

} // namespace
} // namespace uitest
