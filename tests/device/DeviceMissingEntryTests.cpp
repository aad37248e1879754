// A device library that lacks an entry point: AMDeviceStartSession (no session is opened and
// every arrival counts as connected) or AMDeviceEnterRecovery (the Enter command is refused).
// One program per layout; FERROLITE_TEST_LAYOUT names it.
#include "DeviceTestSupport.h"

#include "DeviceMonitor.h"
#include "DeviceSlot.h"
#include "SimLibrary.h"

#include <vector>

namespace {

testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new SimLayoutEnvironment(FERROLITE_TEST_LAYOUT, /*monitor=*/false));

bool LayoutIs(const wchar_t* layout) {
    return std::wstring(FERROLITE_TEST_LAYOUT) == layout;
}

class MissingEntryTest : public MainDialogTest {
protected:
    WindowState State() const { return {StatusText(), EnterEnabled(), ExitEnabled()}; }
};

TEST_F(MissingEntryTest, WithoutStartSessionAnArrivalShowsConnectedWithoutAnyCall) {
    if (!LayoutIs(L"no-start-session")) {
        GTEST_SKIP() << "needs the library without AMDeviceStartSession";
    }
    void* const device = PlugDevice("normal", "connect-refused");
    DeviceNotificationInfo info{device, kDeviceAttached};
    OnDeviceNotification(&info);
    Pump();

    EXPECT_EQ(State(), (WindowState{kConnected, true, false}));
    EXPECT_EQ(m_sim.CallLog(), std::vector<std::string>{});
}

// In a fresh process no recovery-mode device was ever reported: after Enter, Exit is enabled
// with an empty recovery handle, and clicking it calls nothing.
TEST_F(MissingEntryTest, ExitWithAnEmptyRecoveryHandleCallsNothing) {
    if (!LayoutIs(L"no-start-session")) {
        GTEST_SKIP() << "needs the library without AMDeviceStartSession";
    }
    ASSERT_EQ(CurrentRecoveryDevice.Get(), nullptr)
        << "a recovery-mode device was reported earlier in this process";
    void* const device = PlugDevice("normal");
    DeviceNotificationInfo info{device, kDeviceAttached};
    OnDeviceNotification(&info);
    Pump();
    Click(IDC_ENTER_RECOVERY);
    ASSERT_EQ(State(), (WindowState{kConnected, false, true}));

    ASSERT_TRUE(m_sim.ClearLog());
    Click(IDC_EXIT_RECOVERY);
    EXPECT_EQ(m_sim.CallLog(), std::vector<std::string>{});
    EXPECT_EQ(State(), (WindowState{kConnected, false, true}));
}

TEST_F(MissingEntryTest, WithoutEnterRecoveryEnterIsRefusedWithoutCrashing) {
    if (!LayoutIs(L"no-enter-recovery")) {
        GTEST_SKIP() << "needs the library without AMDeviceEnterRecovery";
    }
    void* const device = PlugDevice("normal");
    DeviceNotificationInfo info{device, kDeviceAttached};
    OnDeviceNotification(&info);
    Pump();
    ASSERT_TRUE(m_sim.ClearLog());

    Click(IDC_ENTER_RECOVERY);

    EXPECT_EQ(m_sim.CallLog(), (std::vector<std::string>{CallLine("AMDeviceGetInterfaceType", device, 1)}));
    EXPECT_EQ(State(), (WindowState{kConnected, true, false}));
}

} // namespace
