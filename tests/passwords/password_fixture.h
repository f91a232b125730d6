#pragma once
// The settings key as an installer leaves it (native view, no password), the masks as Main
// sets them on 64-bit Windows, fake message boxes, sounds and browser, and helpers to
// arrange and read the two password values.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/passwords/PasswordStore.h"
#include "shell/ProgramState.h"
#include "support/fakes.h"
#include "ui/form.h"
#include "support/main_window.h"

class PasswordFixture : public testing::Test {
 protected:
  static constexpr REGSAM kNative = KEY_WOW64_64KEY;

  void SetUp() override {
    RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
    RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
    platform::RegKey::Create(HKEY_LOCAL_MACHINE, kSettingsKey, kNative);
    DeleteValue("Password");
    DeleteValue("Password Set");
  }
  void TearDown() override {
    CloseMainWindow();
    RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
    RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
    platform::RegKey::Create(HKEY_LOCAL_MACHINE, kSettingsKey, kNative);
    DeleteValue("Password");
    DeleteValue("Password Set");
  }

  // ---- arranging the registry
  static platform::RegKey Settings() {
    return platform::RegKey::Create(HKEY_LOCAL_MACHINE, kSettingsKey, kNative);
  }
  static void DeleteValue(const char* name) { Settings().DeleteValue(name); }
  // A password as an older version stored it: the shifted text, and "Password Set" = 1.
  static void StoreScrambled(const std::string& scrambled) {
    Settings().WriteString("Password", scrambled);
    Settings().WriteDword("Password Set", 1);
  }
  static void StoreHashed(const std::string& password) {
    std::string record = HashPassword(password);
    ASSERT_FALSE(record.empty());
    Settings().WriteString("Password", record);
    Settings().WriteDword("Password Set", 1);
  }
  static void DeleteSettingsKey() {
    platform::RegKey::DeleteKey(HKEY_LOCAL_MACHINE, kSettingsKey, kNative);
    ASSERT_FALSE(platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_QUERY_VALUE | kNative));
  }
  static bool SettingsKeyExists() {
    return platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_QUERY_VALUE | kNative).IsOpen();
  }
  // The key opens for writing but refuses every write, as a key whose permissions do not
  // let this user change it.
  static void MakeSettingsUnwritable() { RegWriteAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY; }

  // ---- reading it back
  static std::optional<platform::RegValue> Value(const char* name) {
    return platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_QUERY_VALUE | kNative).Read(name);
  }
  static std::optional<std::string> StoredPassword() {
    auto v = Value("Password");
    if (!v) return std::nullopt;
    std::string text(v->data.begin(), v->data.end());
    return text.substr(0, text.find('\0'));
  }
  static std::optional<DWORD> PasswordSet() {
    auto v = Value("Password Set");
    if (!v || v->type != REG_DWORD || v->data.size() != 4) return std::nullopt;
    return *reinterpret_cast<const DWORD*>(v->data.data());
  }
  // True when the stored record is a hash that `password`, and only it, opens.
  static void ExpectHashOf(const std::string& password) {
    auto stored = StoredPassword();
    ASSERT_TRUE(stored);
    EXPECT_TRUE(IsPasswordHashRecord(*stored)) << *stored;
    EXPECT_TRUE(PasswordMatches(password, stored));
    EXPECT_FALSE(PasswordMatches(password + "x", stored));
    EXPECT_EQ(stored->find(password), std::string::npos);
    EXPECT_EQ(PasswordSet(), std::optional<DWORD>(1));
  }

  // ---- what was shown
  void ExpectBox(size_t index, const std::string& text, const std::string& title, UINT icon) {
    auto boxes = dialogs.MessageBoxes();
    ASSERT_LT(index, boxes.size());
    const FakeDialogs::Call& box = boxes[index];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_OK));
    EXPECT_EQ(box.Icon(), icon);
    EXPECT_TRUE(box.coloured);
  }
  size_t BoxCount() const { return dialogs.MessageBoxes().size(); }
  std::string LastBoxText() const {
    auto boxes = dialogs.MessageBoxes();
    return boxes.empty() ? "" : boxes.back().text;
  }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeWebBrowser browser;
  platform::Override<platform::WebBrowser> useBrowser{browser};
};
