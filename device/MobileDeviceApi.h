// The device library's entry points as this program calls them, the process-wide table of them
// (MobileDeviceApi), and binding that table from the folders where iTunes installs the libraries.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

// Opaque, pointer-sized handles that the device library hands out.
using AMDeviceHandle = void*;
using AMRecoveryDeviceHandle = void*;

// What the library hands to the normal-mode handler: the device handle, then the message.
struct DeviceNotificationInfo {
    AMDeviceHandle device;
    std::uint32_t message;
};
inline constexpr std::uint32_t kDeviceAttached = 1;
inline constexpr std::uint32_t kDeviceDetached = 2;

// The interface type of a device reached over Wi-Fi, which the Enter command declines.
inline constexpr int kInterfaceTypeWifi = 2;
// What a call through an entry that the library does not export answers: a refusal.
inline constexpr int kEntryMissing = -1;

using DeviceNotificationHandler = void(__cdecl*)(DeviceNotificationInfo* info);
// The recovery-mode and DFU handlers; only the recovery-mode attach reads its argument.
using RestoreDeviceHandler = void(__cdecl*)(AMRecoveryDeviceHandle device);

// The entries in binding order: 14 from iTunesMobileDevice.dll, then 5 from CoreFoundation.dll.
enum class MobileDeviceEntry {
    AMDeviceNotificationSubscribe,
    AMDeviceGetInterfaceType,
    AMDeviceStartSession,
    AMDeviceStopSession,
    AMDeviceDisconnect,
    AMDeviceConnect,
    AMDeviceIsPaired,
    AMDeviceValidatePairing,
    AMDeviceStartService,
    AMRecoveryModeDeviceSetAutoBoot,
    AMRecoveryModeDeviceReboot,
    AMDeviceEnterRecovery,
    AMDeviceCopyValue,
    AMRestoreRegisterForDeviceNotifications,
    CFStringCreateWithCString,
    CFStringGetCString,
    CFStringGetCStringPtr,
    CFStringGetSystemEncoding,
    CFStringMakeConstantString,
};
inline constexpr int kMobileDeviceEntryCount = 19;
inline constexpr int kDeviceLibraryEntryCount = 14;

// The bound entry points. Each call below goes through its entry only when the library exported
// it; otherwise it calls nothing and answers as a refusal: kEntryMissing, "not paired" for
// IsPaired, and the Wi-Fi interface type for GetInterfaceType, so that Enter declines.
class MobileDeviceApiTable {
public:
    // The name that the entry is exported under.
    static const char* EntryName(MobileDeviceEntry entry);
    bool IsBound(MobileDeviceEntry entry) const { return m_entries[Index(entry)] != nullptr; }

    int NotificationSubscribe(DeviceNotificationHandler handler) const;
    int RegisterForRestoreNotifications(RestoreDeviceHandler dfuAttach, RestoreDeviceHandler recoveryAttach,
                                        RestoreDeviceHandler dfuDetach,
                                        RestoreDeviceHandler recoveryDetach) const;
    int StopSession(AMDeviceHandle device) const;
    int Disconnect(AMDeviceHandle device) const;
    int Connect(AMDeviceHandle device) const;
    int IsPaired(AMDeviceHandle device) const;
    int ValidatePairing(AMDeviceHandle device) const;
    int StartSession(AMDeviceHandle device) const;
    int GetInterfaceType(AMDeviceHandle device) const;
    int EnterRecovery(AMDeviceHandle device) const;
    int SetAutoBoot(AMRecoveryDeviceHandle device, int autoBoot) const;
    int Reboot(AMRecoveryDeviceHandle device) const;

    // Binds entries first..last (inclusive) from the module by name; a name it does not export
    // leaves its entry empty.
    void BindFrom(HMODULE module, MobileDeviceEntry first, MobileDeviceEntry last);

private:
    using GenericEntry = void (*)();
    using DeviceFn = int(__cdecl*)(AMDeviceHandle);
    static std::size_t Index(MobileDeviceEntry entry) { return static_cast<std::size_t>(entry); }
    template <typename Function> Function Entry(MobileDeviceEntry entry) const {
        return reinterpret_cast<Function>(m_entries[Index(entry)]);
    }

    int CallDevice(MobileDeviceEntry entry, AMDeviceHandle device, int missing) const;

    std::array<GenericEntry, kMobileDeviceEntryCount> m_entries{};
};

// The process's table: empty until BindMobileDeviceLibrary, never changed afterwards.
const MobileDeviceApiTable& MobileDeviceApi();

// Loads iTunesMobileDevice.dll from "<CommonProgramFiles>\Apple\Mobile Device Support\" and
// CoreFoundation.dll from "<CommonProgramFiles>\Apple\Apple Application Support\" (the latter
// also becomes the process's extra library folder) and binds the table. False when the
// variable is absent, empty or 260 characters or longer, or either library does not load.
// Binding happens once per process: a later call only repeats the first call's answer.
bool BindMobileDeviceLibrary();
