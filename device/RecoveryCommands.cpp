// The recovery-mode commands. A command whose device handle is empty, or names a device that
// has since been reported detached, calls nothing and counts as refused.
#include "RecoveryCommands.h"

#include "DeviceSlot.h"
#include "MobileDeviceApi.h"

bool RequestEnterRecovery() {
    const AMDeviceHandle device = CurrentDevice.AttachedHandle();
    if (!device) {
        return false;
    }
    const MobileDeviceApiTable& api = MobileDeviceApi();
    if (api.GetInterfaceType(device) == kInterfaceTypeWifi) {
        return false;
    }
    return api.EnterRecovery(device) == 0;
}

bool RequestExitRecovery() {
    const AMRecoveryDeviceHandle device = CurrentRecoveryDevice.AttachedHandle();
    if (!device) {
        return false;
    }
    const MobileDeviceApiTable& api = MobileDeviceApi();
    api.SetAutoBoot(device, 1);
    return api.Reboot(device) == 0;
}
