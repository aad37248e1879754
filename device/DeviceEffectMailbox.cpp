// The waiting effect as one 64-bit word: the target window in the low 32 bits (window handles
// are 32-bit values on 64-bit Windows too), the packed effect above it, and whether a message
// for it is on its way.
#include "DeviceEffectMailbox.h"

#include "CWinApp.h"
#include "CWnd.h"

#include <atomic>
#include <cstdint>

namespace {

constexpr int kEffectShift = 32;
constexpr std::uint64_t kEffectMask = 0x7f;
constexpr std::uint64_t kPostedBit = std::uint64_t{1} << 48;
constexpr std::uint64_t kWindowMask = 0xffffffffu;

static_assert(std::atomic<std::uint64_t>::is_always_lock_free);
std::atomic<std::uint64_t> g_waiting{0};

std::uint64_t WindowKey(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window) & kWindowMask;
}
DeviceWindowEffect EffectOf(std::uint64_t word) {
    return DeviceWindowEffect::Unpack(static_cast<std::uint32_t>(word >> kEffectShift & kEffectMask));
}
std::uint64_t Word(std::uint64_t key, const DeviceWindowEffect& effect) {
    return key | std::uint64_t{effect.Pack()} << kEffectShift | kPostedBit;
}

} // namespace

void PostDeviceEffect(const DeviceWindowEffect& effect) {
    const HWND window = AfxGetMainWndHandle();
    if (!window || effect.IsEmpty()) {
        return;
    }
    const std::uint64_t key = WindowKey(window);
    std::uint64_t waiting = g_waiting.load();
    std::uint64_t next = 0;
    bool post = false;
    do {
        const bool forThisWindow = waiting != 0 && (waiting & kWindowMask) == key;
        next = Word(key, forThisWindow ? EffectOf(waiting).Then(effect) : effect);
        post = !forThisWindow || !(waiting & kPostedBit);
    } while (!g_waiting.compare_exchange_weak(waiting, next));
    if (post && !PostMessageW(window, WM_DEVICE_EFFECT, 0, 0)) {
        // Nothing will come to take the effect: let the next one post again.
        std::uint64_t current = g_waiting.load();
        while ((current & kWindowMask) == key && (current & kPostedBit) &&
               !g_waiting.compare_exchange_weak(current, current & ~kPostedBit)) {
        }
    }
}

void ApplyPendingDeviceEffect(CWnd& window) {
    const std::uint64_t key = WindowKey(window.GetSafeHwnd());
    std::uint64_t waiting = g_waiting.load();
    do {
        if (waiting == 0 || (waiting & kWindowMask) != key) {
            return;
        }
    } while (!g_waiting.compare_exchange_weak(waiting, 0));
    EffectOf(waiting).ApplyTo(window);
}
