// The main dialog tests' environment (GDI+, common controls, the simulated device library from its
// full install layout) and the helpers they share.
#include "UiTestSupport.h"
#include "PngEncoder.h"

#include "CWinApp.h"
#include "MobileDeviceApi.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace uitest {

namespace {

// The test program's application object, whose main window the dialog's device side posts to.
CWinApp g_testApp(L"Ferrolite dialog tests");

COLORREF g_originalFace = 0;

// The DialogWatcher of the running timer; thread timers carry no data of their own.
DialogWatcher* g_watcher = nullptr;

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

class DialogTestEnvironment : public testing::Environment {
public:
    void SetUp() override {
        g_originalFace = ::GetSysColor(COLOR_BTNFACE);
        const Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        ::CreateDirectoryW((ProgramFolder() + L"\\Images").c_str(), nullptr);
        const std::wstring layout = std::wstring(FERROLITE_SIM_LAYOUTS) + L"\\full";
        ASSERT_TRUE(::SetEnvironmentVariableW(L"CommonProgramFiles", layout.c_str()));
        ASSERT_TRUE(::SetEnvironmentVariableW(L"FERROLITE_SIM_PIPE", L"none"));
        ASSERT_TRUE(BindMobileDeviceLibrary())
            << "the simulator's full layout did not bind; is the build's sim/layouts folder complete?";
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

[[maybe_unused]] testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new DialogTestEnvironment);

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text)
        narrow += c == L'\n' ? std::string("\\n") : std::string(1, static_cast<char>(c));
    return narrow;
}

} // namespace

LRESULT TestDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SIZE || m_firstSize.seen)
        return CPivotraDlg::WindowProc(message, wParam, lParam);
    m_firstSize.seen = true;
    m_firstSize.helpControlExisted = ::GetDlgItem(m_hWnd, IDC_HELP_BUTTON) != nullptr;
    m_firstSize.helpBound = m_btnHelp.m_hWnd != nullptr;
    m_firstSize.storedBefore = m_rcClient;
    const LRESULT result = CPivotraDlg::WindowProc(message, wParam, lParam);
    m_firstSize.storedAfter = m_rcClient;
    ::GetClientRect(m_hWnd, &m_firstSize.clientRect);
    return result;
}

COLORREF OriginalButtonFace() {
    return g_originalFace;
}

SysColourOverride::SysColourOverride(std::initializer_list<std::pair<int, COLORREF>> colours) {
    std::vector<COLORREF> values;
    for (const auto& [index, colour] : colours) {
        m_indexes.push_back(index);
        m_previous.push_back(::GetSysColor(index));
        values.push_back(colour);
    }
    EXPECT_TRUE(::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), values.data()));
}

SysColourOverride::~SysColourOverride() {
    ::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), m_previous.data());
}

std::wstring ImagePath(const wchar_t* name) {
    return ProgramFolder() + L"\\Images\\" + name;
}

void WriteButtonStrip(const wchar_t* name, SIZE frame, int alpha) {
    constexpr COLORREF kFrameColours[3] = {RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200)};
    Gdiplus::Bitmap bitmap(3 * frame.cx, frame.cy, PixelFormat32bppARGB);
    for (int y = 0; y < frame.cy; ++y) {
        for (int x = 0; x < 3 * frame.cx; ++x) {
            const COLORREF c = kFrameColours[x / frame.cx];
            bitmap.SetPixel(
                x, y, Gdiplus::Color(static_cast<BYTE>(alpha), GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    }
    CLSID png{};
    ASSERT_TRUE(PngEncoder(&png)) << "GDI+ has no PNG encoder";
    ASSERT_EQ(bitmap.Save(ImagePath(name).c_str(), &png, nullptr), Gdiplus::Ok)
        << "could not write " << Narrow(ImagePath(name));
}

COLORREF TilePixel(int x, int y) {
    // Blue 0x40-0x4F never matches a grey button face, and the three channels tell the position.
    return RGB(x & 0xFF, y & 0xFF, 0x40 | ((x >> 8) & 0x0F));
}

void WriteHeaderTile(SIZE size) {
    const int stride = (3 * size.cx + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = size.cx;
    info.biHeight = size.cy;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * size.cy);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<char> bytes(file.bfSize, 0);
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    for (int y = 0; y < size.cy; ++y) {
        char* row = bytes.data() + file.bfOffBits + static_cast<size_t>(size.cy - 1 - y) * stride;
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF c = TilePixel(x, y);
            row[3 * x] = static_cast<char>(GetBValue(c));
            row[3 * x + 1] = static_cast<char>(GetGValue(c));
            row[3 * x + 2] = static_cast<char>(GetRValue(c));
        }
    }
    const HANDLE out = ::CreateFileW(ImagePath(L"Dlg_Common_Top.bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE) << "could not create the header tile";
    DWORD written = 0;
    const BOOL wrote = ::WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(out);
    ASSERT_TRUE(wrote && written == bytes.size()) << "could not write the header tile";
}

void RemoveHeaderTile() {
    ::DeleteFileW(ImagePath(L"Dlg_Common_Top.bmp").c_str());
    ASSERT_EQ(::GetFileAttributesW(ImagePath(L"Dlg_Common_Top.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

DialogWatcher::DialogWatcher() {
    g_watcher = this;
    m_timer = ::SetTimer(nullptr, 0, 20, &DialogWatcher::OnTimer);
}

DialogWatcher::~DialogWatcher() {
    ::KillTimer(nullptr, m_timer);
    g_watcher = nullptr;
}

void CALLBACK DialogWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    DialogWatcher* watcher = g_watcher;
    if (!watcher)
        return;
    const size_t before = watcher->m_seen.size();
    ::EnumThreadWindows(::GetCurrentThreadId(), &DialogWatcher::OnWindow, reinterpret_cast<LPARAM>(watcher));
    if (watcher->m_seen.size() != before) {
        watcher->m_ticks = 0;
    } else if (++watcher->m_ticks == 500) {
        watcher->m_gaveUp = true;
        ::PostQuitMessage(0);
    }
}

BOOL CALLBACK DialogWatcher::OnWindow(HWND hwnd, LPARAM lParam) {
    auto* watcher = reinterpret_cast<DialogWatcher*>(lParam);
    wchar_t className[64] = {};
    ::GetClassNameW(hwnd, className, 64);
    const HWND owner = ::GetWindow(hwnd, GW_OWNER);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(hwnd) || !owner)
        return TRUE;
    for (const SeenDialog& seen : watcher->m_seen) {
        if (seen.hwnd == hwnd)
            return TRUE;
    }
    wchar_t caption[256] = {};
    ::GetWindowTextW(hwnd, caption, 256);
    wchar_t message[256] = {};
    ::GetDlgItemTextW(hwnd, 0xFFFF, message, 256);
    watcher->m_seen.push_back({hwnd, owner, caption, message});
    ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return TRUE;
}

ClientPixels::ClientPixels(HWND wnd) {
    RECT client{};
    ::GetClientRect(wnd, &client);
    m_width = client.right;
    m_height = client.bottom;
    if (m_width <= 0 || m_height <= 0)
        return;
    m_pixels.resize(static_cast<size_t>(m_width) * m_height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    const HDC screen = ::GetDC(wnd);
    ::BitBlt(memory, 0, 0, m_width, m_height, screen, 0, 0, SRCCOPY);
    ::ReleaseDC(wnd, screen);
    ::GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    m_pixels.assign(source, source + m_pixels.size());
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
}

COLORREF ClientPixels::At(int x, int y) const {
    const std::uint32_t p = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string ColourText(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%d, %d, %d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

std::string RectText(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof(text), "(%ld, %ld)-(%ld, %ld)", rect.left, rect.top, rect.right, rect.bottom);
    return text;
}

testing::AssertionResult Filled(const ClientPixels& pixels, const RECT& area, COLORREF colour,
                                const std::vector<CRect>& skipped) {
    int checked = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (std::any_of(skipped.begin(), skipped.end(), [&](const CRect& r) {
                    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                }))
                continue;
            ++checked;
            if (pixels.At(x, y) != colour) {
                return testing::AssertionFailure()
                       << "(" << x << ", " << y << ") is " << ColourText(pixels.At(x, y)) << ", expected "
                       << ColourText(colour);
            }
        }
    }
    if (checked == 0)
        return testing::AssertionFailure() << "nothing of " << RectText(area) << " was left to check";
    return testing::AssertionSuccess();
}

void MainDialogTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(WriteButtonStrip(L"Button_Top_Help.png", kDefaultFrame, 255));
    ASSERT_NO_FATAL_FAILURE(WriteButtonStrip(L"Button_Top_About.png", kDefaultFrame, 255));
    ASSERT_NO_FATAL_FAILURE(WriteHeaderTile(kDefaultTile));
}

void MainDialogTest::TearDown() {
    Close();
}

void MainDialogTest::Open() {
    m_dlg = new TestDialog();
    // Registered before it exists, as the application object does.
    g_testApp.m_pMainWnd = m_dlg;
    ASSERT_TRUE(m_dlg->Create(IDD_MAIN_DIALOG)) << "the main dialog could not be created from its template";
    Pump();
    ASSERT_TRUE(::UpdateWindow(Hwnd()));
}

void MainDialogTest::Close() {
    if (!m_dlg)
        return;
    m_dlg->DestroyWindow();
    delete m_dlg;
    m_dlg = nullptr;
    g_testApp.m_pMainWnd = nullptr;
    Pump();
}

CRect MainDialogTest::ChildRect(int id) const {
    return ChildRect(::GetDlgItem(Hwnd(), id));
}

CRect MainDialogTest::ChildRect(HWND child) const {
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(HWND_DESKTOP, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<CRect> MainDialogTest::ChildRects() const {
    std::vector<CRect> rects;
    for (HWND child = ::GetWindow(Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        rects.push_back(ChildRect(child));
    return rects;
}

CRect MainDialogTest::MapTemplateRect(int x, int y, int width, int height) const {
    RECT rect{x, y, x + width, y + height};
    ::MapDialogRect(Hwnd(), &rect);
    return rect;
}

void MainDialogTest::Repaint() {
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

void MainDialogTest::Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            m_quitCodes.push_back(static_cast<int>(message.wParam));
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace uitest

void PrintTo(const CRect& rect, std::ostream* out) {
    *out << uitest::RectText(rect);
}
