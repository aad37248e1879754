// Carries device notifications' window effects from the library's thread to the main window
// without ever waiting for the user-interface thread.
//
// One composed effect waits in a single atomic word, addressed to the main window it was meant
// for. A handler folds its effect into it and posts WM_DEVICE_EFFECT only when it found nothing
// waiting, so that however many notifications arrive while the user-interface thread is busy,
// at most one message is queued; the window takes the word and applies it, which leaves the
// window as applying every effect in arrival order would.
#pragma once

#include "DeviceWindowEffect.h"

#include <windows.h>

class CWnd;

// Posted to the main window when an effect starts waiting; wParam and lParam are 0.
inline constexpr UINT WM_DEVICE_EFFECT = WM_APP + 1;

// Any thread. Folds the effect into the one waiting for the application's main window; with no
// main window it is dropped. When the post fails (the window is gone or its queue is full), the
// next effect posts again; an effect left waiting for a window that is no longer the main
// window is discarded by the first effect for the new one.
void PostDeviceEffect(const DeviceWindowEffect& effect);

// The window's thread, on WM_DEVICE_EFFECT: takes what waits for this window and applies it.
void ApplyPendingDeviceEffect(CWnd& window);
