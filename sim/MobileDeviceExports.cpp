// The entry points of the simulated iTunesMobileDevice.dll, with C linkage and cdecl; the .def
// file of each build names which of them it exports.
#include "SimCommands.h"
#include "SimControl.h"
#include "SimLibrary.h"
#include "SimPipeServer.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The library and its command pipe come up on the first call into the library, never while
// Windows loads it.
SimLibrary& Sim() {
    static SimLibrary& sim = []() -> SimLibrary& {
        SimLibrary& library = SimLibrary::Instance();
        SimPipeServer::Start(library);
        return library;
    }();
    return sim;
}

} // namespace

extern "C" {

int __cdecl AMDeviceNotificationSubscribe(SimDeviceCallback callback, unsigned a, unsigned b, unsigned c,
                                          void** subscription) {
    return Sim().Subscribe(callback, a, b, c, subscription);
}

int __cdecl AMRestoreRegisterForDeviceNotifications(SimRestoreCallback dfuAttach,
                                                    SimRestoreCallback recoveryAttach,
                                                    SimRestoreCallback dfuDetach,
                                                    SimRestoreCallback recoveryDetach, void* a, void* b) {
    return Sim().RegisterRestore(dfuAttach, recoveryAttach, dfuDetach, recoveryDetach, a, b);
}

int __cdecl AMDeviceGetInterfaceType(void* device) {
    return Sim().GetInterfaceType(device);
}
int __cdecl AMDeviceStartSession(void* device) {
    return Sim().StartSession(device);
}
int __cdecl AMDeviceStopSession(void* device) {
    return Sim().StopSession(device);
}
int __cdecl AMDeviceDisconnect(void* device) {
    return Sim().Disconnect(device);
}
int __cdecl AMDeviceConnect(void* device) {
    return Sim().Connect(device);
}
int __cdecl AMDeviceIsPaired(void* device) {
    return Sim().IsPaired(device);
}
int __cdecl AMDeviceValidatePairing(void* device) {
    return Sim().ValidatePairing(device);
}
int __cdecl AMDeviceEnterRecovery(void* device) {
    return Sim().EnterRecovery(device);
}
int __cdecl AMRecoveryModeDeviceSetAutoBoot(void* device, int value) {
    return Sim().SetAutoBoot(device, value);
}
int __cdecl AMRecoveryModeDeviceReboot(void* device) {
    return Sim().Reboot(device);
}

int __cdecl AMDeviceStartService(void* device, void* name, void** service, void* reserved) {
    return Sim().StartService(device, name, service, reserved);
}

void* __cdecl AMDeviceCopyValue(void* device, void* domain, void* key) {
    Sim().CopyValue(device, domain, key);
    return nullptr;
}

int __cdecl SimExecute(const char* command, char* reply, int replySize) {
    const std::string answer = ExecuteSimCommand(Sim(), command ? command : "");
    if (reply && replySize > 0) {
        const std::size_t copied = std::min(answer.size(), static_cast<std::size_t>(replySize - 1));
        std::memcpy(reply, answer.data(), copied);
        reply[copied] = '\0';
    }
    return static_cast<int>(answer.size());
}

} // extern "C"
