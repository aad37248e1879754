// Setting and restoring one registry string value.
#include "RegistryOverride.h"

namespace {

bool Write(HKEY root, const std::wstring& subKey, const std::wstring& name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status = RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(value.c_str()),
                                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace

RegistryOverride::RegistryOverride(HKEY root, std::wstring subKey, std::wstring name,
                                   const std::wstring& value)
    : m_root(root), m_subKey(std::move(subKey)), m_name(std::move(name)),
      m_previous(Read(m_root, m_subKey, m_name)) {
    m_applied = Write(m_root, m_subKey, m_name, value);
}

RegistryOverride::~RegistryOverride() {
    if (!m_applied) {
        return;
    }
    if (m_previous) {
        Write(m_root, m_subKey, m_name, *m_previous);
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_root, m_subKey.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, m_name.empty() ? nullptr : m_name.c_str());
        RegCloseKey(key);
    }
}

std::optional<std::wstring> RegistryOverride::Read(HKEY root, const std::wstring& subKey,
                                                   const std::wstring& name) {
    wchar_t value[1024];
    DWORD size = sizeof value;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const LSTATUS status = RegQueryValueExW(key, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    return std::wstring(value, size / sizeof(wchar_t)).c_str();
}
