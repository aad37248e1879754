// The simulated device library's behaviour: devices that move between modes as real ones do,
// notifications delivered on the library's own thread, and a record of every call.
#include "SimLibrary.h"

#include "SimFormat.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::chrono::milliseconds kSyncDepartureWait{10000};

// Handles are opaque to the program; on 64-bit builds they need more than 32 bits, so that a
// program that cuts a handle short names an unknown device and gets noted.
constexpr std::uintptr_t kHandleBase =
    sizeof(void*) == 8 ? static_cast<std::uintptr_t>(0x7ff5a0000000ull) : 0x5a000000u;
constexpr std::uintptr_t kHandleStep = 0x40;

const char* ModeName(SimMode mode) {
    switch (mode) {
    case SimMode::Normal:
        return "normal";
    case SimMode::Recovery:
        return "recovery";
    case SimMode::Dfu:
        return "dfu";
    }
    return "?";
}

std::string Call(const char* entry, std::initializer_list<std::string> args, int result) {
    std::string line = entry;
    line += '(';
    bool first = true;
    for (const std::string& arg : args) {
        if (!first) {
            line += ", ";
        }
        line += arg;
        first = false;
    }
    line += ") -> ";
    line += SimFormatResult(result);
    return line;
}

std::string Pointer(const void* pointer) {
    return SimFormatPointer(pointer);
}
std::string Pointer(SimDeviceCallback callback) {
    return SimFormatPointer(reinterpret_cast<const void*>(callback));
}
std::string Pointer(SimRestoreCallback callback) {
    return SimFormatPointer(reinterpret_cast<const void*>(callback));
}
std::string Number(unsigned value) {
    return std::to_string(value);
}

} // namespace

const SimFlagName kSimFlagNames[kSimFlagCount] = {
    {kSimConnectRefused, "connect-refused"},
    {kSimNotPaired, "not-paired"},
    {kSimPairingInvalid, "pairing-invalid"},
    {kSimSessionRefused, "session-refused"},
    {kSimWifi, "wifi"},
    {kSimEnterRefused, "enter-refused"},
    {kSimRebootRefused, "reboot-refused"},
    {kSimAutoBootRefused, "autoboot-refused"},
    {kSimSyncDeparture, "sync-departure"},
};

std::string SimFlagsText(unsigned flags) {
    std::string text;
    for (const SimFlagName& name : kSimFlagNames) {
        if (flags & name.flag) {
            if (!text.empty()) {
                text += ' ';
            }
            text += name.name;
        }
    }
    return text;
}

std::optional<unsigned> SimParseFlag(std::string_view word) {
    for (const SimFlagName& name : kSimFlagNames) {
        if (word == name.name) {
            return name.flag;
        }
    }
    return std::nullopt;
}

SimLibrary& SimLibrary::Instance() {
    static SimLibrary* const instance = new SimLibrary();
    return *instance;
}

SimLibrary::SimLibrary() : m_thread(&SimLibrary::DeliveryLoop, this) {}

int SimLibrary::Subscribe(SimDeviceCallback callback, unsigned a, unsigned b, unsigned c,
                          void** subscription) {
    const std::lock_guard lock(m_mutex);
    const int result = callback ? kSimOk : kSimRefused;
    Log(Call("AMDeviceNotificationSubscribe",
             {Pointer(callback), Number(a), Number(b), Number(c), Pointer(subscription)}, result));
    if (!callback) {
        return result;
    }
    if (m_deviceCallback) {
        Note("AMDeviceNotificationSubscribe: a second subscription replaces the first");
    }
    m_deviceCallback = callback;
    if (subscription) {
        *subscription = &m_subscription;
    }
    // Devices that are already attached are reported right after the subscription.
    for (const Device& device : m_devices) {
        if (device.mode == SimMode::Normal) {
            QueueArrival(device, std::chrono::milliseconds{0});
        }
    }
    return result;
}

int SimLibrary::RegisterRestore(SimRestoreCallback dfuAttach, SimRestoreCallback recoveryAttach,
                                SimRestoreCallback dfuDetach, SimRestoreCallback recoveryDetach, void* a,
                                void* b) {
    const std::lock_guard lock(m_mutex);
    Log(Call("AMRestoreRegisterForDeviceNotifications",
             {Pointer(dfuAttach), Pointer(recoveryAttach), Pointer(dfuDetach), Pointer(recoveryDetach),
              Pointer(a), Pointer(b)},
             kSimOk));
    if (m_recoveryAttach || m_dfuAttach) {
        Note("AMRestoreRegisterForDeviceNotifications: a second registration replaces the first");
    }
    m_dfuAttach = dfuAttach;
    m_recoveryAttach = recoveryAttach;
    m_dfuDetach = dfuDetach;
    m_recoveryDetach = recoveryDetach;
    for (const Device& device : m_devices) {
        if (device.mode != SimMode::Normal) {
            QueueArrival(device, std::chrono::milliseconds{0});
        }
    }
    return kSimOk;
}

int SimLibrary::Connect(void* handle) {
    const std::lock_guard lock(m_mutex);
    Device* device = Resolve("AMDeviceConnect", handle, SimMode::Normal);
    int result = kSimBadHandle;
    if (device) {
        result = (device->flags & kSimConnectRefused) ? kSimRefused : kSimOk;
        device->connected = result == kSimOk;
    }
    Log(Call("AMDeviceConnect", {Pointer(handle)}, result));
    return result;
}

int SimLibrary::Disconnect(void* handle) {
    const std::lock_guard lock(m_mutex);
    Device* device = Resolve("AMDeviceDisconnect", handle, SimMode::Normal);
    if (device) {
        device->connected = false;
    }
    const int result = device ? kSimOk : kSimBadHandle;
    Log(Call("AMDeviceDisconnect", {Pointer(handle)}, result));
    return result;
}

int SimLibrary::IsPaired(void* handle) {
    const std::lock_guard lock(m_mutex);
    const Device* device = Resolve("AMDeviceIsPaired", handle, SimMode::Normal);
    const int result = (device && !(device->flags & kSimNotPaired)) ? 1 : 0;
    Log(Call("AMDeviceIsPaired", {Pointer(handle)}, result));
    return result;
}

int SimLibrary::ValidatePairing(void* handle) {
    const std::lock_guard lock(m_mutex);
    const Device* device = Resolve("AMDeviceValidatePairing", handle, SimMode::Normal);
    int result = kSimBadHandle;
    if (device && !device->connected) {
        Note("AMDeviceValidatePairing: device " + Pointer(handle) + " is not connected");
        result = kSimRefused;
    } else if (device) {
        result = (device->flags & (kSimPairingInvalid | kSimNotPaired)) ? kSimRefused : kSimOk;
    }
    Log(Call("AMDeviceValidatePairing", {Pointer(handle)}, result));
    return result;
}

int SimLibrary::StartSession(void* handle) {
    const std::lock_guard lock(m_mutex);
    const Device* device = Resolve("AMDeviceStartSession", handle, SimMode::Normal);
    int result = kSimBadHandle;
    if (device && !device->connected) {
        Note("AMDeviceStartSession: device " + Pointer(handle) + " is not connected");
        result = kSimRefused;
    } else if (device) {
        result = (device->flags & kSimSessionRefused) ? kSimRefused : kSimOk;
    }
    Log(Call("AMDeviceStartSession", {Pointer(handle)}, result));
    return result;
}

int SimLibrary::StopSession(void* handle) {
    const std::lock_guard lock(m_mutex);
    const int result = Resolve("AMDeviceStopSession", handle, SimMode::Normal) ? kSimOk : kSimBadHandle;
    Log(Call("AMDeviceStopSession", {Pointer(handle)}, result));
    return result;
}

int SimLibrary::GetInterfaceType(void* handle) {
    const std::lock_guard lock(m_mutex);
    const Device* device = Resolve("AMDeviceGetInterfaceType", handle, SimMode::Normal);
    int result = 0;
    if (device) {
        result = (device->flags & kSimWifi) ? kSimInterfaceWifi : kSimInterfaceUsb;
    }
    Log(Call("AMDeviceGetInterfaceType", {Pointer(handle)}, result));
    return result;
}

int SimLibrary::EnterRecovery(void* handle) {
    std::unique_lock lock(m_mutex);
    Device* device = Resolve("AMDeviceEnterRecovery", handle, SimMode::Normal);
    int result = kSimBadHandle;
    if (device) {
        result = (device->flags & kSimEnterRefused) ? kSimRefused : kSimOk;
    }
    Log(Call("AMDeviceEnterRecovery", {Pointer(handle)}, result));
    if (result != kSimOk) {
        return result;
    }
    // The device leaves normal mode at once and re-enumerates in recovery mode a moment later,
    // with a new handle and auto-boot off, as a real one does.
    const std::uint64_t departure = Queue(EventKind::NormalDetach, handle, std::chrono::milliseconds{0});
    device->mode = SimMode::Recovery;
    device->handle = NewHandle(device->id, SimMode::Recovery);
    device->autoBoot = false;
    device->connected = false;
    QueueArrival(*device, m_delay);
    if ((device->flags & kSimSyncDeparture) && departure != 0) {
        if (std::this_thread::get_id() == m_thread.get_id()) {
            Note("AMDeviceEnterRecovery: called from a notification handler, so the departure cannot be "
                 "awaited");
            return result;
        }
        m_releasedThrough = std::max(m_releasedThrough, departure);
        m_changed.notify_all();
        if (!WaitDelivered(lock, departure, kSyncDepartureWait)) {
            Note("AMDeviceEnterRecovery: the departure handler did not return within 10 s");
        }
    }
    return result;
}

int SimLibrary::SetAutoBoot(void* handle, int value) {
    const std::lock_guard lock(m_mutex);
    Device* device = Resolve("AMRecoveryModeDeviceSetAutoBoot", handle, SimMode::Recovery);
    int result = kSimBadHandle;
    if (device) {
        result = (device->flags & kSimAutoBootRefused) ? kSimRefused : kSimOk;
        if (result == kSimOk) {
            device->autoBoot = value != 0;
        }
    }
    Log(Call("AMRecoveryModeDeviceSetAutoBoot", {Pointer(handle), std::to_string(value)}, result));
    return result;
}

int SimLibrary::Reboot(void* handle) {
    const std::lock_guard lock(m_mutex);
    Device* device = Resolve("AMRecoveryModeDeviceReboot", handle, SimMode::Recovery);
    int result = kSimBadHandle;
    if (device) {
        result = (device->flags & kSimRebootRefused) ? kSimRefused : kSimOk;
    }
    Log(Call("AMRecoveryModeDeviceReboot", {Pointer(handle)}, result));
    if (result != kSimOk) {
        return result;
    }
    // With auto-boot set the device comes back in normal mode, else in recovery mode again.
    Queue(EventKind::RecoveryDetach, handle, std::chrono::milliseconds{0});
    device->mode = device->autoBoot ? SimMode::Normal : SimMode::Recovery;
    device->handle = NewHandle(device->id, device->mode);
    device->connected = false;
    QueueArrival(*device, m_delay);
    return result;
}

// The simulator offers no services.
int SimLibrary::StartService(void* handle, void* name, void** service, void* reserved) {
    const std::lock_guard lock(m_mutex);
    const int result = Resolve("AMDeviceStartService", handle, SimMode::Normal) ? kSimRefused : kSimBadHandle;
    Log(Call("AMDeviceStartService", {Pointer(handle), Pointer(name), Pointer(service), Pointer(reserved)},
             result));
    return result;
}

// The simulator keeps no values: the answer is always a null value.
void SimLibrary::CopyValue(void* handle, void* domain, void* key) {
    const std::lock_guard lock(m_mutex);
    Resolve("AMDeviceCopyValue", handle, SimMode::Normal);
    Log(Call("AMDeviceCopyValue", {Pointer(handle), Pointer(domain), Pointer(key)}, 0));
}

int SimLibrary::Plug(SimMode mode, unsigned flags) {
    const std::lock_guard lock(m_mutex);
    const int id = m_nextDeviceId++;
    m_devices.push_back(Device{id, mode, NewHandle(id, mode), flags, mode == SimMode::Normal, false});
    QueueArrival(m_devices.back(), std::chrono::milliseconds{0});
    return id;
}

bool SimLibrary::Unplug(int id) {
    const std::lock_guard lock(m_mutex);
    const auto it =
        std::find_if(m_devices.begin(), m_devices.end(), [id](const Device& d) { return d.id == id; });
    if (it == m_devices.end()) {
        return false;
    }
    QueueDeparture(*it);
    m_devices.erase(it);
    return true;
}

bool SimLibrary::SetFlags(int id, unsigned flags) {
    const std::lock_guard lock(m_mutex);
    Device* device = FindDevice(id);
    if (device) {
        device->flags = flags;
    }
    return device != nullptr;
}

std::optional<void*> SimLibrary::Handle(int id) {
    const std::lock_guard lock(m_mutex);
    const Device* device = FindDevice(id);
    if (!device) {
        return std::nullopt;
    }
    return device->handle;
}

std::vector<std::string> SimLibrary::Devices() {
    const std::lock_guard lock(m_mutex);
    std::vector<std::string> lines;
    for (const Device& device : m_devices) {
        std::string line =
            std::to_string(device.id) + ' ' + ModeName(device.mode) + ' ' + Pointer(device.handle);
        const std::string flags = SimFlagsText(device.flags);
        if (!flags.empty()) {
            line += ' ' + flags;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> SimLibrary::CallLog() {
    const std::lock_guard lock(m_mutex);
    return m_log;
}

std::vector<std::string> SimLibrary::Notes() {
    const std::lock_guard lock(m_mutex);
    return m_notes;
}

void SimLibrary::ClearLog() {
    const std::lock_guard lock(m_mutex);
    m_log.clear();
    m_notes.clear();
}

void SimLibrary::SetHold(bool hold) {
    const std::lock_guard lock(m_mutex);
    m_hold = hold;
    m_changed.notify_all();
}

void SimLibrary::SetDelay(std::chrono::milliseconds delay) {
    const std::lock_guard lock(m_mutex);
    m_delay = delay;
}

std::string SimLibrary::Step(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    if (m_queue.empty()) {
        return "empty";
    }
    const Event event = m_queue.front();
    m_releasedThrough = std::max(m_releasedThrough, event.serial);
    m_changed.notify_all();
    if (!WaitDelivered(lock, event.serial, timeout)) {
        return std::string("error: the handler of ") + KindName(event.kind) + " did not return in time";
    }
    return std::string("delivered ") + KindName(event.kind) + ' ' + Pointer(event.handle);
}

bool SimLibrary::WaitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_queue.empty() && !m_delivering; });
}

bool SimLibrary::Burst(int id, int count) {
    const std::lock_guard lock(m_mutex);
    Device* device = FindDevice(id);
    if (!device || device->mode != SimMode::Normal || count < 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            QueueDeparture(*device);
        } else {
            device->handle = NewHandle(device->id, SimMode::Normal);
            QueueArrival(*device, std::chrono::milliseconds{0});
        }
    }
    return true;
}

void SimLibrary::Reset() {
    const std::lock_guard lock(m_mutex);
    for (auto& [handle, info] : m_handles) {
        info.departed = true;
    }
    m_devices.clear();
    m_queue.clear();
    m_log.clear();
    m_notes.clear();
    m_hold = false;
    m_delay = std::chrono::milliseconds{1000};
    m_changed.notify_all();
}

void SimLibrary::Unsubscribe() {
    const std::lock_guard lock(m_mutex);
    m_deviceCallback = nullptr;
    m_dfuAttach = nullptr;
    m_recoveryAttach = nullptr;
    m_dfuDetach = nullptr;
    m_recoveryDetach = nullptr;
}

void SimLibrary::SetPipeStatus(std::string status) {
    const std::lock_guard lock(m_mutex);
    m_pipeStatus = std::move(status);
}

std::string SimLibrary::PipeStatus() {
    const std::lock_guard lock(m_mutex);
    return m_pipeStatus;
}

void SimLibrary::Log(const std::string& line) {
    m_log.push_back(line);
}

void SimLibrary::Note(const std::string& line) {
    m_notes.push_back(line);
}

SimLibrary::Device* SimLibrary::Resolve(const char* entry, void* handle, SimMode expected) {
    if (!handle) {
        Note(std::string(entry) + ": empty handle");
        return nullptr;
    }
    const auto it = m_handles.find(handle);
    if (it == m_handles.end()) {
        Note(std::string(entry) + ": unknown handle " + Pointer(handle));
        return nullptr;
    }
    if (it->second.departed) {
        Note(std::string(entry) + ": departed handle " + Pointer(handle));
        return nullptr;
    }
    if (it->second.mode != expected) {
        Note(std::string(entry) + ": " + Pointer(handle) + " is a " + ModeName(it->second.mode) +
             "-mode handle");
        return nullptr;
    }
    Device* device = FindDevice(it->second.deviceId);
    if (!device) {
        Note(std::string(entry) + ": handle " + Pointer(handle) + " of an unplugged device");
    }
    return device;
}

SimLibrary::Device* SimLibrary::FindDevice(int id) {
    const auto it =
        std::find_if(m_devices.begin(), m_devices.end(), [id](const Device& d) { return d.id == id; });
    return it == m_devices.end() ? nullptr : &*it;
}

void* SimLibrary::NewHandle(int deviceId, SimMode mode) {
    ++m_nextHandle;
    void* const handle = reinterpret_cast<void*>(kHandleBase + m_nextHandle * kHandleStep);
    m_handles[handle] = HandleInfo{deviceId, mode, false};
    return handle;
}

void SimLibrary::Depart(void* handle) {
    const auto it = m_handles.find(handle);
    if (it != m_handles.end()) {
        it->second.departed = true;
    }
}

std::uint64_t SimLibrary::QueueArrival(const Device& device, std::chrono::milliseconds after) {
    switch (device.mode) {
    case SimMode::Normal:
        return Queue(EventKind::NormalAttach, device.handle, after);
    case SimMode::Recovery:
        return Queue(EventKind::RecoveryAttach, device.handle, after);
    case SimMode::Dfu:
        return Queue(EventKind::DfuAttach, device.handle, after);
    }
    return 0;
}

std::uint64_t SimLibrary::QueueDeparture(const Device& device) {
    switch (device.mode) {
    case SimMode::Normal:
        return Queue(EventKind::NormalDetach, device.handle, std::chrono::milliseconds{0});
    case SimMode::Recovery:
        return Queue(EventKind::RecoveryDetach, device.handle, std::chrono::milliseconds{0});
    case SimMode::Dfu:
        return Queue(EventKind::DfuDetach, device.handle, std::chrono::milliseconds{0});
    }
    return 0;
}

// Returns the event's serial, or 0 when nobody is subscribed to that kind of event; a departure
// that nobody hears of still makes its handle departed.
std::uint64_t SimLibrary::Queue(EventKind kind, void* handle, std::chrono::milliseconds after) {
    const bool normal = kind == EventKind::NormalAttach || kind == EventKind::NormalDetach;
    const bool subscribed =
        normal ? m_deviceCallback != nullptr : m_recoveryAttach != nullptr || m_dfuAttach != nullptr;
    if (!subscribed) {
        if (kind == EventKind::NormalDetach || kind == EventKind::RecoveryDetach ||
            kind == EventKind::DfuDetach) {
            Depart(handle);
        }
        return 0;
    }
    // An event is never due before the one queued ahead of it: the queue is delivered in order.
    auto due = std::chrono::steady_clock::now() + after;
    if (!m_queue.empty()) {
        due = std::max(due, m_queue.back().due);
    }
    const std::uint64_t serial = m_nextSerial++;
    m_queue.push_back(Event{kind, handle, due, serial});
    m_changed.notify_all();
    return serial;
}

bool SimLibrary::WaitDelivered(std::unique_lock<std::mutex>& lock, std::uint64_t serial,
                               std::chrono::milliseconds timeout) {
    return m_changed.wait_for(lock, timeout, [this, serial] { return m_deliveredThrough >= serial; });
}

void SimLibrary::DeliveryLoop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_queue.empty()) {
            m_changed.wait(lock);
            continue;
        }
        const Event event = m_queue.front();
        if (event.serial > m_releasedThrough) {
            if (m_hold) {
                m_changed.wait(lock);
                continue;
            }
            if (event.due > std::chrono::steady_clock::now()) {
                m_changed.wait_until(lock, event.due);
                continue;
            }
        }
        m_queue.pop_front();
        m_delivering = true;
        lock.unlock();
        Deliver(event);
        lock.lock();
        m_delivering = false;
        m_deliveredThrough = event.serial;
        m_changed.notify_all();
    }
}

// Runs on the notification thread without the lock held, since handlers call back into us.
void SimLibrary::Deliver(const Event& event) {
    SimDeviceCallback deviceCallback = nullptr;
    SimRestoreCallback restoreCallback = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        switch (event.kind) {
        case EventKind::NormalAttach:
        case EventKind::NormalDetach:
            deviceCallback = m_deviceCallback;
            break;
        case EventKind::RecoveryAttach:
            restoreCallback = m_recoveryAttach;
            break;
        case EventKind::RecoveryDetach:
            restoreCallback = m_recoveryDetach;
            break;
        case EventKind::DfuAttach:
            restoreCallback = m_dfuAttach;
            break;
        case EventKind::DfuDetach:
            restoreCallback = m_dfuDetach;
            break;
        }
        // A handle counts as departed once its departure has been reported.
        if (event.kind == EventKind::NormalDetach || event.kind == EventKind::RecoveryDetach ||
            event.kind == EventKind::DfuDetach) {
            Depart(event.handle);
        }
    }
    if (deviceCallback) {
        SimNotificationInfo info{event.handle, event.kind == EventKind::NormalAttach ? 1u : 2u,
                                 &m_subscription};
        deviceCallback(&info);
    } else if (restoreCallback) {
        restoreCallback(event.handle);
    }
}

const char* SimLibrary::KindName(EventKind kind) {
    switch (kind) {
    case EventKind::NormalAttach:
        return "normal-attach";
    case EventKind::NormalDetach:
        return "normal-detach";
    case EventKind::RecoveryAttach:
        return "recovery-attach";
    case EventKind::RecoveryDetach:
        return "recovery-detach";
    case EventKind::DfuAttach:
        return "dfu-attach";
    case EventKind::DfuDetach:
        return "dfu-detach";
    }
    return "?";
}
