#pragma once
// What the startup manager's tests share: the six Run places of the real registry, emptied
// for each test and given back as they were afterwards, and the page driven as a user does.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

// One Run key in one registry view.
struct RunPlace {
  HKEY root;
  const char* path;
  REGSAM view;  // KEY_WOW64_64KEY (native) or KEY_WOW64_32KEY
};

inline constexpr const char* kRunPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunOncePath = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
extern const RunPlace kHkcuRun, kHkcuRunOnce, kHklmRun, kHklmRun32, kHklmRunOnce, kHklmRunOnce32;

// Saves every Run place (whether the key exists, and its values), empties them, and puts
// everything back when it goes.
class RunKeysSnapshot {
 public:
  RunKeysSnapshot();
  ~RunKeysSnapshot();

 private:
  struct Saved {
    RunPlace place;
    bool existed = false;
    std::map<std::string, platform::RegValue> values;
  };
  std::vector<Saved> saved_;
};

void EmptyRunPlace(const RunPlace& place);
void DeleteRunKey(const RunPlace& place);
// Writes a value of any type (the key is created when missing).
void PutValue(const RunPlace& place, const std::string& name, DWORD type, const std::vector<BYTE>& data);
void PutString(const RunPlace& place, const std::string& name, const std::string& text);
// The values of the place, by name ("" the default value); empty when the key is missing.
std::map<std::string, platform::RegValue> ValuesOf(const RunPlace& place);
bool KeyExists(const RunPlace& place);
// The text of a REG_SZ value as stored, up to its NUL.
std::string StoredText(const platform::RegValue& value);

// Gives the key a security descriptor that lets everyone read it but not set its values,
// and its old one back when it goes.
class ReadOnlyKey {
 public:
  explicit ReadOnlyKey(const RunPlace& place);
  ~ReadOnlyKey();

 private:
  RunPlace place_;
  std::vector<BYTE> old_;
};

// Runs `action` once from inside the next modal loop of this thread (the input box).
void WhenModal(std::function<void()> action);
