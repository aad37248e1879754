// The control entry of the simulated device library: one text command in, one text reply out.
// The command pipe and the in-process tests both go through it (SimClient wraps it).
#pragma once

extern "C" {
// Runs one command (see SimCommands.cpp for the list) and writes the reply, NUL-terminated and
// cut to replySize. Returns the reply's full length without the terminator, so that a caller
// whose buffer was too small can ask again with a larger one.
int __cdecl SimExecute(const char* command, char* reply, int replySize);
}

// The command pipe's name unless FERROLITE_SIM_PIPE names another.
inline constexpr wchar_t kSimDefaultPipeName[] = L"\\\\.\\pipe\\FerroliteSim";
inline constexpr wchar_t kSimPipeVariable[] = L"FERROLITE_SIM_PIPE";
