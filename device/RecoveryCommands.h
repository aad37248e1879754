// The library calls behind the two recovery-mode commands of the main dialog. Each answers
// whether the library accepted; the dialog then swaps its two buttons.
#pragma once

// Asks the library to restart CurrentDevice into recovery mode; declined for a device on Wi-Fi.
bool RequestEnterRecovery();
// Sets auto-boot on CurrentRecoveryDevice (its answer ignored) and asks the library to reboot it.
bool RequestExitRecovery();
