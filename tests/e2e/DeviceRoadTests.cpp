// Simulated devices plugged into the real program through the simulator's pipe: the typical road
// into recovery mode and back, the refusals, DFU mode; the status line and both commands are read
// at every step. The simulator holds its notifications, so each one arrives when the test steps it.
#include "ProgramTest.h"
#include "ProgramTexts.h"
#include "SimFormat.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using DeviceRoadTest = ProgramTest;

bool Has(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

TEST_F(DeviceRoadTest, TypicalRoadIntoRecoveryModeAndBack) {
    ASSERT_TRUE(Shows({kTemplateStatus, false, false}));
    SaveScreenshot(m_main, L"main-not-connected.png");

    const int device = m_sim->Plug("normal");
    ASSERT_GT(device, 0);
    void* const normal = m_sim->Handle(device);
    ASSERT_TRUE(Step("normal-attach"));
    ASSERT_TRUE(Shows({kConnected, true, false}));
    SaveScreenshot(m_main, L"main-connected.png");
    const std::vector<std::string> session = m_sim->CallLog();
    for (const char* entry :
         {"AMDeviceConnect", "AMDeviceIsPaired", "AMDeviceValidatePairing", "AMDeviceStartSession"}) {
        EXPECT_TRUE(std::any_of(session.begin(), session.end(),
                                [&](const std::string& line) { return line.rfind(entry, 0) == 0; }))
            << entry << " was not called:\n"
            << LogLines(session);
    }

    ASSERT_TRUE(Click(IDC_ENTER_RECOVERY));
    ASSERT_TRUE(Shows({kConnected, false, true}));
    EXPECT_TRUE(Has(m_sim->CallLog(), "AMDeviceGetInterfaceType(" + SimFormatPointer(normal) + ") -> 0x1"))
        << LogLines(m_sim->CallLog());
    EXPECT_TRUE(Has(m_sim->CallLog(), "AMDeviceEnterRecovery(" + SimFormatPointer(normal) + ") -> 0x0"))
        << LogLines(m_sim->CallLog());
    ASSERT_TRUE(Step("normal-detach"));
    ASSERT_TRUE(Shows({kNotConnected, false, false}));
    ASSERT_TRUE(Step("recovery-attach"));
    ASSERT_TRUE(Shows({kRecoveryMode, false, true}));
    SaveScreenshot(m_main, L"main-recovery.png");

    void* const recovery = m_sim->Handle(device);
    ASSERT_TRUE(Click(IDC_EXIT_RECOVERY));
    ASSERT_TRUE(Shows({kRecoveryMode, true, false}));
    EXPECT_TRUE(Has(m_sim->CallLog(),
                    "AMRecoveryModeDeviceSetAutoBoot(" + SimFormatPointer(recovery) + ", 1) -> 0x0"))
        << LogLines(m_sim->CallLog());
    EXPECT_TRUE(
        Has(m_sim->CallLog(), "AMRecoveryModeDeviceReboot(" + SimFormatPointer(recovery) + ") -> 0x0"))
        << LogLines(m_sim->CallLog());
    ASSERT_TRUE(Step("recovery-detach"));
    ASSERT_TRUE(Shows({kNotConnected, false, false}));
    ASSERT_TRUE(Step("normal-attach"));
    ASSERT_TRUE(Shows({kConnected, true, false}));
    EXPECT_EQ(m_sim->Execute("notes"), "") << "calls the simulator could not apply";
}

TEST_F(DeviceRoadTest, EnterRefusedChangesNothing) {
    ASSERT_GT(m_sim->Plug("normal", "enter-refused"), 0);
    ASSERT_TRUE(Step("normal-attach"));
    ASSERT_TRUE(Shows({kConnected, true, false}));
    ASSERT_TRUE(Click(IDC_ENTER_RECOVERY));
    EXPECT_EQ(State(), (WindowState{kConnected, true, false}));
    const std::vector<std::string> log = m_sim->CallLog();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.rfind("AMDeviceEnterRecovery(", 0) == 0 &&
               line.find("-> 0xe8000001") != std::string::npos;
    })) << LogLines(log);
    EXPECT_EQ(m_sim->Execute("step"), "empty") << "a refused command moves no device";
    EXPECT_TRUE(Click(IDC_ENTER_RECOVERY)) << "the command stays available";
}

TEST_F(DeviceRoadTest, WifiInterfaceIsRefusedWithoutAskingTheDevice) {
    const int device = m_sim->Plug("normal", "wifi");
    ASSERT_GT(device, 0);
    ASSERT_TRUE(Step("normal-attach"));
    ASSERT_TRUE(Shows({kConnected, true, false}));
    ASSERT_TRUE(Click(IDC_ENTER_RECOVERY));
    EXPECT_EQ(State(), (WindowState{kConnected, true, false}));
    const std::vector<std::string> log = m_sim->CallLog();
    EXPECT_TRUE(Has(log, "AMDeviceGetInterfaceType(" + SimFormatPointer(m_sim->Handle(device)) + ") -> 0x2"))
        << LogLines(log);
    EXPECT_FALSE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.rfind("AMDeviceEnterRecovery(", 0) == 0;
    })) << LogLines(log);
}

// Without auto-boot the device reboots into recovery mode again; the commands swap all the same.
TEST_F(DeviceRoadTest, ExitWithFailingAutoBootStillReboots) {
    const int device = m_sim->Plug("normal", "autoboot-refused");
    ASSERT_GT(device, 0);
    ASSERT_TRUE(Step("normal-attach"));
    ASSERT_TRUE(Shows({kConnected, true, false}));
    ASSERT_TRUE(Click(IDC_ENTER_RECOVERY));
    ASSERT_TRUE(Step("normal-detach"));
    ASSERT_TRUE(Shows({kNotConnected, false, false}));
    ASSERT_TRUE(Step("recovery-attach"));
    ASSERT_TRUE(Shows({kRecoveryMode, false, true}));
    void* const recovery = m_sim->Handle(device);
    ASSERT_TRUE(Click(IDC_EXIT_RECOVERY));
    ASSERT_TRUE(Shows({kRecoveryMode, true, false}));
    const std::vector<std::string> log = m_sim->CallLog();
    EXPECT_TRUE(
        Has(log, "AMRecoveryModeDeviceSetAutoBoot(" + SimFormatPointer(recovery) + ", 1) -> 0xe8000001"))
        << LogLines(log);
    EXPECT_TRUE(Has(log, "AMRecoveryModeDeviceReboot(" + SimFormatPointer(recovery) + ") -> 0x0"))
        << LogLines(log);
    ASSERT_TRUE(Step("recovery-detach"));
    ASSERT_TRUE(Shows({kNotConnected, false, false}));
    ASSERT_TRUE(Step("recovery-attach"));
    ASSERT_TRUE(Shows({kRecoveryMode, false, true}));
}

TEST_F(DeviceRoadTest, DfuModeChangesOnlyTheText) {
    const int normal = m_sim->Plug("normal");
    ASSERT_GT(normal, 0);
    ASSERT_TRUE(Step("normal-attach"));
    ASSERT_TRUE(Shows({kConnected, true, false}));
    const int dfu = m_sim->Plug("dfu");
    ASSERT_GT(dfu, 0);
    ASSERT_TRUE(Step("dfu-attach"));
    ASSERT_TRUE(Shows({kDfuConnected, true, false}));
    SaveScreenshot(m_main, L"main-dfu.png");
    ASSERT_TRUE(m_sim->Unplug(dfu));
    ASSERT_TRUE(Step("dfu-detach"));
    ASSERT_TRUE(Shows({kDfuExited, true, false}));
}

} // namespace
