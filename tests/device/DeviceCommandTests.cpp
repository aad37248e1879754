// The two recovery-mode commands, clicked as a user would, asserted through the simulator's
// call log and the two buttons.
#include "DeviceTestSupport.h"

#include "DeviceMonitor.h"
#include "DeviceSlot.h"
#include "SimLibrary.h"

#include <vector>

namespace {

class DeviceCommandTest : public MainDialogTest {
protected:
    // A normal-mode device reported attached, its session opened, and the log cleared.
    void* AttachNormal(const char* flags = "") {
        void* const device = PlugDevice("normal", flags);
        DeviceNotificationInfo info{device, kDeviceAttached};
        OnDeviceNotification(&info);
        Pump();
        EXPECT_TRUE(m_sim.ClearLog());
        return device;
    }
    // A recovery-mode device reported attached, and the log cleared.
    void* AttachRecovery(const char* flags = "") {
        void* const device = PlugDevice("recovery", flags);
        OnRecoveryDeviceConnected(device);
        Pump();
        EXPECT_TRUE(m_sim.ClearLog());
        return device;
    }
    WindowState State() const { return {StatusText(), EnterEnabled(), ExitEnabled()}; }
};

TEST_F(DeviceCommandTest, EnterOnAWifiDeviceAsksOnlyTheInterfaceTypeAndChangesNothing) {
    void* const device = AttachNormal("wifi");
    const WindowState before = State();

    Click(IDC_ENTER_RECOVERY);

    EXPECT_EQ(m_sim.CallLog(), (std::vector<std::string>{CallLine("AMDeviceGetInterfaceType", device, 2)}));
    EXPECT_EQ(State(), before);
}

TEST_F(DeviceCommandTest, RefusedEnterLeavesEnterAvailable) {
    void* const device = AttachNormal("enter-refused");
    const WindowState before = State();

    Click(IDC_ENTER_RECOVERY);

    EXPECT_EQ(m_sim.CallLog(),
              (std::vector<std::string>{CallLine("AMDeviceGetInterfaceType", device, 1),
                                        CallLine("AMDeviceEnterRecovery", device, kSimRefused)}));
    EXPECT_EQ(State(), before);
    EXPECT_TRUE(EnterEnabled());
}

// Right after a successful Enter, Exit is enabled while the recovery handle still names an
// earlier recovery-mode device that has left: Exit then calls nothing.
TEST_F(DeviceCommandTest, EnterSwapsTheButtonsAndExitOnADepartedRecoveryDeviceCallsNothing) {
    void* const earlier = AttachRecovery();
    OnDeviceDisconnected(earlier);
    void* const device = AttachNormal();

    Click(IDC_ENTER_RECOVERY);
    EXPECT_EQ(m_sim.CallLog(), (std::vector<std::string>{CallLine("AMDeviceGetInterfaceType", device, 1),
                                                         CallLine("AMDeviceEnterRecovery", device, kSimOk)}));
    EXPECT_EQ(State(), (WindowState{kConnected, false, true}));

    ASSERT_TRUE(m_sim.ClearLog());
    Click(IDC_EXIT_RECOVERY);
    EXPECT_EQ(m_sim.CallLog(), std::vector<std::string>{});
    EXPECT_EQ(State(), (WindowState{kConnected, false, true}));
}

TEST_F(DeviceCommandTest, ExitRebootsEvenWhenAutoBootIsRefusedAndSwapsTheButtons) {
    void* const device = AttachRecovery("autoboot-refused");

    Click(IDC_EXIT_RECOVERY);

    EXPECT_EQ(m_sim.CallLog(),
              (std::vector<std::string>{CallLine("AMRecoveryModeDeviceSetAutoBoot", device, 1, kSimRefused),
                                        CallLine("AMRecoveryModeDeviceReboot", device, kSimOk)}));
    EXPECT_EQ(State(), (WindowState{kRecoveryMode, true, false}));
}

TEST_F(DeviceCommandTest, RefusedRebootLeavesExitAvailable) {
    void* const device = AttachRecovery("reboot-refused");
    const WindowState before = State();

    Click(IDC_EXIT_RECOVERY);

    EXPECT_EQ(m_sim.CallLog(),
              (std::vector<std::string>{CallLine("AMRecoveryModeDeviceSetAutoBoot", device, 1, kSimOk),
                                        CallLine("AMRecoveryModeDeviceReboot", device, kSimRefused)}));
    EXPECT_EQ(State(), before);
}

// After Exit, Enter is enabled while CurrentDevice still names the device as it was before it
// went into recovery mode, which has since been reported detached: Enter then calls nothing.
TEST_F(DeviceCommandTest, EnterOnADepartedNormalDeviceAfterExitCallsNothing) {
    const int id = m_sim.Plug("normal");
    void* const device = m_sim.Handle(id);
    DeviceNotificationInfo info{device, kDeviceAttached};
    OnDeviceNotification(&info);
    Pump();
    Click(IDC_ENTER_RECOVERY);
    info.message = kDeviceDetached;
    OnDeviceNotification(&info);
    void* const recovery = m_sim.Handle(id);
    OnRecoveryDeviceConnected(recovery);
    Pump();
    Click(IDC_EXIT_RECOVERY);
    ASSERT_EQ(State(), (WindowState{kRecoveryMode, true, false}));

    ASSERT_TRUE(m_sim.ClearLog());
    Click(IDC_ENTER_RECOVERY);
    EXPECT_EQ(m_sim.CallLog(), std::vector<std::string>{});
    EXPECT_EQ(State(), (WindowState{kRecoveryMode, true, false}));
    EXPECT_EQ(m_sim.Notes(), std::vector<std::string>{});
}

} // namespace
