// Device notifications and what they leave on the main window, with the library calls of the
// session that a normal-mode arrival opens. The handlers are called here as the library calls
// them; this program registers no handler, so the simulator delivers nothing of its own.
#include "DeviceTestSupport.h"

#include "DeviceMonitor.h"
#include "DeviceSlot.h"
#include "SimFormat.h"
#include "SimLibrary.h"

#include <optional>
#include <vector>

namespace {

testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new SimLayoutEnvironment(L"full", /*monitor=*/false));

enum class Event { Attach, Detach, RecoveryAttach, RecoveryDetach, DfuAttach, DfuDetach, Message0, Message3 };
enum class Change { Unchanged, Enable, Disable };

struct EventCase {
    const char* name;
    Event event;
    const char* flags;
    const wchar_t* status; // null: unchanged
    Change enter;
    Change exit;
    // How many of the session's six calls are made; the last one made is the one that failed.
    int sessionCalls;
    bool sessionOpens;
};

const EventCase kEventCases[] = {
    {"AttachSessionOpens", Event::Attach, "", kConnected, Change::Enable, Change::Unchanged, 6, true},
    {"AttachConnectRefused", Event::Attach, "connect-refused", nullptr, Change::Enable, Change::Unchanged, 3,
     false},
    {"AttachNotPaired", Event::Attach, "not-paired", nullptr, Change::Enable, Change::Unchanged, 4, false},
    {"AttachPairingInvalid", Event::Attach, "pairing-invalid", nullptr, Change::Enable, Change::Unchanged, 5,
     false},
    {"AttachSessionRefused", Event::Attach, "session-refused", nullptr, Change::Enable, Change::Unchanged, 6,
     false},
    {"Detach", Event::Detach, "", kNotConnected, Change::Disable, Change::Disable, 0, false},
    {"RecoveryAttach", Event::RecoveryAttach, "", kRecoveryMode, Change::Unchanged, Change::Enable, 0, false},
    {"RecoveryDetach", Event::RecoveryDetach, "", kNotConnected, Change::Disable, Change::Disable, 0, false},
    {"DfuAttach", Event::DfuAttach, "", kDfuConnected, Change::Unchanged, Change::Unchanged, 0, false},
    {"DfuDetach", Event::DfuDetach, "", kDfuExited, Change::Unchanged, Change::Unchanged, 0, false},
    {"Message0", Event::Message0, "", nullptr, Change::Unchanged, Change::Unchanged, 0, false},
    {"Message3", Event::Message3, "", nullptr, Change::Unchanged, Change::Unchanged, 0, false},
};

bool Apply(bool before, Change change) {
    return change == Change::Unchanged ? before : change == Change::Enable;
}

const char* ModeOf(Event event) {
    switch (event) {
    case Event::RecoveryAttach:
    case Event::RecoveryDetach:
        return "recovery";
    case Event::DfuAttach:
    case Event::DfuDetach:
        return "dfu";
    default:
        return "normal";
    }
}

void Deliver(Event event, void* handle) {
    DeviceNotificationInfo info{handle, 0};
    switch (event) {
    case Event::Attach:
        info.message = kDeviceAttached;
        OnDeviceNotification(&info);
        break;
    case Event::Detach:
        info.message = kDeviceDetached;
        OnDeviceNotification(&info);
        break;
    case Event::Message0:
        OnDeviceNotification(&info);
        break;
    case Event::Message3:
        info.message = 3;
        OnDeviceNotification(&info);
        break;
    case Event::RecoveryAttach:
        OnRecoveryDeviceConnected(handle);
        break;
    case Event::RecoveryDetach:
        OnDeviceDisconnected(handle);
        break;
    case Event::DfuAttach:
        OnDfuDeviceConnected(handle);
        break;
    case Event::DfuDetach:
        OnDfuDeviceDisconnected(handle);
        break;
    }
}

// The session's calls on the device, in order, up to the one that failed.
std::vector<std::string> SessionCalls(void* device, const EventCase& c) {
    const std::vector<std::string> all = {
        CallLine("AMDeviceStopSession", device, kSimOk),
        CallLine("AMDeviceDisconnect", device, kSimOk),
        CallLine("AMDeviceConnect", device, c.sessionCalls == 3 ? kSimRefused : kSimOk),
        CallLine("AMDeviceIsPaired", device, c.sessionCalls == 4 ? 0 : 1),
        CallLine("AMDeviceValidatePairing", device, c.sessionCalls == 5 ? kSimRefused : kSimOk),
        CallLine("AMDeviceStartSession", device,
                 c.sessionCalls == 6 && !c.sessionOpens ? kSimRefused : kSimOk),
    };
    return std::vector<std::string>(all.begin(), all.begin() + c.sessionCalls);
}

class DeviceEventTest : public MainDialogTest, public testing::WithParamInterface<EventCase> {};

// Each event from two starting states, the template's and one with a marker text and both
// buttons enabled, so that every field shows whether the event set it or left it alone.
TEST_P(DeviceEventTest, LeavesTheWindowAsTheEventTableSays) {
    const EventCase& c = GetParam();
    for (const bool primed : {false, true}) {
        SCOPED_TRACE(primed ? "from a primed window" : "from the template's window");
        ASSERT_TRUE(m_sim.Reset());
        ASSERT_TRUE(m_sim.Hold(true));
        if (primed) {
            SetDlgItemTextW(m_dlg->GetSafeHwnd(), IDC_STATUS, L"primed");
            m_dlg->m_btnEnter.EnableWindow(TRUE);
            m_dlg->m_btnExit.EnableWindow(TRUE);
        }
        const WindowState before{StatusText(), EnterEnabled(), ExitEnabled()};
        void* const device = PlugDevice(ModeOf(c.event), c.flags);

        Deliver(c.event, device);
        Pump();

        const WindowState expected{c.status ? c.status : before.status, Apply(before.enter, c.enter),
                                   Apply(before.exit, c.exit)};
        EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}), expected);
        EXPECT_EQ(m_sim.CallLog(), SessionCalls(device, c));
        EXPECT_EQ(m_sim.Notes(), std::vector<std::string>{});
        if (c.event == Event::Attach) {
            EXPECT_EQ(CurrentDevice.Get(), device);
        }
        if (c.event == Event::RecoveryAttach) {
            EXPECT_EQ(CurrentRecoveryDevice.Get(), device);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EventTable, DeviceEventTest, testing::ValuesIn(kEventCases),
                         [](const testing::TestParamInfo<EventCase>& info) {
                             return std::string(info.param.name);
                         });

using DeviceEventEdgeTest = MainDialogTest;

TEST_F(DeviceEventEdgeTest, SecondDeviceReplacesCurrentDeviceAndLeavesTheFirstSessionOpen) {
    void* const first = PlugDevice("normal");
    void* const second = PlugDevice("normal");
    DeviceNotificationInfo info{first, kDeviceAttached};
    OnDeviceNotification(&info);
    ASSERT_TRUE(m_sim.ClearLog());

    info.device = second;
    OnDeviceNotification(&info);
    Pump();

    EXPECT_EQ(CurrentDevice.Get(), second);
    EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}),
              (WindowState{kConnected, true, false}));
    for (const std::string& line : m_sim.CallLog()) {
        EXPECT_EQ(line.find(SimFormatPointer(first)), std::string::npos)
            << "the first device was touched: " << line;
    }
    EXPECT_EQ(m_sim.CallLog().size(), 6u);
}

TEST_F(DeviceEventEdgeTest, DetachOfAnotherDeviceShowsNotConnectedAndKeepsCurrentDeviceAttached) {
    void* const first = PlugDevice("normal");
    void* const second = PlugDevice("normal");
    DeviceNotificationInfo info{first, kDeviceAttached};
    OnDeviceNotification(&info);
    info.device = second;
    OnDeviceNotification(&info);

    info = {first, kDeviceDetached};
    OnDeviceNotification(&info);
    Pump();

    EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}),
              (WindowState{kNotConnected, false, false}));
    EXPECT_EQ(CurrentDevice.Get(), second);
    EXPECT_EQ(CurrentDevice.AttachedHandle(), second);
}

TEST_F(DeviceEventEdgeTest, DetachKeepsTheDepartedHandleButNoLongerOffersIt) {
    void* const device = PlugDevice("normal");
    DeviceNotificationInfo info{device, kDeviceAttached};
    OnDeviceNotification(&info);
    info.message = kDeviceDetached;
    OnDeviceNotification(&info);

    EXPECT_EQ(CurrentDevice.Get(), device);
    EXPECT_EQ(CurrentDevice.AttachedHandle(), nullptr);
}

TEST_F(DeviceEventEdgeTest, DfuEventsChangeOnlyTheText) {
    void* const normal = PlugDevice("normal");
    void* const recovery = PlugDevice("recovery");
    DeviceNotificationInfo info{normal, kDeviceAttached};
    OnDeviceNotification(&info);
    OnRecoveryDeviceConnected(recovery);
    void* const dfu = PlugDevice("dfu");

    OnDfuDeviceConnected(dfu);
    Pump();
    EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}),
              (WindowState{kDfuConnected, true, true}));
    OnDfuDeviceDisconnected(dfu);
    Pump();
    EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}),
              (WindowState{kDfuExited, true, true}));
    EXPECT_EQ(CurrentDevice.AttachedHandle(), normal);
    EXPECT_EQ(CurrentRecoveryDevice.AttachedHandle(), recovery);
}

TEST_F(DeviceEventEdgeTest, WithoutMainWindowTheEffectIsDroppedAndTheHandleStored) {
    CloseDialog();
    void* const device = PlugDevice("normal");
    DeviceNotificationInfo info{device, kDeviceAttached};
    OnDeviceNotification(&info);
    EXPECT_EQ(CurrentDevice.Get(), device);

    OpenDialog();
    Pump();
    EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}),
              (WindowState{kTemplateStatus, false, false}));
}

// An effect still waiting when its window closes must neither reach the next main window nor
// keep that window's own effects from being posted.
TEST_F(DeviceEventEdgeTest, EffectLeftForAClosedWindowDoesNotReachOrStarveTheNextOne) {
    void* const device = PlugDevice("normal");
    DeviceNotificationInfo info{device, kDeviceAttached};
    OnDeviceNotification(&info);
    CloseDialog();
    OpenDialog();
    EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}),
              (WindowState{kTemplateStatus, false, false}));

    OnRecoveryDeviceConnected(PlugDevice("recovery"));
    Pump();
    EXPECT_EQ((WindowState{StatusText(), EnterEnabled(), ExitEnabled()}),
              (WindowState{kRecoveryMode, false, true}));
}

} // namespace
