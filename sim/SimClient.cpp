// The simulator's client: commands as text, in-process through SimExecute or through the pipe.
#include "SimClient.h"

#include "SimControl.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

constexpr DWORD kPipeWaitMs = 5000;

bool IsOk(const std::string& reply) {
    return reply == "ok";
}

} // namespace

std::vector<std::string> SimSplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

SimClient SimClient::InProcess() {
    const HMODULE module = GetModuleHandleW(L"iTunesMobileDevice.dll");
    // The exported function's type is fixed by SimControl.h; the cast goes through the generic
    // function type that GetProcAddress's result may be converted from.
    const auto proc = module ? reinterpret_cast<void (*)()>(GetProcAddress(module, "SimExecute")) : nullptr;
    return SimClient(reinterpret_cast<ExecuteFn>(proc), {});
}

SimClient SimClient::ThroughPipe(std::wstring pipeName) {
    return SimClient(nullptr, std::move(pipeName));
}

std::wstring SimClient::DefaultPipeName() {
    wchar_t value[256];
    const DWORD length =
        GetEnvironmentVariableW(kSimPipeVariable, value, static_cast<DWORD>(std::size(value)));
    if (length == 0 || length >= std::size(value)) {
        return kSimDefaultPipeName;
    }
    return std::wstring(value, length);
}

std::string SimClient::Execute(std::string_view command) const {
    const std::string line(command);
    if (m_execute) {
        std::string reply(256, '\0');
        int length = m_execute(line.c_str(), reply.data(), static_cast<int>(reply.size()));
        if (length >= static_cast<int>(reply.size())) {
            reply.resize(static_cast<std::size_t>(length) + 1);
            length = m_execute(line.c_str(), reply.data(), static_cast<int>(reply.size()));
        }
        reply.resize(static_cast<std::size_t>(length));
        return reply;
    }
    if (m_pipeName.empty()) {
        return "error: no simulated device library in this process";
    }
    return ThroughPipeExecute(line);
}

std::string SimClient::ThroughPipeExecute(std::string_view command) const {
    HANDLE raw = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 2 && raw == INVALID_HANDLE_VALUE; ++attempt) {
        raw = CreateFileW(m_pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                          nullptr);
        if (raw == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PIPE_BUSY) {
            WaitNamedPipeW(m_pipeName.c_str(), kPipeWaitMs);
        }
    }
    if (raw == INVALID_HANDLE_VALUE) {
        return "error: the simulator's command pipe is not there";
    }
    const UniqueHandle pipe(raw);
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);
    DWORD written = 0;
    if (!WriteFile(pipe.get(), command.data(), static_cast<DWORD>(command.size()), &written, nullptr)) {
        return "error: the command could not be sent";
    }
    std::string reply;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        const BOOL done = ReadFile(pipe.get(), buffer, sizeof buffer, &read, nullptr);
        reply.append(buffer, read);
        if (done) {
            return reply;
        }
        if (GetLastError() != ERROR_MORE_DATA) {
            return "error: no reply from the simulator";
        }
    }
}

int SimClient::Plug(std::string_view mode, std::string_view flags) const {
    std::string command = "plug " + std::string(mode);
    if (!flags.empty()) {
        command += ' ' + std::string(flags);
    }
    return std::atoi(Execute(command).c_str());
}

bool SimClient::Unplug(int id) const {
    return IsOk(Execute("unplug " + std::to_string(id)));
}

bool SimClient::SetFlags(int id, std::string_view flags) const {
    return IsOk(Execute("flags " + std::to_string(id) + ' ' + std::string(flags)));
}

void* SimClient::Handle(int id) const {
    const std::string reply = Execute("handle " + std::to_string(id));
    if (reply.rfind("0x", 0) != 0) {
        return nullptr;
    }
    return reinterpret_cast<void*>(
        static_cast<std::uintptr_t>(std::strtoull(reply.c_str() + 2, nullptr, 16)));
}

std::vector<std::string> SimClient::Devices() const {
    return SimSplitLines(Execute("devices"));
}
std::vector<std::string> SimClient::CallLog() const {
    return SimSplitLines(Execute("log"));
}
std::vector<std::string> SimClient::Notes() const {
    return SimSplitLines(Execute("notes"));
}
bool SimClient::ClearLog() const {
    return IsOk(Execute("clear-log"));
}
bool SimClient::Hold(bool hold) const {
    return IsOk(Execute(hold ? "hold on" : "hold off"));
}
bool SimClient::Step() const {
    return Execute("step").rfind("delivered", 0) == 0;
}

bool SimClient::WaitIdle(std::chrono::milliseconds timeout) const {
    return Execute("wait-idle " + std::to_string(timeout.count())) == "idle";
}

bool SimClient::SetDelay(std::chrono::milliseconds delay) const {
    return IsOk(Execute("delay " + std::to_string(delay.count())));
}

bool SimClient::Reset() const {
    return IsOk(Execute("reset"));
}
