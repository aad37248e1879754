// How the simulator writes pointers and results in its call log and replies, shared with its
// clients so that tests can build the lines they expect.
#pragma once

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

inline std::string SimFormatPointer(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%" PRIxPTR, reinterpret_cast<std::uintptr_t>(pointer));
    return text;
}

inline std::string SimFormatResult(int result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(result));
    return text;
}
