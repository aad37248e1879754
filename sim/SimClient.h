// A client of the simulator's commands, either in this process (the simulated library that the
// program loaded) or through the command pipe of another process.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class SimClient {
public:
    // The simulated iTunesMobileDevice.dll already loaded into this process; unusable when none is.
    static SimClient InProcess();
    // The command pipe of the given name (by default FERROLITE_SIM_PIPE's, else the usual one).
    static SimClient ThroughPipe(std::wstring pipeName = DefaultPipeName());
    static std::wstring DefaultPipeName();

    // Runs one command; a reply starting with "error:" tells why it failed, also when the
    // simulator could not be reached.
    std::string Execute(std::string_view command) const;

    // The device's id, or 0 when it could not be plugged in. Flags are names such as "not-paired".
    int Plug(std::string_view mode, std::string_view flags = {}) const;
    bool Unplug(int id) const;
    bool SetFlags(int id, std::string_view flags) const;
    // The device's current handle, or null.
    void* Handle(int id) const;
    std::vector<std::string> Devices() const;
    std::vector<std::string> CallLog() const;
    std::vector<std::string> Notes() const;
    bool ClearLog() const;
    bool Hold(bool hold) const;
    // Delivers the next notification and waits for its handler to return; false when none was
    // queued or the handler did not return in time.
    bool Step() const;
    bool WaitIdle(std::chrono::milliseconds timeout = std::chrono::milliseconds{10000}) const;
    bool SetDelay(std::chrono::milliseconds delay) const;
    bool Reset() const;

private:
    using ExecuteFn = int(__cdecl*)(const char*, char*, int);
    SimClient(ExecuteFn execute, std::wstring pipeName)
        : m_execute(execute), m_pipeName(std::move(pipeName)) {}
    std::string ThroughPipeExecute(std::string_view command) const;

    ExecuteFn m_execute;
    std::wstring m_pipeName;
};

// The reply's lines; an empty reply has none.
std::vector<std::string> SimSplitLines(std::string_view text);
