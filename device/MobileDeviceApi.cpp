// Binding the device library's entry points by name, and the calls that go through them.
#include "MobileDeviceApi.h"

#include <string>

namespace {

constexpr const char* kEntryNames[kMobileDeviceEntryCount] = {
    "AMDeviceNotificationSubscribe",
    "AMDeviceGetInterfaceType",
    "AMDeviceStartSession",
    "AMDeviceStopSession",
    "AMDeviceDisconnect",
    "AMDeviceConnect",
    "AMDeviceIsPaired",
    "AMDeviceValidatePairing",
    "AMDeviceStartService",
    "AMRecoveryModeDeviceSetAutoBoot",
    "AMRecoveryModeDeviceReboot",
    "AMDeviceEnterRecovery",
    "AMDeviceCopyValue",
    "AMRestoreRegisterForDeviceNotifications",
    "CFStringCreateWithCString",
    "CFStringGetCString",
    "CFStringGetCStringPtr",
    "CFStringGetSystemEncoding",
    "__CFStringMakeConstantString",
};

// The reserved arguments are passed as pointer-sized zeros, so that the library reads 0
// whether it takes them as 32-bit values or as pointers.
using SubscribeFn = int(__cdecl*)(DeviceNotificationHandler, void*, void*, void*, void** subscription);
using RegisterFn = int(__cdecl*)(RestoreDeviceHandler, RestoreDeviceHandler, RestoreDeviceHandler,
                                 RestoreDeviceHandler, void*, void*);
using SetAutoBootFn = int(__cdecl*)(AMRecoveryDeviceHandle, int);

constexpr DWORD kCommonFilesBufferSize = 260;
constexpr wchar_t kDeviceLibraryFolder[] = L"\\Apple\\Mobile Device Support\\";
constexpr wchar_t kSupportFolder[] = L"\\Apple\\Apple Application Support\\";

MobileDeviceApiTable& ProcessTable() {
    static MobileDeviceApiTable table;
    return table;
}

bool Bind(MobileDeviceApiTable& table) {
    wchar_t commonFiles[kCommonFilesBufferSize];
    // The result is the value's length when it fits the buffer, else the size it would need.
    const DWORD length = GetEnvironmentVariableW(L"CommonProgramFiles", commonFiles, kCommonFilesBufferSize);
    if (length == 0 || length >= kCommonFilesBufferSize) {
        return false;
    }
    const std::wstring base(commonFiles, length);
    const std::wstring deviceFolder = base + kDeviceLibraryFolder;
    const std::wstring supportFolder = base + kSupportFolder;

    // The device library's own dependencies live in the support folder.
    SetDllDirectoryW(supportFolder.c_str());
    // Loaded by full path, so that no copy elsewhere on the search path is used; never unloaded.
    const HMODULE deviceLibrary = LoadLibraryW((deviceFolder + L"iTunesMobileDevice.dll").c_str());
    if (!deviceLibrary) {
        return false;
    }
    table.BindFrom(deviceLibrary, MobileDeviceEntry::AMDeviceNotificationSubscribe,
                   MobileDeviceEntry::AMRestoreRegisterForDeviceNotifications);
    const HMODULE coreFoundation = LoadLibraryW((supportFolder + L"CoreFoundation.dll").c_str());
    if (!coreFoundation) {
        return false;
    }
    table.BindFrom(coreFoundation, MobileDeviceEntry::CFStringCreateWithCString,
                   MobileDeviceEntry::CFStringMakeConstantString);
    return true;
}

} // namespace

const char* MobileDeviceApiTable::EntryName(MobileDeviceEntry entry) {
    return kEntryNames[Index(entry)];
}

void MobileDeviceApiTable::BindFrom(HMODULE module, MobileDeviceEntry first, MobileDeviceEntry last) {
    for (std::size_t i = Index(first); i <= Index(last); ++i) {
        // Stored as the generic function type; each call casts its entry back to its own type.
        m_entries[i] = reinterpret_cast<GenericEntry>(GetProcAddress(module, kEntryNames[i]));
    }
}

int MobileDeviceApiTable::NotificationSubscribe(DeviceNotificationHandler handler) const {
    const auto subscribe = Entry<SubscribeFn>(MobileDeviceEntry::AMDeviceNotificationSubscribe);
    if (!subscribe) {
        return kEntryMissing;
    }
    // Registration is never cancelled, so the subscription handle is not kept.
    void* subscription = nullptr;
    return subscribe(handler, nullptr, nullptr, nullptr, &subscription);
}

int MobileDeviceApiTable::RegisterForRestoreNotifications(RestoreDeviceHandler dfuAttach,
                                                          RestoreDeviceHandler recoveryAttach,
                                                          RestoreDeviceHandler dfuDetach,
                                                          RestoreDeviceHandler recoveryDetach) const {
    const auto registerFn = Entry<RegisterFn>(MobileDeviceEntry::AMRestoreRegisterForDeviceNotifications);
    return registerFn ? registerFn(dfuAttach, recoveryAttach, dfuDetach, recoveryDetach, nullptr, nullptr)
                      : kEntryMissing;
}

int MobileDeviceApiTable::CallDevice(MobileDeviceEntry entry, AMDeviceHandle device, int missing) const {
    const auto call = Entry<DeviceFn>(entry);
    return call ? call(device) : missing;
}

int MobileDeviceApiTable::StopSession(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceStopSession, device, kEntryMissing);
}
int MobileDeviceApiTable::Disconnect(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceDisconnect, device, kEntryMissing);
}
int MobileDeviceApiTable::Connect(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceConnect, device, kEntryMissing);
}
int MobileDeviceApiTable::IsPaired(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceIsPaired, device, 0);
}
int MobileDeviceApiTable::ValidatePairing(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceValidatePairing, device, kEntryMissing);
}
int MobileDeviceApiTable::StartSession(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceStartSession, device, kEntryMissing);
}
int MobileDeviceApiTable::GetInterfaceType(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceGetInterfaceType, device, kInterfaceTypeWifi);
}
int MobileDeviceApiTable::EnterRecovery(AMDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMDeviceEnterRecovery, device, kEntryMissing);
}
int MobileDeviceApiTable::Reboot(AMRecoveryDeviceHandle device) const {
    return CallDevice(MobileDeviceEntry::AMRecoveryModeDeviceReboot, device, kEntryMissing);
}

int MobileDeviceApiTable::SetAutoBoot(AMRecoveryDeviceHandle device, int autoBoot) const {
    const auto call = Entry<SetAutoBootFn>(MobileDeviceEntry::AMRecoveryModeDeviceSetAutoBoot);
    return call ? call(device, autoBoot) : kEntryMissing;
}

const MobileDeviceApiTable& MobileDeviceApi() {
    return ProcessTable();
}

bool BindMobileDeviceLibrary() {
    static const bool bound = Bind(ProcessTable());
    return bound;
}
