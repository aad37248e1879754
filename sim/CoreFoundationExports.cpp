// The entry points of the simulated CoreFoundation.dll: just enough string objects for a
// program that binds them. Strings live until the process ends (nothing here releases them).
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace {

constexpr unsigned kEncodingUtf8 = 0x08000100;

struct SimString {
    std::string text;
};

} // namespace

extern "C" {

void* __cdecl CFStringCreateWithCString(void* /*allocator*/, const char* text, unsigned /*encoding*/) {
    return text ? new SimString{text} : nullptr;
}

unsigned char __cdecl CFStringGetCString(const void* string, char* buffer, std::intptr_t size,
                                         unsigned /*encoding*/) {
    const auto* simString = static_cast<const SimString*>(string);
    if (!simString || !buffer || size <= 0 || simString->text.size() >= static_cast<std::size_t>(size)) {
        return 0;
    }
    std::memcpy(buffer, simString->text.c_str(), simString->text.size() + 1);
    return 1;
}

const char* __cdecl CFStringGetCStringPtr(const void* string, unsigned /*encoding*/) {
    const auto* simString = static_cast<const SimString*>(string);
    return simString ? simString->text.c_str() : nullptr;
}

unsigned __cdecl CFStringGetSystemEncoding() {
    return kEncodingUtf8;
}

// Exported as __CFStringMakeConstantString: one object per distinct text, as constants are.
void* __cdecl SimCFStringMakeConstantString(const char* text) {
    static std::mutex mutex;
    static auto* const constants = new std::map<std::string, SimString>();
    if (!text) {
        return nullptr;
    }
    const std::lock_guard lock(mutex);
    auto& entry = (*constants)[text];
    entry.text = text;
    return &entry;
}

} // extern "C"
