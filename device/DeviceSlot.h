// DeviceSlot: a device handle that the notification handlers store on the library's thread and
// the recovery commands read on the user-interface thread, with whether it has since departed.
#pragma once

#include "MobileDeviceApi.h"

#include <atomic>

class DeviceSlot {
public:
    // The handle of a device just reported attached.
    void Attach(AMDeviceHandle handle);
    // A reported departure of that device: the slot's device departed if it is this one.
    void Detach(AMDeviceHandle handle);
    // A reported departure that names no device: the slot's device departed.
    void DetachCurrent();

    // The handle last reported attached, kept after its departure; null before any.
    AMDeviceHandle Get() const { return m_handle.load(); }
    // The handle last reported attached while its device is still there, else null.
    AMDeviceHandle AttachedHandle() const;

private:
    std::atomic<AMDeviceHandle> m_handle{nullptr};
    std::atomic<bool> m_departed{false};
};

// The device last reported attached in normal mode, and in recovery mode.
extern DeviceSlot CurrentDevice;
extern DeviceSlot CurrentRecoveryDevice;
