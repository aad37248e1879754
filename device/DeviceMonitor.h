// Device notifications: registering for them, and the handlers that the device library calls on
// its own thread. A handler stores the device handle, may call the library, and posts its whole
// window effect to the main window; it never waits for the user-interface thread.
#pragma once

#include "MobileDeviceApi.h"

// Subscribes OnDeviceNotification, then registers the recovery-mode and DFU handlers, after a
// successful BindMobileDeviceLibrary; the results are ignored. Only the first call registers.
void StartDeviceMonitoring();

// Normal-mode arrival (message 1) and departure (message 2); other messages change nothing.
void __cdecl OnDeviceNotification(DeviceNotificationInfo* info);
void __cdecl OnRecoveryDeviceConnected(AMRecoveryDeviceHandle device);
// Recovery-mode departure; the argument is not read, so the recovery-mode device departed.
void __cdecl OnDeviceDisconnected(AMRecoveryDeviceHandle device);
void __cdecl OnDfuDeviceConnected(AMRecoveryDeviceHandle device);
void __cdecl OnDfuDeviceDisconnected(AMRecoveryDeviceHandle device);

// The effect of a normal-mode arrival on CurrentDevice: the Enter button enabled, and the
// "connected" text when a session opens.
void ShowDeviceConnected();
// Opens a session on CurrentDevice: stop, disconnect, connect, pairing check, pairing
// validation, start. True when it started, or at once when the library has no StartSession.
bool OpenDeviceSession();
