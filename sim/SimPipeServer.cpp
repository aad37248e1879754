// The command pipe's server loop: one client at a time, one command per message.
#include "SimPipeServer.h"

#include "SimClient.h"
#include "SimCommands.h"
#include "SimControl.h"
#include "SimLibrary.h"

#include <windows.h>

#include <memory>
#include <string>
#include <thread>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

constexpr DWORD kBufferSize = 64 * 1024;

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

// Reads one whole message; false when the client went away.
bool ReadMessage(HANDLE pipe, std::string& message) {
    message.clear();
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        const BOOL done = ReadFile(pipe, buffer, sizeof buffer, &read, nullptr);
        message.append(buffer, read);
        if (done) {
            return true;
        }
        if (GetLastError() != ERROR_MORE_DATA) {
            return false;
        }
    }
}

void Serve(SimLibrary& sim, UniqueHandle pipe) {
    std::string command;
    for (;;) {
        // A client that came and went before we waited for it leaves a pipe to disconnect.
        if (!ConnectNamedPipe(pipe.get(), nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) {
            DisconnectNamedPipe(pipe.get());
            continue;
        }
        while (ReadMessage(pipe.get(), command)) {
            const std::string reply = ExecuteSimCommand(sim, command);
            DWORD written = 0;
            // An empty reply is still one message, so that the client's read returns.
            if (!WriteFile(pipe.get(), reply.data(), static_cast<DWORD>(reply.size()), &written, nullptr)) {
                break;
            }
        }
        DisconnectNamedPipe(pipe.get());
    }
}

} // namespace

void SimPipeServer::Start(SimLibrary& sim) {
    const std::wstring name = SimClient::DefaultPipeName();
    if (name == L"none") {
        sim.SetPipeStatus("off");
        return;
    }
    HANDLE pipe =
        CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                         PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                         1, kBufferSize, kBufferSize, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        sim.SetPipeStatus("unavailable: " + Narrow(name) + " is served by another process");
        return;
    }
    sim.SetPipeStatus("serving " + Narrow(name));
    // The thread serves until the process ends, as the library itself lives.
    std::thread(Serve, std::ref(sim), UniqueHandle(pipe)).detach();
}
