// The simulator's control window: plug simulated devices in (normal, recovery or DFU mode),
// unplug them and choose their outcomes, through the command pipe of the running program.
#pragma once

#include "SimClient.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

class SimPanelWindow {
public:
    explicit SimPanelWindow(SimClient client) : m_client(std::move(client)) {}
    SimPanelWindow(const SimPanelWindow&) = delete;
    SimPanelWindow& operator=(const SimPanelWindow&) = delete;
    ~SimPanelWindow();

    bool Create(HINSTANCE instance, int show);

private:
    static constexpr int kFlagCount = 7;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
                    int height, int id);
    void OnCommand(int id, int code);
    void Plug(const char* mode);
    // Reads the devices and whether the program is there, and shows what changed.
    void Refresh();
    void ShowSelectedFlags();
    std::string CheckedFlags() const;
    int SelectedDevice() const;

    SimClient m_client;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
    HWND m_status = nullptr;
    std::array<HWND, kFlagCount> m_checks{};
    std::vector<std::string> m_shownDevices;
    std::vector<int> m_deviceIds;
    std::wstring m_shownStatus;
};
