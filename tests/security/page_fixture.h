#pragma once
// What the restriction-page tests share: the page's settings in the real registry of the
// test prefix (saved, started missing, put back), faked dialogs and sounds, and the main
// window closed again after each test.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "support/fakes.h"
#include "support/scoped_registry_values.h"

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

class SecurityPageTest : public testing::Test {
 protected:
  SecurityPageTest();
  void TearDown() override;

  // The main window is not asked to offer the start-up restore point.
  ScopedRegistryValues settings{{{HKCU, "Software\\Dallmoor Software\\Quenvor", {"RestorSet"}}}};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeSystemFacts facts;
  platform::Override<platform::SystemFacts> useFacts{facts};
};
