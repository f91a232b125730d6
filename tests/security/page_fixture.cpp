#include "page_fixture.h"

#include "platform/registry.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/main_window.h"
#include "tweaks/TweakEngine.h"

using platform::RegKey;

std::vector<WatchedKey> WatchedKeysOf(std::span<const Setting> settings) {
  std::vector<WatchedKey> keys;
  for (const Setting& s : settings) {
    WatchedKey* same = nullptr;
    for (WatchedKey& k : keys)
      if (k.root == s.root && _stricmp(k.path.c_str(), s.key) == 0) same = &k;
    if (!same) {
      keys.push_back({s.root, s.key, {}, !tweaks::IsPolicyPath(s.key)});
      same = &keys.back();
    }
    same->values.push_back(s.value);
  }
  return keys;
}

std::string Dump(std::span<const Setting> settings) {
  std::string text;
  for (const Setting& s : settings) text += std::string(s.value) + "=" + StoredValue(s.root, s.key, s.value) + "\n";
  return text;
}

void SetDword(HKEY root, const std::string& key, const char* value, DWORD number) {
  ASSERT_TRUE(RegKey(root, key, KEY_SET_VALUE | KEY_WOW64_64KEY).WriteDword(value, number)) << key;
}

void SetText(HKEY root, const std::string& key, const char* value, const std::string& text) {
  ASSERT_TRUE(RegKey(root, key, KEY_SET_VALUE | KEY_WOW64_64KEY).WriteString(value, text)) << key;
}

void PutDword(HKEY root, const std::string& key, const char* value, DWORD number) {
  ASSERT_TRUE(RegKey::Create(root, key, KEY_WOW64_64KEY).WriteDword(value, number)) << key;
}

std::string NotSavedText(std::initializer_list<int> captions) {
  tweaks::SaveReport report;
  for (int caption : captions) report.Add(LoadResString(caption));
  return tweaks::NotSavedMessage(report);
}

SecurityPageTest::SecurityPageTest() {
  RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
  RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
  RestartNeeded = false;
  SetDword(HKCU, kSettingsKey, "RestorSet", 1);
}

void SecurityPageTest::TearDown() {
  RestartNeeded = false;
  CloseMainWindow();
}
