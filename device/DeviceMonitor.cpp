// The device notification handlers and the session they open when a device arrives.
#include "DeviceMonitor.h"

#include "DeviceEffectMailbox.h"
#include "DeviceSlot.h"

namespace {

// Both departures, normal-mode and recovery-mode, have this effect.
constexpr DeviceWindowEffect kDisconnected{DeviceStatus::NotConnected, ButtonChange::Disable,
                                           ButtonChange::Disable};

} // namespace

void StartDeviceMonitoring() {
    // Registration is never cancelled, so a second one would deliver every notification twice.
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    const MobileDeviceApiTable& api = MobileDeviceApi();
    api.NotificationSubscribe(&OnDeviceNotification);
    api.RegisterForRestoreNotifications(&OnDfuDeviceConnected, &OnRecoveryDeviceConnected,
                                        &OnDfuDeviceDisconnected, &OnDeviceDisconnected);
}

void __cdecl OnDeviceNotification(DeviceNotificationInfo* info) {
    if (!info) {
        return;
    }
    if (info->message == kDeviceAttached) {
        CurrentDevice.Attach(info->device);
        ShowDeviceConnected();
    } else if (info->message == kDeviceDetached) {
        // Any device's departure shows "not connected"; only CurrentDevice's makes it departed.
        CurrentDevice.Detach(info->device);
        PostDeviceEffect(kDisconnected);
    }
}

void __cdecl OnRecoveryDeviceConnected(AMRecoveryDeviceHandle device) {
    CurrentRecoveryDevice.Attach(device);
    PostDeviceEffect({DeviceStatus::RecoveryMode, ButtonChange::Unchanged, ButtonChange::Enable});
}

void __cdecl OnDeviceDisconnected(AMRecoveryDeviceHandle) {
    CurrentRecoveryDevice.DetachCurrent();
    PostDeviceEffect(kDisconnected);
}

void __cdecl OnDfuDeviceConnected(AMRecoveryDeviceHandle) {
    PostDeviceEffect({DeviceStatus::DfuConnected});
}

void __cdecl OnDfuDeviceDisconnected(AMRecoveryDeviceHandle) {
    PostDeviceEffect({DeviceStatus::DfuExited});
}

void ShowDeviceConnected() {
    // One effect for the whole arrival: Enter is enabled whether or not the session opened.
    DeviceWindowEffect effect{DeviceStatus::Unchanged, ButtonChange::Enable, ButtonChange::Unchanged};
    if (OpenDeviceSession()) {
        effect.status = DeviceStatus::Connected;
    }
    PostDeviceEffect(effect);
}

bool OpenDeviceSession() {
    const MobileDeviceApiTable& api = MobileDeviceApi();
    if (!api.IsBound(MobileDeviceEntry::AMDeviceStartSession)) {
        return true;
    }
    // Read once, so that every step acts on the same device.
    const AMDeviceHandle device = CurrentDevice.Get();
    api.StopSession(device);
    api.Disconnect(device);
    if (api.Connect(device) != 0) {
        return false;
    }
    if (api.IsPaired(device) == 0) {
        return false;
    }
    if (api.ValidatePairing(device) != 0) {
        return false;
    }
    return api.StartSession(device) == 0;
}
