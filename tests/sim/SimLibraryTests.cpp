// The simulated device library as a program sees it: loaded by path, its entry points called by
// name, its notifications delivered on its own thread; and its two command channels.
#include "SimClient.h"
#include "SimControl.h"
#include "SimFormat.h"
#include "SimLibrary.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using DeviceFn = int(__cdecl*)(void*);
using SubscribeFn = int(__cdecl*)(SimDeviceCallback, unsigned, unsigned, unsigned, void**);
using RegisterFn = int(__cdecl*)(SimRestoreCallback, SimRestoreCallback, SimRestoreCallback,
                                 SimRestoreCallback, void*, void*);
using SetAutoBootFn = int(__cdecl*)(void*, int);

constexpr auto kWait = std::chrono::milliseconds{10000};

// A notification as the test's handlers saw it.
struct Seen {
    std::string kind;
    void* handle;
    std::thread::id thread;
};

// What the handlers saw, with a bounded wait for more.
class Recorder {
public:
    void Add(const char* kind, void* handle) {
        const std::lock_guard lock(m_mutex);
        m_seen.push_back({kind, handle, std::this_thread::get_id()});
        m_changed.notify_all();
    }
    // The first count notifications, once they are there; fewer after the wait ran out.
    std::vector<Seen> WaitFor(std::size_t count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, kWait, [&] { return m_seen.size() >= count; });
        return m_seen;
    }
    std::vector<Seen> Now() {
        const std::lock_guard lock(m_mutex);
        return m_seen;
    }
    void Clear() {
        const std::lock_guard lock(m_mutex);
        m_seen.clear();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Seen> m_seen;
};

Recorder g_recorder;

void __cdecl OnNormal(SimNotificationInfo* info) {
    g_recorder.Add(info->message == 1 ? "normal-attach" : "normal-detach", info->device);
}
void __cdecl OnDfuAttach(void* device) {
    g_recorder.Add("dfu-attach", device);
}
void __cdecl OnRecoveryAttach(void* device) {
    g_recorder.Add("recovery-attach", device);
}
void __cdecl OnDfuDetach(void* device) {
    g_recorder.Add("dfu-detach", device);
}
void __cdecl OnRecoveryDetach(void* device) {
    g_recorder.Add("recovery-detach", device);
}

std::wstring PipeNameOfThisProcess() {
    return std::wstring(kSimDefaultPipeName) + L"-test-" + std::to_wstring(GetCurrentProcessId());
}

// The library, loaded once for the program as the device service loads it.
class SimLibraryTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SetEnvironmentVariableW(kSimPipeVariable, PipeNameOfThisProcess().c_str());
        s_module = LoadLibraryW((std::wstring(FERROLITE_SIM_LAYOUTS) +
                                 L"\\full\\Apple\\Mobile Device Support\\iTunesMobileDevice.dll")
                                    .c_str());
    }

    void SetUp() override {
        ASSERT_NE(s_module, nullptr) << "the simulated library of the build's sim/layouts/full did not load";
        ASSERT_TRUE(m_sim.Reset());
        ASSERT_EQ(m_sim.Execute("unsubscribe"), "ok");
        ASSERT_TRUE(m_sim.SetDelay(std::chrono::milliseconds{0}));
        g_recorder.Clear();
    }

    template <typename Function> Function Entry(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(s_module, name)));
    }
    int Call(const char* name, void* device) const { return Entry<DeviceFn>(name)(device); }

    void Subscribe() {
        void* subscription = nullptr;
        ASSERT_EQ(Entry<SubscribeFn>("AMDeviceNotificationSubscribe")(&OnNormal, 0, 0, 0, &subscription), 0);
        EXPECT_NE(subscription, nullptr);
        ASSERT_EQ(Entry<RegisterFn>("AMRestoreRegisterForDeviceNotifications")(
                      &OnDfuAttach, &OnRecoveryAttach, &OnDfuDetach, &OnRecoveryDetach, nullptr, nullptr),
                  0);
    }

    // Expects exactly these notifications, in order, all on one thread other than this one.
    void ExpectSeen(const std::vector<std::pair<std::string, void*>>& expected) {
        const std::vector<Seen> seen = g_recorder.WaitFor(expected.size());
        ASSERT_EQ(seen.size(), expected.size()) << "not all notifications arrived within 10 s";
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].kind, expected[i].first) << "notification " << i;
            EXPECT_EQ(seen[i].handle, expected[i].second) << "notification " << i;
            EXPECT_NE(seen[i].thread, std::this_thread::get_id()) << "delivered on the caller's thread";
            EXPECT_EQ(seen[i].thread, seen[0].thread);
        }
        ASSERT_TRUE(m_sim.WaitIdle());
        EXPECT_EQ(g_recorder.Now().size(), expected.size()) << "more notifications than expected";
    }

    static HMODULE s_module;
    SimClient m_sim = SimClient::InProcess();
};

HMODULE SimLibraryTest::s_module = nullptr;

TEST_F(SimLibraryTest, NotificationsArriveInOrderOnTheLibrarysOwnThread) {
    Subscribe();
    const int normal = m_sim.Plug("normal");
    const int recovery = m_sim.Plug("recovery");
    const int dfu = m_sim.Plug("dfu");
    void* const handles[] = {m_sim.Handle(normal), m_sim.Handle(recovery), m_sim.Handle(dfu)};
    ASSERT_TRUE(m_sim.Unplug(normal) && m_sim.Unplug(recovery) && m_sim.Unplug(dfu));

    ExpectSeen({{"normal-attach", handles[0]},
                {"recovery-attach", handles[1]},
                {"dfu-attach", handles[2]},
                {"normal-detach", handles[0]},
                {"recovery-detach", handles[1]},
                {"dfu-detach", handles[2]}});
    if (sizeof(void*) == 8) {
        EXPECT_GT(reinterpret_cast<std::uintptr_t>(handles[0]), 0xffffffffu) << "handles must need 64 bits";
    }
}

TEST_F(SimLibraryTest, DevicesAttachedBeforeTheSubscriptionAreReportedRightAfterIt) {
    const int normal = m_sim.Plug("normal");
    const int recovery = m_sim.Plug("recovery");
    Subscribe();
    ExpectSeen({{"normal-attach", m_sim.Handle(normal)}, {"recovery-attach", m_sim.Handle(recovery)}});
}

TEST_F(SimLibraryTest, EnterRecoveryLeavesNormalModeAndArrivesInRecoveryWithANewHandle) {
    Subscribe();
    const int id = m_sim.Plug("normal");
    void* const normal = m_sim.Handle(id);
    ExpectSeen({{"normal-attach", normal}});
    g_recorder.Clear();

    ASSERT_EQ(Call("AMDeviceEnterRecovery", normal), kSimOk);
    void* const recovery = m_sim.Handle(id);
    EXPECT_NE(recovery, normal);
    ExpectSeen({{"normal-detach", normal}, {"recovery-attach", recovery}});
}

// Reboot comes back in normal mode with auto-boot set, else in recovery mode again.
TEST_F(SimLibraryTest, RebootFollowsAutoBoot) {
    Subscribe();
    for (const bool autoBoot : {true, false}) {
        SCOPED_TRACE(autoBoot ? "auto-boot set" : "auto-boot not set");
        const int id = m_sim.Plug("recovery");
        void* const recovery = m_sim.Handle(id);
        ASSERT_TRUE(m_sim.WaitIdle());
        g_recorder.Clear();
        if (autoBoot) {
            ASSERT_EQ(Entry<SetAutoBootFn>("AMRecoveryModeDeviceSetAutoBoot")(recovery, 1), kSimOk);
        }
        ASSERT_EQ(Call("AMRecoveryModeDeviceReboot", recovery), kSimOk);
        ExpectSeen({{"recovery-detach", recovery},
                    {autoBoot ? "normal-attach" : "recovery-attach", m_sim.Handle(id)}});
        EXPECT_NE(m_sim.Handle(id), recovery);
        ASSERT_TRUE(m_sim.Unplug(id));
        ASSERT_TRUE(m_sim.WaitIdle());
    }
}

struct FailureCase {
    const char* flag;
    const char* entry;
    int refused;  // the entry's answer on a device with the flag
    int accepted; // and on a device without it
};

// Each outcome belongs to one device: a second, cooperative device answers normally.
TEST_F(SimLibraryTest, EachFailureIsChosenPerDevice) {
    const FailureCase cases[] = {
        {"connect-refused", "AMDeviceConnect", kSimRefused, kSimOk},
        {"not-paired", "AMDeviceIsPaired", 0, 1},
        {"pairing-invalid", "AMDeviceValidatePairing", kSimRefused, kSimOk},
        {"session-refused", "AMDeviceStartSession", kSimRefused, kSimOk},
        {"wifi", "AMDeviceGetInterfaceType", kSimInterfaceWifi, kSimInterfaceUsb},
        {"enter-refused", "AMDeviceEnterRecovery", kSimRefused, kSimOk},
        {"reboot-refused", "AMRecoveryModeDeviceReboot", kSimRefused, kSimOk},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.flag);
        ASSERT_TRUE(m_sim.Reset());
        const char* mode = std::string(c.entry) == "AMRecoveryModeDeviceReboot" ? "recovery" : "normal";
        void* const failing = m_sim.Handle(m_sim.Plug(mode, c.flag));
        void* const cooperative = m_sim.Handle(m_sim.Plug(mode));
        if (std::string(mode) == "normal") {
            ASSERT_EQ(Call("AMDeviceConnect", cooperative), kSimOk);
            if (std::string(c.flag) != "connect-refused") {
                ASSERT_EQ(Call("AMDeviceConnect", failing), kSimOk);
            }
        }
        EXPECT_EQ(Call(c.entry, failing), c.refused);
        EXPECT_EQ(Call(c.entry, cooperative), c.accepted);
        EXPECT_EQ(m_sim.Notes(), std::vector<std::string>{});
    }
    void* const device = m_sim.Handle(m_sim.Plug("recovery", "autoboot-refused"));
    EXPECT_EQ(Entry<SetAutoBootFn>("AMRecoveryModeDeviceSetAutoBoot")(device, 1), kSimRefused);
}

TEST_F(SimLibraryTest, CallLogHasEveryCallWithItsArgumentsAndNotesCallsThatCannotApply) {
    Subscribe();
    const int id = m_sim.Plug("normal");
    void* const device = m_sim.Handle(id);
    void* const recovery = m_sim.Handle(m_sim.Plug("recovery"));
    ASSERT_TRUE(m_sim.WaitIdle());
    void* const unknown = reinterpret_cast<void*>(0x1234);

    EXPECT_EQ(Call("AMDeviceConnect", device), kSimOk);
    EXPECT_EQ(Entry<SetAutoBootFn>("AMRecoveryModeDeviceSetAutoBoot")(recovery, 1), kSimOk);
    EXPECT_NE(Call("AMDeviceConnect", nullptr), kSimOk);
    EXPECT_NE(Call("AMDeviceConnect", unknown), kSimOk);
    EXPECT_NE(Call("AMDeviceEnterRecovery", recovery), kSimOk);
    ASSERT_TRUE(m_sim.Unplug(id));
    ASSERT_TRUE(m_sim.WaitIdle());
    EXPECT_NE(Call("AMDeviceStartSession", device), kSimOk);

    const std::vector<std::string> log = m_sim.CallLog();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[0].rfind("AMDeviceNotificationSubscribe(" +
                               SimFormatPointer(reinterpret_cast<void*>(&OnNormal)) + ", 0, 0, 0, 0x",
                           0),
              0u)
        << log[0];
    EXPECT_EQ(log[2], "AMDeviceConnect(" + SimFormatPointer(device) + ") -> 0x0");
    EXPECT_EQ(log[3], "AMRecoveryModeDeviceSetAutoBoot(" + SimFormatPointer(recovery) + ", 1) -> 0x0");
    EXPECT_EQ(m_sim.Notes(),
              (std::vector<std::string>{
                  "AMDeviceConnect: empty handle",
                  "AMDeviceConnect: unknown handle 0x1234",
                  "AMDeviceEnterRecovery: " + SimFormatPointer(recovery) + " is a recovery-mode handle",
                  "AMDeviceStartSession: departed handle " + SimFormatPointer(device),
              }));
}

TEST_F(SimLibraryTest, HeldNotificationsWaitForStep) {
    Subscribe();
    ASSERT_TRUE(m_sim.Hold(true));
    const int id = m_sim.Plug("normal");
    EXPECT_TRUE(g_recorder.Now().empty());

    EXPECT_EQ(m_sim.Execute("step"), "delivered normal-attach " + SimFormatPointer(m_sim.Handle(id)));
    EXPECT_EQ(g_recorder.Now().size(), 1u) << "step returns once the handler has returned";
    EXPECT_EQ(m_sim.Execute("step"), "empty");
    ASSERT_TRUE(m_sim.Hold(false));
}

TEST_F(SimLibraryTest, SyncDepartureIsDeliveredBeforeEnterRecoveryReturns) {
    Subscribe();
    void* const device = m_sim.Handle(m_sim.Plug("normal", "sync-departure"));
    ExpectSeen({{"normal-attach", device}});
    ASSERT_TRUE(m_sim.Hold(true));

    ASSERT_EQ(Call("AMDeviceEnterRecovery", device), kSimOk);
    const std::vector<Seen> seen = g_recorder.Now();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].kind, "normal-detach");
    EXPECT_EQ(m_sim.Notes(), std::vector<std::string>{});
    ASSERT_TRUE(m_sim.Hold(false));
}

TEST_F(SimLibraryTest, CommandPipeServesTheSameCommands) {
    EXPECT_EQ(m_sim.Execute("pipe"),
              "serving \\\\.\\pipe\\FerroliteSim-test-" + std::to_string(GetCurrentProcessId()));
    const SimClient pipe = SimClient::ThroughPipe(PipeNameOfThisProcess());

    const int id = pipe.Plug("normal", "wifi not-paired");
    ASSERT_NE(id, 0) << pipe.Execute("devices");
    EXPECT_EQ(pipe.Devices(),
              (std::vector<std::string>{std::to_string(id) + " normal " + SimFormatPointer(m_sim.Handle(id)) +
                                        " not-paired wifi"}));
    // A reply larger than the pipe's buffer arrives whole.
    for (int i = 0; i < 3000; ++i) {
        Call("AMDeviceGetInterfaceType", m_sim.Handle(id));
    }
    EXPECT_EQ(pipe.CallLog(), m_sim.CallLog());
    EXPECT_GT(m_sim.Execute("log").size(), 64u * 1024u);
    EXPECT_TRUE(pipe.Unplug(id));
    EXPECT_EQ(pipe.Devices(), std::vector<std::string>{});
}

TEST_F(SimLibraryTest, MalformedCommandsAreErrors) {
    for (const char* command : {"", "fly", "plug", "plug sideways", "plug normal crashes", "unplug 99",
                                "unplug x", "flags 99", "handle", "hold maybe", "burst 99 10", "delay"}) {
        EXPECT_EQ(m_sim.Execute(command).rfind("error:", 0), 0u) << "command \"" << command << "\"";
    }
}

} // namespace
