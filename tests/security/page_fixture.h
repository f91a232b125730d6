#pragma once
// What the restriction-page tests share: the page's settings in the real registry of the
// test prefix (saved, started missing, put back), faked dialogs and sounds, and the main
// window closed again after each test.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "support/fakes.h"
#include "support/scoped_registry_values.h"
#include "ui/form.h"

// One registry value a page reads or writes.
struct Setting {
  HKEY root;
  const char* key;
  const char* value;
};
inline const HKEY HKCU = HKEY_CURRENT_USER;
inline const HKEY HKLM = HKEY_LOCAL_MACHINE;

// The keys of the settings, each with its values: a policy key is left absent (absent until
// a policy is set), every other key is made as Windows has it.
std::vector<WatchedKey> WatchedKeysOf(std::span<const Setting> settings);

// "value=stored\n" for each setting, in order (see DescribeRegValue).
std::string Dump(std::span<const Setting> settings);

void SetDword(HKEY root, const std::string& key, const char* value, DWORD number);
void SetText(HKEY root, const std::string& key, const char* value, const std::string& text);
// Makes the key (Windows' own or a policy key) with the value.
void PutDword(HKEY root, const std::string& key, const char* value, DWORD number);

// "These settings could not be saved ..." naming the string-table captions given.
std::string NotSavedText(std::initializer_list<int> captions);

// The ticked boxes of the check-box arrays (or single boxes) named, as "Check8(1) Check8(4)
// ...", array by array in the order given, each by index.
std::string TickedBoxes(ui::Form& page, std::initializer_list<const char*> arrays);

// A reading case: what the test stores, and what the page then shows.
struct ReadCase {
  const char* name;
  std::function<void()> arrange;
  const char* shows;
};
inline std::string CaseName(const testing::TestParamInfo<ReadCase>& info) { return info.param.name; }

class SecurityPageTest : public testing::Test {
 protected:
  SecurityPageTest();
  void TearDown() override;
  // The one message box shown: its text, the application title, OK and the icon, coloured.
  void ExpectOneMessage(const std::string& text, UINT icon = MB_ICONINFORMATION);

  // The main window is not asked to offer the start-up restore point.
  ScopedRegistryValues settings{{{HKCU, "Software\\Dallmoor Software\\Quenvor", {"RestorSet"}}}};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeSystemFacts facts;
  platform::Override<platform::SystemFacts> useFacts{facts};
};
