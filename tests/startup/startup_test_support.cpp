#include "startup_test_support.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include "support/registry_fixture.h"

const RunPlace kHkcuRun{HKEY_CURRENT_USER, kRunPath, KEY_WOW64_64KEY};
const RunPlace kHkcuRunOnce{HKEY_CURRENT_USER, kRunOncePath, KEY_WOW64_64KEY};
const RunPlace kHklmRun{HKEY_LOCAL_MACHINE, kRunPath, KEY_WOW64_64KEY};
const RunPlace kHklmRun32{HKEY_LOCAL_MACHINE, kRunPath, KEY_WOW64_32KEY};
const RunPlace kHklmRunOnce{HKEY_LOCAL_MACHINE, kRunOncePath, KEY_WOW64_64KEY};
const RunPlace kHklmRunOnce32{HKEY_LOCAL_MACHINE, kRunOncePath, KEY_WOW64_32KEY};

namespace {
const RunPlace* const kAllPlaces[] = {&kHkcuRun, &kHklmRun, &kHklmRun32, &kHkcuRunOnce, &kHklmRunOnce, &kHklmRunOnce32};
}

std::map<std::string, platform::RegValue> ValuesOf(const RunPlace& place) {
  std::map<std::string, platform::RegValue> values;
  platform::RegKey key(place.root, place.path, KEY_QUERY_VALUE | place.view);
  for (const std::string& name : key.EnumValues())
    if (auto value = key.Read(name)) values[name] = *value;
  return values;
}

bool KeyExists(const RunPlace& place) {
  return platform::RegKey(place.root, place.path, KEY_QUERY_VALUE | place.view).IsOpen();
}

void EmptyRunPlace(const RunPlace& place) {
  platform::RegKey key(place.root, place.path, KEY_QUERY_VALUE | KEY_SET_VALUE | place.view);
  for (const std::string& name : key.EnumValues()) key.DeleteValue(name);
}

void DeleteRunKey(const RunPlace& place) { DeleteRegistryTree(place.root, place.path, place.view); }

void PutValue(const RunPlace& place, const std::string& name, DWORD type, const std::vector<BYTE>& data) {
  platform::RegKey key = platform::RegKey::Create(place.root, place.path, place.view);
  ASSERT_EQ(RegSetValueExA(key.Handle(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
}

void PutString(const RunPlace& place, const std::string& name, const std::string& text) {
  std::vector<BYTE> data(text.begin(), text.end());
  data.push_back(0);
  PutValue(place, name, REG_SZ, data);
}

std::string StoredText(const platform::RegValue& value) {
  std::string text(value.data.begin(), value.data.end());
  return text.substr(0, text.find('\0'));
}

RunKeysSnapshot::RunKeysSnapshot() {
  for (const RunPlace* place : kAllPlaces) {
    saved_.push_back({*place, KeyExists(*place), ValuesOf(*place)});
    EmptyRunPlace(*place);
  }
}

RunKeysSnapshot::~RunKeysSnapshot() {
  for (const Saved& saved : saved_) {
    if (!saved.existed) {
      DeleteRunKey(saved.place);
      continue;
    }
    EmptyRunPlace(saved.place);
    for (const auto& [name, value] : saved.values) PutValue(saved.place, name, value.type, value.data);
  }
}

ReadOnlyKey::ReadOnlyKey(const RunPlace& place) : place_(place) {
  platform::RegKey::Create(place.root, place.path, place.view);
  HKEY handle = nullptr;
  if (RegOpenKeyExA(place.root, place.path, 0, READ_CONTROL | WRITE_DAC | place.view, &handle) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot open " << place.path << " to change its security";
    return;
  }
  DWORD size = 0;
  RegGetKeySecurity(handle, DACL_SECURITY_INFORMATION, nullptr, &size);
  old_.resize(size);
  EXPECT_EQ(RegGetKeySecurity(handle, DACL_SECURITY_INFORMATION, old_.data(), &size), ERROR_SUCCESS);
  // Everyone: read, and change the descriptor back; no set-value right.
  PSECURITY_DESCRIPTOR readOnly = nullptr;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;0x70019;;;WD)", SDDL_REVISION_1, &readOnly,
                                                           nullptr)) {
    EXPECT_EQ(RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    LocalFree(readOnly);
  } else {
    ADD_FAILURE() << "no security descriptor";
  }
  RegCloseKey(handle);
}

ReadOnlyKey::~ReadOnlyKey() {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(place_.root, place_.path, 0, WRITE_DAC | place_.view, &handle) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot give " << place_.path << " its security back";
    return;
  }
  if (!old_.empty()) RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, old_.data());
  RegCloseKey(handle);
}

namespace {

std::function<void()> g_pending;

void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto run = std::move(g_pending);
  if (run) run();
}

}  // namespace

void WhenModal(std::function<void()> action) {
  g_pending = std::move(action);
  SetTimer(nullptr, 0, 1, RunPending);
}
