#include "windows/app/profile_registry_win.h"

#include "windows/framework/win_api.h"

#include <memory>
#include <vector>

#include "app/saver_app.h"
#include "windows/framework/utf8_win.h"

namespace {

// Closes the key on every path out.
class CRegKey {
 public:
  CRegKey() = default;
  ~CRegKey() {
    if (m_hKey) RegCloseKey(m_hKey);
  }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;
  bool Open(const std::wstring& path) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &m_hKey) == ERROR_SUCCESS;
  }
  bool Create(const std::wstring& path) {
    return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                           &m_hKey, nullptr) == ERROR_SUCCESS;
  }
  HKEY Get() const { return m_hKey; }

 private:
  HKEY m_hKey = nullptr;
};

}  // namespace

CRegistryProfile::CRegistryProfile(std::wstring company, std::wstring application)
    : m_company(std::move(company)), m_application(std::move(application)) {}

std::wstring CRegistryProfile::KeyPath(const char* section) const {
  return L"Software\\" + m_company + L"\\" + m_application + L"\\" + Utf8ToWide(section);
}

int CRegistryProfile::GetProfileInt(const char* section, const char* entry, int nDefault) {
  CRegKey key;
  if (!key.Open(KeyPath(section))) return nDefault;
  DWORD type = 0, value = 0, size = sizeof(value);
  if (RegQueryValueExW(key.Get(), Utf8ToWide(entry).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return nDefault;
  return static_cast<int>(value);
}

std::string CRegistryProfile::GetProfileString(const char* section, const char* entry,
                                               const std::string& strDefault) {
  CRegKey key;
  if (!key.Open(KeyPath(section))) return strDefault;
  const std::wstring name = Utf8ToWide(entry);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return strDefault;
  // Room for a terminator the stored data may lack.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
    return strDefault;
  return WideToUtf8(std::wstring(buffer.data()));
}

bool CRegistryProfile::WriteProfileInt(const char* section, const char* entry, int nValue) {
  CRegKey key;
  if (!key.Create(KeyPath(section))) return false;
  const DWORD value = static_cast<DWORD>(nValue);
  return RegSetValueExW(key.Get(), Utf8ToWide(entry).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&value), sizeof(value)) == ERROR_SUCCESS;
}

bool CRegistryProfile::WriteProfileString(const char* section, const char* entry,
                                          const std::string& strValue) {
  CRegKey key;
  if (!key.Create(KeyPath(section))) return false;
  const std::wstring value = Utf8ToWide(strValue);
  return RegSetValueExW(key.Get(), Utf8ToWide(entry).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::unique_ptr<IProfile> NewSaverRegistryProfile() {
  return std::make_unique<CRegistryProfile>(L"Tolvarn", L"mirovane");
}
