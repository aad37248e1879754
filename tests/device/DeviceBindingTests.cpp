// Binding the device library from CommonProgramFiles, one fresh probe process per case, with
// copies of both libraries beside the probe so that a search by name would find them; and what
// calls through entries that a library did not export answer.
#include "MobileDeviceApi.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

constexpr DWORD kProbeTimeoutMs = 30000;

std::wstring Layout(const wchar_t* name) {
    return std::wstring(FERROLITE_SIM_LAYOUTS) + L"\\" + name;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// Runs the probe with the value and returns its output line, or a line that says what failed.
std::string RunProbe(const std::wstring& value) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readRaw = nullptr;
    HANDLE writeRaw = nullptr;
    if (!CreatePipe(&readRaw, &writeRaw, &inherit, 0)) {
        return "error: no pipe";
    }
    const UniqueHandle read(readRaw);
    UniqueHandle write(writeRaw);
    SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0);

    std::wstring commandLine = L"\"" + std::wstring(FERROLITE_BINDING_PROBE) + L"\" \"" + value + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write.get();
    startup.hStdError = write.get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return "error: the probe did not start";
    }
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    write.reset();

    std::string output;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(read.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
    }
    if (WaitForSingleObject(processHandle.get(), kProbeTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(processHandle.get(), 1);
        return "error: the probe did not end within 30 s";
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

struct BindingCase {
    const char* name;
    std::wstring value;
    std::string expected;
};

std::string Expected(int result, const char* bound, const std::wstring& device, const std::wstring& support,
                     const std::wstring& dllDirectory) {
    auto text = [](const std::wstring& path) { return path.empty() ? std::string("-") : Narrow(path); };
    return "result=" + std::to_string(result) + " bound=" + bound + " device=" + text(device) +
           " support=" + text(support) + " dlldir=" + text(dllDirectory) + " again=" + std::to_string(result);
}

std::wstring DeviceLibrary(const wchar_t* layout) {
    return Layout(layout) + L"\\Apple\\Mobile Device Support\\iTunesMobileDevice.dll";
}
std::wstring SupportLibrary(const wchar_t* layout) {
    return Layout(layout) + L"\\Apple\\Apple Application Support\\CoreFoundation.dll";
}
std::wstring SupportFolder(const wchar_t* layout) {
    return Layout(layout) + L"\\Apple\\Apple Application Support\\";
}

// A value of exactly 260 characters that still names the complete layout ("\." changes nothing).
std::wstring TooLongValue() {
    std::wstring value = Layout(L"full");
    while (value.size() + 2 <= 260) {
        value += L"\\.";
    }
    if (value.size() < 260) {
        value += L"\\";
    }
    return value;
}

constexpr char kNone[] = "0000000000000000000";
constexpr char kAll[] = "1111111111111111111";

std::vector<BindingCase> Cases() {
    return {
        {"NoVariable", L"-", Expected(0, kNone, L"", L"", L"")},
        {"EmptyVariable", L"", Expected(0, kNone, L"", L"", L"")},
        {"ValueOf260Characters", TooLongValue(), Expected(0, kNone, L"", L"", L"")},
        {"DeviceLibraryMissing", Layout(L"no-device-library"),
         Expected(0, kNone, L"", L"", SupportFolder(L"no-device-library"))},
        {"CoreFoundationMissing", Layout(L"no-core-foundation"),
         Expected(0, "1111111111111100000", DeviceLibrary(L"no-core-foundation"), L"",
                  SupportFolder(L"no-core-foundation"))},
        {"LibrariesInEachOthersFolders", Layout(L"swapped"),
         Expected(0, kNone, L"", L"", SupportFolder(L"swapped"))},
        {"NoStartSessionExport", Layout(L"no-start-session"),
         Expected(1, "1101111111111111111", DeviceLibrary(L"no-start-session"),
                  SupportLibrary(L"no-start-session"), SupportFolder(L"no-start-session"))},
        {"NoCStringPtrExport", Layout(L"no-cstring-ptr"),
         Expected(1, "1111111111111111011", DeviceLibrary(L"no-cstring-ptr"),
                  SupportLibrary(L"no-cstring-ptr"), SupportFolder(L"no-cstring-ptr"))},
        {"Complete", Layout(L"full"),
         Expected(1, kAll, DeviceLibrary(L"full"), SupportLibrary(L"full"), SupportFolder(L"full"))},
    };
}

TEST(DeviceBinding, EachCaseInAFreshProcess) {
    for (const BindingCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RunProbe(c.value), c.expected);
    }
}

// An entry that the library did not export is never called: each call answers as a refusal.
TEST(DeviceBinding, CallsThroughMissingEntriesAnswerAsRefusals) {
    const MobileDeviceApiTable blank;
    void* const device = reinterpret_cast<void*>(0x1000);
    EXPECT_NE(blank.NotificationSubscribe(nullptr), 0);
    EXPECT_NE(blank.RegisterForRestoreNotifications(nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_NE(blank.StopSession(device), 0);
    EXPECT_NE(blank.Disconnect(device), 0);
    EXPECT_NE(blank.Connect(device), 0);
    EXPECT_EQ(blank.IsPaired(device), 0) << "a missing AMDeviceIsPaired must count as not paired";
    EXPECT_NE(blank.ValidatePairing(device), 0);
    EXPECT_NE(blank.StartSession(device), 0);
    EXPECT_EQ(blank.GetInterfaceType(device), kInterfaceTypeWifi)
        << "a missing interface type must decline Enter";
    EXPECT_NE(blank.EnterRecovery(device), 0);
    EXPECT_NE(blank.SetAutoBoot(device, 1), 0);
    EXPECT_NE(blank.Reboot(device), 0);
    for (int i = 0; i < kMobileDeviceEntryCount; ++i) {
        EXPECT_FALSE(blank.IsBound(static_cast<MobileDeviceEntry>(i)));
    }
}

} // namespace
