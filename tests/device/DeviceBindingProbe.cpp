// device_binding_probe.exe <CommonProgramFiles value | "-" for none>: binds the device library
// once, as the program does, and prints what came of it. Binding happens once per process, so
// every binding case of the tests runs in a probe of its own. Prints one line:
//   result=<0|1> bound=<one 0|1 per entry, in binding order> device=<path|-> support=<path|->
//   dlldir=<path|-> again=<0|1>
// where device and support are the files of the loaded iTunesMobileDevice.dll and
// CoreFoundation.dll, and again is the answer of a second binding after the variable is removed.
#include "MobileDeviceApi.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; *text; ++text) {
        narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
    }
    return narrow;
}

std::string ModulePath(const wchar_t* name) {
    const HMODULE module = GetModuleHandleW(name);
    wchar_t path[1024] = {};
    if (!module || !GetModuleFileNameW(module, path, static_cast<DWORD>(std::size(path)))) {
        return "-";
    }
    return Narrow(path);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: device_binding_probe <CommonProgramFiles value | ->\n");
        return 2;
    }
    const std::wstring value = argv[1];
    SetEnvironmentVariableW(L"CommonProgramFiles", value == L"-" ? nullptr : value.c_str());
    SetEnvironmentVariableW(L"FERROLITE_SIM_PIPE", L"none");

    const bool result = BindMobileDeviceLibrary();
    std::string bound;
    for (int i = 0; i < kMobileDeviceEntryCount; ++i) {
        bound += MobileDeviceApi().IsBound(static_cast<MobileDeviceEntry>(i)) ? '1' : '0';
    }
    wchar_t dllDirectory[1024] = {};
    const bool hasDirectory = GetDllDirectoryW(static_cast<DWORD>(std::size(dllDirectory)), dllDirectory) > 0;
    SetEnvironmentVariableW(L"CommonProgramFiles", nullptr);
    const bool again = BindMobileDeviceLibrary();

    std::printf("result=%d bound=%s device=%s support=%s dlldir=%s again=%d\n", result ? 1 : 0, bound.c_str(),
                ModulePath(L"iTunesMobileDevice.dll").c_str(), ModulePath(L"CoreFoundation.dll").c_str(),
                hasDirectory ? Narrow(dllDirectory).c_str() : "-", again ? 1 : 0);
    return 0;
}
