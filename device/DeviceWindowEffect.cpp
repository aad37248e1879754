// Composing and applying the window effects of device notifications.
#include "DeviceWindowEffect.h"

#include "CWnd.h"
#include "resource.h"

namespace {

constexpr std::uint32_t kStatusBits = 0x7;
constexpr std::uint32_t kButtonBits = 0x3;
constexpr int kEnterShift = 3;
constexpr int kExitShift = 5;

template <typename Field> Field Later(Field earlier, Field later) {
    return later == Field::Unchanged ? earlier : later;
}

void ApplyButton(CWnd& window, int id, ButtonChange change) {
    if (change == ButtonChange::Unchanged) {
        return;
    }
    if (CWnd* button = window.GetDlgItem(id)) {
        button->EnableWindow(change == ButtonChange::Enable);
    }
}

} // namespace

bool DeviceWindowEffect::IsEmpty() const {
    return Pack() == 0;
}

DeviceWindowEffect DeviceWindowEffect::Then(const DeviceWindowEffect& later) const {
    return {Later(status, later.status), Later(enter, later.enter), Later(exit, later.exit)};
}

std::uint32_t DeviceWindowEffect::Pack() const {
    return static_cast<std::uint32_t>(status) | static_cast<std::uint32_t>(enter) << kEnterShift |
           static_cast<std::uint32_t>(exit) << kExitShift;
}

DeviceWindowEffect DeviceWindowEffect::Unpack(std::uint32_t bits) {
    return {static_cast<DeviceStatus>(bits & kStatusBits),
            static_cast<ButtonChange>(bits >> kEnterShift & kButtonBits),
            static_cast<ButtonChange>(bits >> kExitShift & kButtonBits)};
}

void DeviceWindowEffect::ApplyTo(CWnd& window) const {
    if (status != DeviceStatus::Unchanged) {
        if (CWnd* label = window.GetDlgItem(IDC_STATUS)) {
            label->SetWindowText(StatusText(status));
        }
    }
    ApplyButton(window, IDC_ENTER_RECOVERY, enter);
    ApplyButton(window, IDC_EXIT_RECOVERY, exit);
}

const wchar_t* DeviceWindowEffect::StatusText(DeviceStatus status) {
    switch (status) {
    case DeviceStatus::Connected:
        return L"Your iOS device is now connected.";
    case DeviceStatus::NotConnected:
        return L"The device is not connected.";
    case DeviceStatus::RecoveryMode:
        return L"You have entered the Recovery Mode.";
    case DeviceStatus::DfuConnected:
        return L"Device connected in DFU Mode..";
    case DeviceStatus::DfuExited:
        return L"Device exited DFU Mode..";
    case DeviceStatus::Unchanged:
        break;
    }
    return L"";
}
