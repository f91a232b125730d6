// RegKey against the real registry of the test prefix (a 64-bit Wine prefix, this program
// 32-bit, so HKLM\Software has two views).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "support/registry_fixture.h"

using platform::RegKey;

namespace {

constexpr REGSAM kRead64 = KEY_QUERY_VALUE | KEY_WOW64_64KEY;    // 0x101
constexpr REGSAM kWrite64 = KEY_SET_VALUE | KEY_WOW64_64KEY;     // 0x102

// Stores raw bytes with a chosen type, bypassing RegKey's writers.
void SetRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
            const void* data, DWORD size) {
  RegKey key(root, path, kWrite64);
  ASSERT_TRUE(key);
  ASSERT_EQ(RegSetValueExA(key.Handle(), name.c_str(), 0, type,
                           static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// --- views ---------------------------------------------------------------------------

struct ViewCase {
  const char* name;
  REGSAM writeView;        // view bits given to Create
  bool inNativeView;       // seen at the path with KEY_WOW64_64KEY
  bool in32BitView;        // seen at the path without view bits (this process's own view)
};

class RegistryViews : public testing::TestWithParam<ViewCase> {};

TEST_P(RegistryViews, CreateLandsInTheViewItsMaskNames) {
  const ViewCase& c = GetParam();
  ScopedTestKey test(HKEY_LOCAL_MACHINE);
  std::string path = test.Sub("Views");
  {
    RegKey created = RegKey::Create(HKEY_LOCAL_MACHINE, path, c.writeView | KEY_SET_VALUE);
    ASSERT_TRUE(created) << created.OpenError();
    ASSERT_TRUE(created.WriteDword("Marker", 42));
  }
  EXPECT_EQ(RegKey(HKEY_LOCAL_MACHINE, path, kRead64).ReadDword("Marker", 0),
            c.inNativeView ? 42u : 0u);
  EXPECT_EQ(RegKey(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE).ReadDword("Marker", 0),
            c.in32BitView ? 42u : 0u);
  // The 32-bit view is the native view's Wow6432Node.
  std::string wowPath = "Software\\Wow6432Node\\" + path.substr(std::string("Software\\").size());
  EXPECT_EQ(RegKey(HKEY_LOCAL_MACHINE, wowPath, kRead64).ReadDword("Marker", 0),
            c.in32BitView ? 42u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Hklm, RegistryViews,
    testing::Values(ViewCase{"Native", KEY_WOW64_64KEY, true, false},
                    ViewCase{"Explicit32", KEY_WOW64_32KEY, false, true},
                    ViewCase{"ProcessDefault", 0, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryViewsDelete, DeleteKeyActsOnlyInTheGivenView) {
  ScopedTestKey test(HKEY_LOCAL_MACHINE);
  std::string path = test.Sub("Both");
  ASSERT_TRUE(RegKey::Create(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY));
  ASSERT_TRUE(RegKey::Create(HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY));

  EXPECT_EQ(RegKey::DeleteKey(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY), ERROR_SUCCESS);
  EXPECT_FALSE(RegKey(HKEY_LOCAL_MACHINE, path, kRead64));
  EXPECT_TRUE(RegKey(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE | KEY_WOW64_32KEY));

  EXPECT_EQ(RegKey::DeleteKey(HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY), ERROR_SUCCESS);
  EXPECT_FALSE(RegKey(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE | KEY_WOW64_32KEY));
  EXPECT_EQ(RegKey::DeleteKey(HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryViewsDelete, DeleteKeyRefusesAKeyWithSubkeys) {
  ScopedTestKey test;
  ASSERT_TRUE(RegKey::Create(test.Root(), test.Sub("Parent\\Child"), KEY_WOW64_64KEY));
  EXPECT_NE(RegKey::DeleteKey(test.Root(), test.Sub("Parent"), KEY_WOW64_64KEY), ERROR_SUCCESS);
  EXPECT_TRUE(RegKey(test.Root(), test.Sub("Parent\\Child"), kRead64));
}

// --- missing keys and values -----------------------------------------------------------

TEST(RegistryMissing, ReadsGiveTheCallersDefaultsAndWritesFail) {
  ScopedTestKey test;
  RegKey missingKey(test.Root(), test.Sub("Absent"), kRead64 | KEY_SET_VALUE);
  RegKey presentKey(test.Root(), test.Path(), kRead64 | KEY_SET_VALUE);
  EXPECT_FALSE(missingKey);
  EXPECT_EQ(missingKey.OpenError(), ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(presentKey);

  for (const RegKey* key : {&missingKey, &presentKey}) {
    SCOPED_TRACE(key == &missingKey ? "missing key" : "missing value");
    EXPECT_EQ(key->ReadDword("Nothing", 0), 0u);
    EXPECT_EQ(key->ReadDword("Nothing", 7), 7u);
    EXPECT_EQ(key->ReadString("Nothing", "fallback"), "fallback");
    EXPECT_FALSE(key->Read("Nothing").has_value());
  }
  EXPECT_FALSE(missingKey.WriteDword("Value", 1));
  EXPECT_FALSE(missingKey.WriteString("Value", "x"));
  EXPECT_FALSE(missingKey.DeleteValue("Value"));
  EXPECT_TRUE(missingKey.EnumSubkeys().empty());
  EXPECT_FALSE(presentKey.DeleteValue("Nothing"));
  // Opening never creates.
  EXPECT_FALSE(RegKey(test.Root(), test.Sub("Absent"), kRead64));
}

TEST(RegistryMissing, AKeyOpenedForReadingCannotWrite) {
  ScopedTestKey test;
  RegKey key(test.Root(), test.Path(), kRead64);
  ASSERT_TRUE(key);
  EXPECT_FALSE(key.WriteDword("Value", 1));
  EXPECT_EQ(key.ReadDword("Value", 9), 9u);
}

// --- strings ---------------------------------------------------------------------------

class RegistryStrings : public testing::TestWithParam<size_t> {};

TEST_P(RegistryStrings, RoundTripWholeWithTheNulCounted) {
  ScopedTestKey test;
  std::string text;
  for (size_t i = 0; i < GetParam(); ++i) text += static_cast<char>('a' + i % 26);
  RegKey key(test.Root(), test.Path(), kRead64 | kWrite64);
  ASSERT_TRUE(key.WriteString("Text", text));

  EXPECT_EQ(key.ReadString("Text", "missing"), text);
  auto raw = key.Read("Text");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
  ASSERT_EQ(raw->data.size(), text.size() + 1);
  EXPECT_EQ(raw->data.back(), 0);
}

// Around the 255-character buffers that registry readers often use, and well beyond.
INSTANTIATE_TEST_SUITE_P(Lengths, RegistryStrings,
                         testing::Values(0, 1, 254, 255, 256, 4096, 5000, 100000));

struct StoredText {
  const char* name;
  DWORD type;
  std::string bytes;  // exactly as stored, NULs included
  std::string reads;
};

class RegistryStoredTexts : public testing::TestWithParam<StoredText> {};

TEST_P(RegistryStoredTexts, ReadString) {
  const StoredText& c = GetParam();
  ScopedTestKey test;
  SetRaw(test.Root(), test.Path(), "V", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
  EXPECT_EQ(RegKey(test.Root(), test.Path(), kRead64).ReadString("V", "<missing>"), c.reads);
}

using namespace std::string_literals;
INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryStoredTexts,
    testing::Values(
        StoredText{"NoTerminatingNul", REG_SZ, "abc"s, "abc"},
        StoredText{"EmbeddedNul", REG_SZ, "ab\0cd\0"s, "ab"},
        StoredText{"EmptyData", REG_SZ, ""s, ""},
        StoredText{"ExpandStringNotExpanded", REG_EXPAND_SZ, "%windir%\\x\0"s, "%windir%\\x"},
        StoredText{"DwordIsNotText", REG_DWORD, "\x31\0\0\0"s, "<missing>"},
        StoredText{"BinaryIsNotText", REG_BINARY, "text\0"s, "<missing>"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- DWORDs ----------------------------------------------------------------------------

struct StoredDword {
  const char* name;
  DWORD type;
  std::string bytes;
  DWORD reads;  // with 0xDEAD as the missing value
};

class RegistryStoredDwords : public testing::TestWithParam<StoredDword> {};

TEST_P(RegistryStoredDwords, ReadDwordLooksAtTheBytesNotTheType) {
  const StoredDword& c = GetParam();
  ScopedTestKey test;
  SetRaw(test.Root(), test.Path(), "V", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
  EXPECT_EQ(RegKey(test.Root(), test.Path(), kRead64).ReadDword("V", 0xDEAD), c.reads);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryStoredDwords,
    testing::Values(
        StoredDword{"Dword", REG_DWORD, "\x78\x56\x34\x12"s, 0x12345678},
        StoredDword{"DwordZero", REG_DWORD, "\0\0\0\0"s, 0},
        // Another tool's one-digit text: '1' and its NUL fill the low bytes of the preset 0.
        StoredDword{"OneDigitText", REG_SZ, "1\0"s, 0x31},
        StoredDword{"TwoBinaryBytes", REG_BINARY, "\x01\x02"s, 0x0201},
        StoredDword{"EmptyBinary", REG_BINARY, ""s, 0},
        StoredDword{"LongTextDoesNotFit", REG_SZ, "12345678\0"s, 0xDEAD},
        StoredDword{"QwordDoesNotFit", REG_QWORD, "\1\0\0\0\0\0\0\0"s, 0xDEAD}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryValues, WriteDwordBinaryAndDeleteValue) {
  ScopedTestKey test;
  RegKey key(test.Root(), test.Path(), kRead64 | kWrite64);
  ASSERT_TRUE(key.WriteDword("Count", 0xFFFFFFFF));
  const std::vector<BYTE> mask = {0x98, 0x30, 0x07, 0x80, 0x10, 0x00, 0x00, 0x00};
  ASSERT_TRUE(key.WriteBinary("Mask", mask));

  auto count = key.Read("Count");
  ASSERT_TRUE(count);
  EXPECT_EQ(count->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(count->data, std::vector<BYTE>({0xFF, 0xFF, 0xFF, 0xFF}));
  auto stored = key.Read("Mask");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(stored->data, mask);

  EXPECT_TRUE(key.DeleteValue("Mask"));
  EXPECT_FALSE(key.Read("Mask"));
  EXPECT_EQ(key.ReadDword("Count", 0), 0xFFFFFFFFu);
}

// --- enumeration and ownership ----------------------------------------------------------

TEST(RegistryEnum, ListsDirectSubkeysAndValueNames) {
  ScopedTestKey test;
  for (const char* sub : {"Alpha", "beta gamma", "Alpha\\Nested"})
    ASSERT_TRUE(RegKey::Create(test.Root(), test.Sub(sub), KEY_WOW64_64KEY));
  RegKey key(test.Root(), test.Path(), KEY_READ | KEY_SET_VALUE | KEY_WOW64_64KEY);
  ASSERT_TRUE(key.WriteString("", "default"));
  ASSERT_TRUE(key.WriteDword("Run Me", 1));
  ASSERT_TRUE(key.WriteString(std::string(300, 'n'), "long name"));

  EXPECT_EQ(Sorted(key.EnumSubkeys()), (std::vector<std::string>{"Alpha", "beta gamma"}));
  EXPECT_EQ(Sorted(key.EnumValues()),
            Sorted({"", "Run Me", std::string(300, 'n')}));
}

TEST(RegistryOwnership, MovingHandsOverTheKeyAndDestructionClosesIt) {
  ScopedTestKey test;
  RegKey first(test.Root(), test.Path(), kRead64 | kWrite64);
  ASSERT_TRUE(first.WriteDword("V", 5));
  HKEY handle = first.Handle();

  RegKey second(std::move(first));
  EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): moved-from state is specified
  EXPECT_EQ(second.ReadDword("V", 0), 5u);
  {
    RegKey third;
    third = std::move(second);
    EXPECT_EQ(third.Handle(), handle);
  }
  EXPECT_EQ(RegQueryValueExA(handle, "V", nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_HANDLE);
}

// --- full paths as the scripting shell names them ---------------------------------------

// What the key `path` below the test key holds: its values ("name=type:data", the default
// value as "@") and its subkeys ("[name]"), in name order; "absent" when the key is missing.
std::string Contents(const ScopedTestKey& test, const std::string& path) {
  RegKey key(test.Root(), path.empty() ? test.Path() : test.Sub(path),
             KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_64KEY);
  if (!key) return "absent";
  std::string s;
  for (const std::string& name : Sorted(key.EnumValues())) {
    auto value = key.Read(name);
    s += (name.empty() ? "@" : name) + "=";
    if (value->type == REG_DWORD) s += "dword:" + std::to_string(key.ReadDword(name, 0));
    else s += "sz:" + key.ReadString(name, "");
    s += " ";
  }
  for (const std::string& name : Sorted(key.EnumSubkeys())) s += "[" + name + "] ";
  return s;
}

struct PathWriteCase {
  const char* name;
  std::string path;  // below the test key, after the root's name
  bool number;
  const char* where;  // the key that receives it, below the test key
  const char* holds;
};

class RegistryPathWrites : public testing::TestWithParam<PathWriteCase> {};

TEST_P(RegistryPathWrites, APathEndingInABackslashNamesAKeyElseAValue) {
  const PathWriteCase& c = GetParam();
  ScopedTestKey test;
  for (const char* root : {"HKCU\\", "HKEY_CURRENT_USER\\", "hkcu\\"}) {
    SCOPED_TRACE(root);
    const std::string path = root + test.Path() + "\\" + c.path;
    const LONG rc = c.number ? platform::RegWritePath(path, DWORD{7}, KEY_WOW64_64KEY)
                             : platform::RegWritePath(path, std::string("text"), KEY_WOW64_64KEY);
    EXPECT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(Contents(test, c.where), c.holds);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RegistryPathWrites,
    testing::Values(
        PathWriteCase{"ValueOfTheKey", "Name", false, "", "Name=sz:text "},
        PathWriteCase{"NumberValue", "Name", true, "", "Name=dword:7 "},
        // Missing keys on the way are created.
        PathWriteCase{"ValueOfANewKey", "A\\B\\Name", true, "A\\B", "Name=dword:7 "},
        PathWriteCase{"DefaultValueOfANewKey", "A\\B\\", false, "A", "[B] "},
        PathWriteCase{"KeysDefaultValue", "A\\B\\", false, "A\\B", "@=sz:text "},
        PathWriteCase{"BlanksInNames", "Shell Ext\\Max Cached", true, "Shell Ext", "Max Cached=dword:7 "}),
    [](const auto& info) { return std::string(info.param.name); });

struct PathDeleteCase {
  const char* name;
  std::string path;   // below the test key
  LONG result;
  const char* after;  // the test key's contents afterwards
};

class RegistryPathDeletes : public testing::TestWithParam<PathDeleteCase> {};

TEST_P(RegistryPathDeletes, DeletesAValueOrAKeyWithoutSubkeys) {
  const PathDeleteCase& c = GetParam();
  ScopedTestKey test;
  // The test key holds a value, an empty key, and a key with a subkey.
  ASSERT_TRUE(RegKey(test.Root(), test.Path(), kWrite64).WriteDword("Value", 1));
  RegKey::Create(test.Root(), test.Sub("Empty"), KEY_WOW64_64KEY).WriteDword("Inside", 2);
  RegKey::Create(test.Root(), test.Sub("Parent\\Child"), KEY_WOW64_64KEY);

  EXPECT_EQ(platform::RegDeletePath("HKEY_CURRENT_USER\\" + test.Path() + "\\" + c.path, KEY_WOW64_64KEY),
            c.result);
  EXPECT_EQ(Contents(test, ""), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RegistryPathDeletes,
    testing::Values(
        PathDeleteCase{"Value", "Value", ERROR_SUCCESS, "[Empty] [Parent] "},
        PathDeleteCase{"KeyWithValues", "Empty\\", ERROR_SUCCESS, "Value=dword:1 [Parent] "},
        PathDeleteCase{"KeyWithSubkeysStays", "Parent\\", ERROR_ACCESS_DENIED,
                       "Value=dword:1 [Empty] [Parent] "},
        PathDeleteCase{"ValueNamedLikeAKey", "Empty", ERROR_FILE_NOT_FOUND,
                       "Value=dword:1 [Empty] [Parent] "},
        PathDeleteCase{"MissingValue", "Nothing", ERROR_FILE_NOT_FOUND, "Value=dword:1 [Empty] [Parent] "},
        PathDeleteCase{"ValueOfAMissingKey", "Nothing\\Value", ERROR_FILE_NOT_FOUND,
                       "Value=dword:1 [Empty] [Parent] "},
        PathDeleteCase{"MissingKey", "Nothing\\", ERROR_FILE_NOT_FOUND, "Value=dword:1 [Empty] [Parent] "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryPaths, PathsWithoutAKnownRootOrNamingARootAreRefused) {
  for (const char* path : {"", "Software\\Value", "HKXX\\Software\\Value", "HKCU", "HKCU\\",
                           "HKEY_LOCAL_MACHINE\\"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(platform::RegWritePath(path, DWORD{1}), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(platform::RegDeletePath(path), ERROR_INVALID_PARAMETER);
  }
}

TEST(RegistryPaths, TheViewDecidesWhereAMachineValueGoes) {
  ScopedTestKey test(HKEY_LOCAL_MACHINE);
  const std::string path = "HKLM\\" + test.Path() + "\\Marker";
  ASSERT_EQ(platform::RegWritePath(path, DWORD{5}, KEY_WOW64_32KEY), ERROR_SUCCESS);
  EXPECT_EQ(RegKey(HKEY_LOCAL_MACHINE, test.Path(), kRead64).ReadDword("Marker", 0), 0u);
  EXPECT_EQ(RegKey(HKEY_LOCAL_MACHINE, test.Path(), KEY_QUERY_VALUE | KEY_WOW64_32KEY).ReadDword("Marker", 0), 5u);
  EXPECT_EQ(platform::RegDeletePath(path, KEY_WOW64_64KEY), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(platform::RegDeletePath(path, KEY_WOW64_32KEY), ERROR_SUCCESS);
}

}  // namespace
