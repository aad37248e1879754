// A registry string value set for as long as the object lives, then put back as it was (or
// deleted when it was not there).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class RegistryOverride {
public:
    // Sets root\subKey's value (name empty: the key's default value), creating the key if needed.
    RegistryOverride(HKEY root, std::wstring subKey, std::wstring name, const std::wstring& value);
    ~RegistryOverride();
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;

    bool Applied() const { return m_applied; }

    // The value as it stands now, if any.
    static std::optional<std::wstring> Read(HKEY root, const std::wstring& subKey, const std::wstring& name);

private:
    HKEY m_root;
    std::wstring m_subKey;
    std::wstring m_name;
    std::optional<std::wstring> m_previous;
    bool m_applied = false;
};
