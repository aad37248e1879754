// Shared fixtures of the controls tests, and the test environment: GDI+ and the common controls
// are started before the first test and GDI+ is shut down after the last, as the program does.
#include "ControlsTestSupport.h"
#include "PngEncoder.h"

#include "ControlsTestIds.h"
#include "MemDCEx.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace test {

namespace {

std::wstring g_tempFolder;

class ControlsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        wchar_t base[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, base);
        g_tempFolder = std::wstring(base) + L"ferrolite-controls-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(g_tempFolder.c_str(), nullptr);
    }
    void TearDown() override {
        WIN32_FIND_DATAW found{};
        const HANDLE find = ::FindFirstFileW((g_tempFolder + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileW((g_tempFolder + L"\\" + found.cFileName).c_str());
            } while (::FindNextFileW(find, &found));
            ::FindClose(find);
        }
        ::RemoveDirectoryW(g_tempFolder.c_str());
        Gdiplus::GdiplusShutdown(m_token);
    }

private:
    ULONG_PTR m_token = 0;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

} // namespace

Surface::Surface(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_dc.CreateCompatibleDC(nullptr);
    m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
    Fill(fill);
}

Surface::~Surface() {
    ::SelectObject(m_dc.m_hDC, m_old);
    ::DeleteObject(m_bitmap);
}

void Surface::Fill(COLORREF colour) {
    m_dc.FillSolidRect(0, 0, m_width, m_height, colour);
}

COLORREF Surface::At(int x, int y) const {
    ::GdiFlush();
    const std::uint32_t p = m_bits[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Surface::Count(COLORREF colour) const {
    int count = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            count += At(x, y) == colour ? 1 : 0;
    return count;
}

void Surface::CaptureClient(HWND wnd) {
    const HDC dc = ::GetDC(wnd);
    ::BitBlt(m_dc.m_hDC, 0, 0, m_width, m_height, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(wnd, dc);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF Blend(COLORREF colour, int alpha, COLORREF background) {
    const auto mix = [alpha](int front, int back) {
        return (front * alpha + back * (255 - alpha) + 127) / 255;
    };
    return RGB(mix(GetRValue(colour), GetRValue(background)), mix(GetGValue(colour), GetGValue(background)),
               mix(GetBValue(colour), GetBValue(background)));
}

std::wstring TempPath(const wchar_t* name) {
    return g_tempFolder + L"\\" + name;
}

void WritePng(const std::wstring& path, int width, int height, const std::function<Argb(int, int)>& pixel) {
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, Gdiplus::Color(pixel(x, y)));
    CLSID png{};
    ASSERT_TRUE(PngEncoder(&png));
    ASSERT_EQ(bitmap.Save(path.c_str(), &png, nullptr), Gdiplus::Ok);
}

void WriteBmp(const std::wstring& path, int width, int height,
              const std::function<COLORREF(int, int)>& pixel) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            row[3 * x] = static_cast<char>(GetBValue(c));
            row[3 * x + 1] = static_cast<char>(GetGValue(c));
            row[3 * x + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    WriteBytes(path, bytes);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::wstring WriteStrip(const wchar_t* name, int width) {
    const std::wstring path = TempPath(name);
    WritePng(path, width, kFrameHeight, [](int x, int y) {
        const int frame = x / kFrameWidth;
        const COLORREF colour = frame < 3 ? kFrameColour[frame] : kBeyondFrames;
        const int alpha = frame >= 3 || y < 20 ? 255 : y < 30 ? 128 : 0;
        return MakeArgb(alpha, colour);
    });
    return path;
}

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

BEGIN_MESSAGE_MAP(CHostDialog, CDialog)
ON_WM_PAINT()
ON_BN_CLICKED(IDC_HOST_BUTTON, &CHostDialog::OnHelpClicked)
END_MESSAGE_MAP()

CHostDialog::CHostDialog() : CDialog(IDD_CONTROLS_HOST) {}

CHostDialog::~CHostDialog() {
    DestroyWindow();
}

BOOL CHostDialog::Open(CAlphaButton* button, CStaticLink* link, CStaticLink* mnemonic) {
    m_pButton = button;
    m_pLink = link;
    m_pMnemonic = mnemonic;
    if (!Create(IDD_CONTROLS_HOST))
        return FALSE;
    UpdateWindow();
    return TRUE;
}

void CHostDialog::DoDataExchange(CDataExchange* dx) {
    if (m_pButton)
        DDX_Control(dx, IDC_HOST_BUTTON, *m_pButton);
    if (m_pLink)
        DDX_Control(dx, IDC_HOST_LINK, *m_pLink);
    if (m_pMnemonic)
        DDX_Control(dx, IDC_HOST_MNEMONIC, *m_pMnemonic);
}

void CHostDialog::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemDCEx memDC(&dc, client);
    memDC.FillSolidRect(client, m_crBackground);
    if (m_pButton && m_pButton->m_hWnd) {
        CRect button;
        m_pButton->GetWindowRect(&button);
        ScreenToClient(&button);
        const CPoint origin = button.TopLeft();
        m_pButton->DrawImage(&memDC, 0, &origin, FALSE);
    }
}

} // namespace test
