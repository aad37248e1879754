// The end-to-end program's one-time set-up.
#include "E2EEnvironment.h"

#include "E2EFiles.h"
#include "MouseInput.h"

#include <objidl.h>
#include <gdiplus.h>

namespace {

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new E2EEnvironment);

} // namespace

void E2EEnvironment::SetUp() {
    const Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr), Gdiplus::Ok);
    const std::wstring recorder = HelperPath(L"e2e_url_recorder.exe");
    ASSERT_TRUE(IsFile(recorder)) << Narrow(recorder) << " is missing";
    m_httpHandler = std::make_unique<RegistryOverride>(HKEY_LOCAL_MACHINE,
                                                       L"Software\\Classes\\http\\shell\\open\\command", L"",
                                                       L"\"" + recorder + L"\" \"%1\"");
    ASSERT_TRUE(m_httpHandler->Applied()) << "cannot register the URL recorder as the http handler";
    ASSERT_TRUE(MoveMouseTo(ParkingSpot())) << "the pointer does not move";
}

void E2EEnvironment::TearDown() {
    m_httpHandler.reset();
    if (m_gdiplus) {
        Gdiplus::GdiplusShutdown(m_gdiplus);
    }
}
