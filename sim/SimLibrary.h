// The simulated device library's state: devices and their handles, the subscribed handlers, the
// queue of notifications and the thread that delivers them, the call log and the notes.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// The record handed to the normal-mode handler: the device handle, then the message.
struct SimNotificationInfo {
    void* device;
    std::uint32_t message;
    void* subscription;
};
using SimDeviceCallback = void(__cdecl*)(SimNotificationInfo* info);
using SimRestoreCallback = void(__cdecl*)(void* device);

enum class SimMode { Normal, Recovery, Dfu };

// What a device does differently from a cooperative, USB-attached, paired one.
enum SimFlag : unsigned {
    kSimConnectRefused = 1u << 0,
    kSimNotPaired = 1u << 1,
    kSimPairingInvalid = 1u << 2,
    kSimSessionRefused = 1u << 3,
    kSimWifi = 1u << 4,
    kSimEnterRefused = 1u << 5,
    kSimRebootRefused = 1u << 6,
    kSimAutoBootRefused = 1u << 7,
    // AMDeviceEnterRecovery delivers the normal-mode departure on the library's thread and waits
    // for that delivery to return before it returns itself.
    kSimSyncDeparture = 1u << 8,
};

struct SimFlagName {
    SimFlag flag;
    const char* name;
};
inline constexpr int kSimFlagCount = 9;
// The flags' names in commands and replies, such as "not-paired".
extern const SimFlagName kSimFlagNames[kSimFlagCount];
std::string SimFlagsText(unsigned flags);
std::optional<unsigned> SimParseFlag(std::string_view word);

inline constexpr int kSimOk = 0;
inline constexpr int kSimRefused = static_cast<int>(0xE8000001u);
inline constexpr int kSimBadHandle = static_cast<int>(0xE8000002u);
inline constexpr int kSimInterfaceUsb = 1;
inline constexpr int kSimInterfaceWifi = 2;

class SimLibrary {
public:
    // The one instance of the process, made on first use and never destroyed: its notification
    // thread lives until the process ends, and Windows ends that thread before it would unload us.
    static SimLibrary& Instance();

    // Entry points of the device library.
    int Subscribe(SimDeviceCallback callback, unsigned a, unsigned b, unsigned c, void** subscription);
    int RegisterRestore(SimRestoreCallback dfuAttach, SimRestoreCallback recoveryAttach,
                        SimRestoreCallback dfuDetach, SimRestoreCallback recoveryDetach, void* a, void* b);
    int Connect(void* device);
    int Disconnect(void* device);
    int IsPaired(void* device);
    int ValidatePairing(void* device);
    int StartSession(void* device);
    int StopSession(void* device);
    int GetInterfaceType(void* device);
    int EnterRecovery(void* device);
    int SetAutoBoot(void* device, int value);
    int Reboot(void* device);
    int StartService(void* device, void* name, void** service, void* reserved);
    void CopyValue(void* device, void* domain, void* key);

    // Control, for the command interpreter.
    int Plug(SimMode mode, unsigned flags);
    bool Unplug(int id);
    bool SetFlags(int id, unsigned flags);
    std::optional<void*> Handle(int id);
    std::vector<std::string> Devices();
    std::vector<std::string> CallLog();
    std::vector<std::string> Notes();
    void ClearLog();
    void SetHold(bool hold);
    void SetDelay(std::chrono::milliseconds delay);
    // Delivers the next queued notification, held or not, and waits for its handler to return.
    std::string Step(std::chrono::milliseconds timeout);
    // Waits until nothing is queued and no handler runs.
    bool WaitIdle(std::chrono::milliseconds timeout);
    // Queues count alternating departures and arrivals of a normal-mode device, back to back.
    bool Burst(int id, int count);
    // Forgets every device, the queue, the log and the notes, silently; handlers stay subscribed.
    void Reset();
    // Forgets the subscribed handlers, so that a test can subscribe anew.
    void Unsubscribe();
    // What the command pipe is doing, for the "pipe" command.
    void SetPipeStatus(std::string status);
    std::string PipeStatus();

private:
    enum class EventKind { NormalAttach, NormalDetach, RecoveryAttach, RecoveryDetach, DfuAttach, DfuDetach };
    struct Event {
        EventKind kind;
        void* handle;
        std::chrono::steady_clock::time_point due;
        std::uint64_t serial;
    };
    struct Device {
        int id;
        SimMode mode;
        void* handle;
        unsigned flags;
        bool autoBoot;
        bool connected;
    };
    struct HandleInfo {
        int deviceId;
        SimMode mode;
        bool departed;
    };

    SimLibrary();

    void Log(const std::string& line);
    void Note(const std::string& line);
    // The device that a call names, or null after noting why the call cannot apply.
    Device* Resolve(const char* entry, void* handle, SimMode expected);
    Device* FindDevice(int id);
    void* NewHandle(int deviceId, SimMode mode);
    void Depart(void* handle);
    // Queues the arrival or departure of a device in its current mode.
    std::uint64_t QueueArrival(const Device& device, std::chrono::milliseconds after);
    std::uint64_t QueueDeparture(const Device& device);
    std::uint64_t Queue(EventKind kind, void* handle, std::chrono::milliseconds after);
    bool WaitDelivered(std::unique_lock<std::mutex>& lock, std::uint64_t serial,
                       std::chrono::milliseconds timeout);
    void DeliveryLoop();
    void Deliver(const Event& event);
    static const char* KindName(EventKind kind);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Device> m_devices;
    std::map<void*, HandleInfo> m_handles;
    std::deque<Event> m_queue;
    std::vector<std::string> m_log;
    std::vector<std::string> m_notes;
    SimDeviceCallback m_deviceCallback = nullptr;
    SimRestoreCallback m_dfuAttach = nullptr;
    SimRestoreCallback m_recoveryAttach = nullptr;
    SimRestoreCallback m_dfuDetach = nullptr;
    SimRestoreCallback m_recoveryDetach = nullptr;
    int m_subscription = 0;
    int m_nextDeviceId = 1;
    std::uintptr_t m_nextHandle = 0;
    std::uint64_t m_nextSerial = 1;
    std::uint64_t m_deliveredThrough = 0;
    std::uint64_t m_releasedThrough = 0;
    bool m_delivering = false;
    bool m_hold = false;
    std::chrono::milliseconds m_delay{1000};
    std::string m_pipeStatus = "not started";
    std::thread m_thread;
};
