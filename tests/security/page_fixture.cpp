#include "page_fixture.h"

#include <algorithm>

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

std::string TickedBoxes(ui::Form& page, std::initializer_list<const char*> arrays) {
  std::string s;
  for (const char* name : arrays) {
    std::vector<int> ticked;
    for (int i = 0; i < page.ControlCount(); ++i) {
      auto* box = dynamic_cast<ui::CheckBox*>(&page.Controls(i));
      if (box && box->Name() == name && box->Value() == 1) ticked.push_back(box->Index());
    }
    std::sort(ticked.begin(), ticked.end());
    for (int index : ticked)
      s += index < 0 ? std::string(name) + " " : std::string(name) + "(" + std::to_string(index) + ") ";
  }
  return s;
}

void SecurityPageTest::ExpectOneMessage(const std::string& text, UINT icon) {
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, text);
  EXPECT_EQ(boxes[0].title, kAppTitle);
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | icon));
  EXPECT_TRUE(boxes[0].coloured);
}
