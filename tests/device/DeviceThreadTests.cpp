// The device service with the simulator's own notification thread: the typical road through
// recovery mode and back, a burst of notifications while the user-interface thread is busy,
// and a departure delivered while the user-interface thread waits inside the library.
#include "DeviceTestSupport.h"

#include "DeviceSlot.h"

#include <vector>

namespace {

testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new SimLayoutEnvironment(L"full", /*monitor=*/true));

// The simulator holds its notifications (see MainDialogTest); Step delivers the next one and
// returns once its handler has.
class DeviceThreadTest : public MainDialogTest {
protected:
    // Delivers the next notification on the library's thread and applies what it posted.
    void DeliverNext() {
        ASSERT_TRUE(m_sim.Step()) << "no notification was queued, or its handler did not return within 10 s";
        Pump();
    }
    WindowState State() const { return {StatusText(), EnterEnabled(), ExitEnabled()}; }
};

TEST_F(DeviceThreadTest, TypicalRoadThroughRecoveryModeAndBack) {
    const int id = m_sim.Plug("normal");
    DeliverNext();
    EXPECT_EQ(State(), (WindowState{kConnected, true, false})) << "after the normal-mode arrival";

    Click(IDC_ENTER_RECOVERY);
    EXPECT_EQ(State(), (WindowState{kConnected, false, true})) << "after Enter";
    DeliverNext();
    EXPECT_EQ(State(), (WindowState{kNotConnected, false, false})) << "after the normal-mode departure";
    DeliverNext();
    EXPECT_EQ(State(), (WindowState{kRecoveryMode, false, true})) << "after the recovery-mode arrival";
    EXPECT_EQ(CurrentRecoveryDevice.Get(), m_sim.Handle(id));

    Click(IDC_EXIT_RECOVERY);
    EXPECT_EQ(State(), (WindowState{kRecoveryMode, true, false})) << "after Exit";
    DeliverNext();
    EXPECT_EQ(State(), (WindowState{kNotConnected, false, false})) << "after the recovery-mode departure";
    DeliverNext();
    EXPECT_EQ(State(), (WindowState{kConnected, true, false})) << "after the normal-mode arrival";
    EXPECT_EQ(CurrentDevice.Get(), m_sim.Handle(id));
    EXPECT_EQ(m_sim.Notes(), std::vector<std::string>{});
}

// 10,000 alternating departures and arrivals while this thread does not pump: at most one
// message waits in its queue, and the window ends as the last notification left it.
TEST_F(DeviceThreadTest, BurstWhileTheInterfaceThreadIsBusyEndsInTheLastState) {
    const int id = m_sim.Plug("normal");
    DeliverNext();
    m_sim.Plug("recovery");
    DeliverNext();
    ASSERT_EQ(State(), (WindowState{kRecoveryMode, true, true}));

    ASSERT_EQ(m_sim.Execute("burst " + std::to_string(id) + " 10000"), "ok");
    ASSERT_TRUE(m_sim.Hold(false));
    ASSERT_TRUE(m_sim.WaitIdle(std::chrono::milliseconds{60000}))
        << "the burst was not delivered within 60 s";

    EXPECT_LE(Pump(), 1) << "more than one window-effect message was queued";
    // The burst ends with an arrival; the departure before it disabled Exit.
    EXPECT_EQ(State(), (WindowState{kConnected, true, false}));
    EXPECT_EQ(CurrentDevice.AttachedHandle(), m_sim.Handle(id));
    EXPECT_EQ(m_sim.Notes(), std::vector<std::string>{});
}

// With sync-departure, AMDeviceEnterRecovery delivers the departure on the library's thread and
// waits for its handler; a handler that waited for this thread would never return, and the
// simulator would note it after 10 s.
TEST_F(DeviceThreadTest, DepartureDeliveredDuringEnterRecoveryDoesNotDeadlock) {
    m_sim.Plug("normal", "sync-departure");
    DeliverNext();

    Click(IDC_ENTER_RECOVERY);
    EXPECT_EQ(m_sim.Notes(), std::vector<std::string>{});
    EXPECT_EQ(State(), (WindowState{kConnected, false, true}))
        << "the departure was applied before Enter's own change";
    Pump();
    EXPECT_EQ(State(), (WindowState{kNotConnected, false, false}));
    DeliverNext();
    EXPECT_EQ(State(), (WindowState{kRecoveryMode, false, true}));
}

} // namespace
