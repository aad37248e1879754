// The two process-wide device handles. Written by the handlers without a lock; a command that
// reads a handle just as it changes may call the library on a departed device, which the
// library answers with a refusal.
#include "DeviceSlot.h"

DeviceSlot CurrentDevice;
DeviceSlot CurrentRecoveryDevice;

void DeviceSlot::Attach(AMDeviceHandle handle) {
    m_handle.store(handle);
    m_departed.store(false);
}

void DeviceSlot::Detach(AMDeviceHandle handle) {
    if (handle && handle == m_handle.load()) {
        m_departed.store(true);
    }
}

void DeviceSlot::DetachCurrent() {
    m_departed.store(true);
}

AMDeviceHandle DeviceSlot::AttachedHandle() const {
    const AMDeviceHandle handle = m_handle.load();
    return m_departed.load() ? nullptr : handle;
}
