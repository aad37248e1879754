// Off-screen drawing and the bitmap helpers on real device contexts: CMemDCEx, TileBitmap,
// LoadBitmapFromFile and CreateDib32.
#include "BitmapHelpers.h"
#include "ControlsTestSupport.h"
#include "MemDCEx.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test::Surface;

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kFill = RGB(40, 80, 120);
constexpr COLORREF kMarker = RGB(250, 0, 0);

// Every pixel of surface equals expected(x, y); reports the first that does not.
template <typename Expected> void ExpectPixels(const Surface& surface, Expected expected) {
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const COLORREF want = expected(x, y);
            if (surface.At(x, y) != want) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << surface.At(x, y)
                              << ", expected " << want;
                return;
            }
        }
    }
}

bool Inside(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

std::string Describe(const RECT& rect) {
    return "rect (" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " +
           std::to_string(rect.right) + ", " + std::to_string(rect.bottom) + ")";
}

TEST(MemDCEx, ReachesTheTargetOnlyAtScopeEndAndExactlyOverItsRectangle) {
    const CRect cases[] = {{0, 0, 400, 69}, {30, 20, 130, 60}};
    for (const CRect& rect : cases) {
        SCOPED_TRACE(Describe(rect));
        Surface target(500, 100, kSentinel);
        {
            CMemDCEx memDC(target.dc(), rect);
            ASSERT_TRUE(memDC.m_bValid);
            // Drawing is relative to the rectangle: (0, 0) is its top-left corner.
            memDC.FillSolidRect(0, 0, rect.Width(), rect.Height(), kFill);
            memDC.FillSolidRect(0, 0, 1, 1, kMarker);
            ExpectPixels(target, [](int, int) { return kSentinel; });
        }
        ExpectPixels(target, [&](int x, int y) {
            if (x == rect.left && y == rect.top)
                return kMarker;
            return Inside(rect, x, y) ? kFill : kSentinel;
        });
    }
}

TEST(MemDCEx, NestedOneLandsInTheOuterBitmapAndReachesTheTargetWithTheOuter) {
    Surface target(400, 100, kSentinel);
    {
        CMemDCEx outer(target.dc(), CRect(0, 0, 400, 100));
        ASSERT_TRUE(outer.m_bValid);
        outer.FillSolidRect(0, 0, 400, 100, kFill);
        {
            CMemDCEx band(&outer, CRect(0, 0, 400, 69));
            ASSERT_TRUE(band.m_bValid);
            band.FillSolidRect(0, 0, 400, 69, kMarker);
            EXPECT_EQ(outer.GetPixel(10, 10), kFill);
        }
        EXPECT_EQ(outer.GetPixel(10, 10), kMarker);
        EXPECT_EQ(outer.GetPixel(399, 68), kMarker);
        EXPECT_EQ(outer.GetPixel(10, 69), kFill);
        ExpectPixels(target, [](int, int) { return kSentinel; });
    }
    ExpectPixels(target, [](int, int y) { return y < 69 ? kMarker : kFill; });
}

TEST(MemDCEx, WithoutItsBitmapItIsInvalidAndLeavesTheTargetAlone) {
    // Too large for any bitmap, and reversed.
    const CRect cases[] = {{0, 0, 40000, 40000}, {10, 10, 5, 20}, {10, 10, 20, 5}};
    for (const CRect& rect : cases) {
        SCOPED_TRACE(Describe(rect));
        Surface target(60, 40, kSentinel);
        {
            CMemDCEx memDC(target.dc(), rect);
            EXPECT_FALSE(memDC.m_bValid);
            memDC.FillSolidRect(0, 0, 60, 40, kFill);
        }
        ExpectPixels(target, [](int, int) { return kSentinel; });
    }
}

// A tile whose every pixel tells its position within the tile.
COLORREF TilePixel(int x, int y) {
    return RGB(x % 256, y, 7 + 100 * (x / 256));
}

class TileBitmapTest : public testing::Test {
protected:
    void MakeTile(int width, int height) {
        Surface pattern(width, height, kSentinel);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ::SetPixelV(pattern.hdc(), x, y, TilePixel(x, y));
        CClientDC screen(nullptr);
        ASSERT_TRUE(m_tile.CreateCompatibleBitmap(&screen, width, height));
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* old = dc.SelectObject(&m_tile);
        dc.BitBlt(0, 0, width, height, pattern.dc(), 0, 0, SRCCOPY);
        dc.SelectObject(old);
    }
    CBitmap m_tile;
};

struct TileCase {
    CRect rect;
    std::vector<CPoint> tiles;
};

TEST_F(TileBitmapTest, CopiesWholeTilesRowByRowFromTheTopLeftCorner) {
    MakeTile(256, 69);
    const TileCase cases[] = {
        {{0, 0, 600, 69}, {{0, 0}, {256, 0}, {512, 0}}},
        {{0, 0, 300, 100}, {{0, 0}, {256, 0}, {0, 69}, {256, 69}}},
        {{10, 5, 20, 6}, {{10, 5}}},
        {{0, 0, 0, 69}, {}},
        {{600, 0, 0, 69}, {}},
        {{0, 69, 600, 69}, {}},
        {{0, 70, 600, 69}, {}},
    };
    for (const TileCase& c : cases) {
        SCOPED_TRACE(Describe(c.rect));
        Surface target(900, 160, kSentinel);
        TileBitmap(&m_tile, &c.rect, target.dc());
        ExpectPixels(target, [&](int x, int y) {
            // Later tiles overwrite earlier ones; here they never overlap.
            for (const CPoint& tile : c.tiles) {
                if (Inside(CRect(tile.x, tile.y, tile.x + 256, tile.y + 69), x, y))
                    return TilePixel(x - tile.x, y - tile.y);
            }
            return kSentinel;
        });
    }
}

TEST_F(TileBitmapTest, ThroughAMemDCExOverTheBandTheOverhangIsCut) {
    MakeTile(256, 80);
    Surface target(700, 100, kSentinel);
    const CRect band(0, 0, 600, 69);
    {
        CMemDCEx memDC(target.dc(), band);
        TileBitmap(&m_tile, &band, &memDC);
    }
    ExpectPixels(target,
                 [&](int x, int y) { return Inside(band, x, y) ? TilePixel(x % 256, y) : kSentinel; });
}

TEST_F(TileBitmapTest, ABitmapItCannotUseDrawsNothing) {
    const CRect rect(0, 0, 100, 50);
    {
        SCOPED_TRACE("no bitmap");
        CBitmap empty;
        Surface target(120, 60, kSentinel);
        TileBitmap(&empty, &rect, target.dc());
        ExpectPixels(target, [](int, int) { return kSentinel; });
    }
    {
        SCOPED_TRACE("bitmap selected into another context");
        MakeTile(16, 16);
        CDC holder;
        holder.CreateCompatibleDC(nullptr);
        CBitmap* old = holder.SelectObject(&m_tile);
        Surface target(120, 60, kSentinel);
        TileBitmap(&m_tile, &rect, target.dc());
        ExpectPixels(target, [](int, int) { return kSentinel; });
        holder.SelectObject(old);
    }
}

COLORREF BmpPixel(int x, int y) {
    return RGB(10 * x, 20 * y, 90);
}

TEST(LoadBitmapFromFile, LoadsADeviceCompatibleBitmap) {
    const std::wstring path = test::TempPath(L"band.bmp");
    test::WriteBmp(path, 7, 3, BmpPixel);
    CBitmap bitmap;
    ASSERT_TRUE(LoadBitmapFromFile(bitmap, path.c_str()));
    BITMAP info{};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 3);
    DIBSECTION section{};
    EXPECT_EQ(bitmap.GetObject(sizeof(section), &section), static_cast<int>(sizeof(BITMAP)))
        << "not a section";
    Surface target(7, 3, kSentinel);
    TileBitmap(&bitmap, CRect(0, 0, 7, 3), target.dc());
    ExpectPixels(target, BmpPixel);
}

TEST(LoadBitmapFromFile, AFailedLoadReturnsZeroAndKeepsTheBitmapItHeld) {
    const std::wstring good = test::TempPath(L"keep.bmp");
    test::WriteBmp(good, 5, 4, BmpPixel);
    const std::wstring text = test::TempPath(L"text.bmp");
    test::WriteBytes(text, "not a bitmap at all");
    const std::wstring empty = test::TempPath(L"empty.bmp");
    test::WriteBytes(empty, "");
    const std::wstring cases[] = {test::TempPath(L"missing.bmp"), text, empty, test::TempPath(L"")};
    CBitmap bitmap;
    ASSERT_TRUE(LoadBitmapFromFile(bitmap, good.c_str()));
    const HGDIOBJ held = bitmap.GetSafeHandle();
    for (const std::wstring& path : cases) {
        SCOPED_TRACE(testing::Message() << "path " << testing::PrintToString(path));
        EXPECT_FALSE(LoadBitmapFromFile(bitmap, path.c_str()));
        EXPECT_EQ(bitmap.GetSafeHandle(), held);
        BITMAP info{};
        ASSERT_TRUE(bitmap.GetBitmap(&info));
        EXPECT_EQ(info.bmWidth, 5);
    }
}

TEST(LoadBitmapFromFile, ASecondGoodLoadLeavesExactlyOneBitmapAlive) {
    const std::wstring first = test::TempPath(L"first.bmp");
    const std::wstring second = test::TempPath(L"second.bmp");
    test::WriteBmp(first, 4, 4, BmpPixel);
    test::WriteBmp(second, 6, 2, BmpPixel);
    CBitmap bitmap;
    ASSERT_TRUE(LoadBitmapFromFile(bitmap, first.c_str()));
    const HGDIOBJ firstHandle = bitmap.GetSafeHandle();
    ASSERT_TRUE(LoadBitmapFromFile(bitmap, second.c_str()));
    EXPECT_EQ(::GetObjectType(firstHandle), 0u) << "the first bitmap is deleted";
    EXPECT_EQ(::GetObjectType(bitmap.GetSafeHandle()), static_cast<DWORD>(OBJ_BITMAP));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 6);
}

TEST(CreateDib32, MakesABottomUp32BitSectionWithTheGivenHeader) {
    CClientDC screen(nullptr);
    void* bits = nullptr;
    const HBITMAP dib = CreateDib32(3, 2, &screen, &bits);
    ASSERT_NE(dib, nullptr);
    EXPECT_NE(bits, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectW(dib, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBmih.biSize, 40u);
    EXPECT_EQ(section.dsBmih.biWidth, 3);
    EXPECT_EQ(section.dsBmih.biHeight, 2) << "positive: bottom-up";
    EXPECT_EQ(section.dsBmih.biPlanes, 1);
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(section.dsBmih.biSizeImage, 24u);
    EXPECT_EQ(section.dsBm.bmBits, bits);
    // Bottom-up: the first row in memory is the bottom row of the picture.
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    const HGDIOBJ old = dc.SelectObject(dib);
    ::SetPixelV(dc, 0, 1, RGB(1, 2, 3));
    ::GdiFlush();
    EXPECT_EQ(static_cast<const DWORD*>(bits)[0] & 0xFFFFFF, 0x010203u);
    dc.SelectObject(old);
    ::DeleteObject(dib);
}

TEST(CreateDib32, ANonPositiveSizeGivesNull) {
    const CSize cases[] = {{0, 2}, {3, 0}, {0, 0}, {-3, 2}, {3, -2}};
    CClientDC screen(nullptr);
    for (const CSize& size : cases) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        void* bits = nullptr;
        EXPECT_EQ(CreateDib32(size.cx, size.cy, &screen, &bits), nullptr);
    }
}

} // namespace
