// Message pumping for tests that drive real windows on their own thread.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches this thread's messages until done() holds; false when timeoutMs passes first.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
