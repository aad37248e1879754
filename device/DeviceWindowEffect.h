// DeviceWindowEffect: one device notification's whole effect on the main window (the status text
// and the states of the two recovery buttons, each possibly unchanged), and how effects compose.
#pragma once

#include <cstdint>

class CWnd;

enum class DeviceStatus : std::uint8_t {
    Unchanged,
    Connected,
    NotConnected,
    RecoveryMode,
    DfuConnected,
    DfuExited
};
enum class ButtonChange : std::uint8_t { Unchanged, Enable, Disable };

struct DeviceWindowEffect {
    DeviceStatus status = DeviceStatus::Unchanged;
    ButtonChange enter = ButtonChange::Unchanged;
    ButtonChange exit = ButtonChange::Unchanged;

    bool IsEmpty() const;
    // This effect followed by a later one: each field the later one changes wins. Applying the
    // result is the same as applying both in order.
    DeviceWindowEffect Then(const DeviceWindowEffect& later) const;
    // The effect as 7 bits (0 when empty), and back.
    std::uint32_t Pack() const;
    static DeviceWindowEffect Unpack(std::uint32_t bits);
    // Sets the status line, then the Enter button, then the Exit button of the main dialog,
    // reached by their identifiers; a control that is not there is skipped.
    void ApplyTo(CWnd& window) const;

    static const wchar_t* StatusText(DeviceStatus status);
    bool operator==(const DeviceWindowEffect&) const = default;
};
