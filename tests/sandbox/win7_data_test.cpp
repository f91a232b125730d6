// The sandbox's Windows 7 data (scripts/win7/*.reg, copied beside the test program by
// prepare.sh): every file parses, and applying it to the fresh test prefix leaves no key or
// value missing in its view. Applying only adds, so a sandbox keeps what its user changed.
// The data test takes away what it added: the other tests see a fresh prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "scripts/lib/stock_registry.h"
#include "support/registry_fixture.h"

namespace {

std::string DataFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\')) + "\\win7";
}

std::string Header() { return "Windows Registry Editor Version 5.00\r\n"; }

std::vector<stock::RegEntry> Parse(const std::string& text) {
  std::vector<stock::RegEntry> entries;
  std::string error;
  EXPECT_TRUE(stock::ParseRegFile(text, "t.reg", entries, error)) << error;
  return entries;
}

std::optional<platform::RegValue> Lookup(const stock::RegEntry& entry, const std::string& name) {
  return platform::RegKey(entry.root, entry.ViewPath(), KEY_QUERY_VALUE | entry.View()).Read(name);
}
bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
  return platform::RegKey(root, path, KEY_QUERY_VALUE | view).IsOpen();
}

// Takes away what ApplyMissing added.
void Remove(const stock::Added& added) {
  for (const auto& value : added.values)
    platform::RegKey(value.root, value.path, KEY_SET_VALUE | KEY_WOW64_64KEY)
        .DeleteValue(value.name);
  for (const auto& key : added.keys) DeleteRegistryTree(key.root, key.path, KEY_WOW64_64KEY);
}

// ---- The format -------------------------------------------------------------------------

struct GoodValue {
  const char* line;
  const char* name;
  DWORD type;
  std::vector<BYTE> bytes;
};

TEST(StockRegistryFormat, ValueLinesGiveTheStoredTypeAndBytes) {
  const GoodValue cases[] = {
      {R"("Text"="12000")", "Text", REG_SZ, {'1', '2', '0', '0', '0', 0}},
      {R"("Path"="C:\\x \"y\"")", "Path", REG_SZ, {'C', ':', '\\', 'x', ' ', '"', 'y', '"', 0}},
      {R"("Empty"="")", "Empty", REG_SZ, {0}},
      {R"(@="default")", "", REG_SZ, {'d', 'e', 'f', 'a', 'u', 'l', 't', 0}},
      {R"("Flag"=dword:0000000c)", "Flag", REG_DWORD, {0x0c, 0, 0, 0}},
      {R"("Big"=dword:80000001)", "Big", REG_DWORD, {1, 0, 0, 0x80}},
      {R"("Mask"=hex:9e,3c,07,80,12)", "Mask", REG_BINARY, {0x9e, 0x3c, 0x07, 0x80, 0x12}},
      {R"("None"=hex:)", "None", REG_BINARY, {}},
      {R"("Expand"=hex(2):25,00)", "Expand", REG_EXPAND_SZ, {0x25, 0}},
      {R"("Quad"=hex(b):01,00,00,00,00,00,00,00)", "Quad", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const GoodValue& c : cases) {
    SCOPED_TRACE(c.line);
    auto entries = Parse(Header() + "[HKEY_CURRENT_USER\\Software\\A]\r\n" + c.line + "\r\n");
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_EQ(entries[0].values.size(), 1u);
    EXPECT_EQ(entries[0].values[0].name, c.name);
    EXPECT_EQ(entries[0].values[0].type, c.type);
    EXPECT_EQ(entries[0].values[0].bytes, c.bytes);
    EXPECT_EQ(entries[0].values[0].line, 3);
  }
}

TEST(StockRegistryFormat, KeysCommentsAndViews) {
  auto entries = Parse(
      "\n" + Header() +
      "\n"
      "; a comment\n"
      "  [HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout]  \n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\A]\n"
      "\"V\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name(),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout");
  EXPECT_EQ(entries[0].line, 5);
  EXPECT_EQ(entries[0].View(), static_cast<REGSAM>(KEY_WOW64_64KEY));
  EXPECT_EQ(entries[1].View(), static_cast<REGSAM>(KEY_WOW64_32KEY));
  EXPECT_EQ(entries[1].ViewPath(), "SOFTWARE\\Microsoft\\A");
  EXPECT_EQ(entries[1].values.size(), 1u);
  EXPECT_EQ(entries[2].root, HKEY_CURRENT_USER);
  EXPECT_EQ(entries[2].path, "Control Panel\\Desktop");
}

struct BadFile {
  const char* text;  // after the header line, unless it names its own first line
  bool withHeader;
  int line;
  const char* says;
};

TEST(StockRegistryFormat, FaultsNameTheirLine) {
  const BadFile cases[] = {
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n", false, 1, "first line"},
      {"", false, 1, "empty"},
      {"\"V\"=dword:1\n", true, 2, "before any key"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=dword:123456789\n", true, 3, "1 to 8 hex digits"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=dword:xyz\n", true, 3, "1 to 8 hex digits"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=\"open\n", true, 3, "does not end"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=\"a\\b\"\n", true, 3, "backslash"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=\"a\" x\n", true, 3, "after the quoted"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=hex:01,02,\\\n  03\n", true, 3, "one line"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=hex:1,2\n", true, 3, "pairs of hex digits"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=word:1\n", true, 3, "must be"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=-\n", true, 3, "no deletions"},
      {"[-HKEY_CURRENT_USER\\A]\n", true, 2, "no deletions"},
      {"[HKCU\\A]\n", true, 2, "unknown root"},
      {"[HKEY_CURRENT_USER]\n", true, 2, "below the root"},
      {"[HKEY_CURRENT_USER\\A\\\\B]\n", true, 2, "empty step"},
      {"[HKEY_CURRENT_USER\\A\n", true, 2, "end with ]"},
      {"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n",
       true, 2, "policy keys stay absent"},
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft]\n", true, 2, "policy keys"},
      {"[HKEY_CURRENT_USER\\A]\n[HKEY_CURRENT_USER\\a]\n", true, 3, "already named on line 2"},
      {"[HKEY_CURRENT_USER\\A]\n\"V\"=\"1\"\n\"v\"=\"2\"\n", true, 4, "already named on line 3"},
      {"[HKEY_CURRENT_USER\\A]\nV=1\n", true, 3, "a line is a key"},
      {"\xff\xfeW\0i\0", false, 1, "UTF-16"},  // a UTF-16 export: its text holds NULs
  };
  for (const BadFile& c : cases) {
    std::string text = c.withHeader ? Header() + c.text : std::string(c.text);
    if (c.text[0] == '\xff') text.assign(c.text, 6);
    SCOPED_TRACE(text);
    std::vector<stock::RegEntry> entries;
    std::string error;
    EXPECT_FALSE(stock::ParseRegFile(text, "bad.reg", entries, error));
    EXPECT_NE(error.find("bad.reg:" + std::to_string(c.line) + ": "), std::string::npos) << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
}

// ---- Applying ---------------------------------------------------------------------------

// Keys of the test's own in both views and in the user's hive: each lands where it is named,
// missing keys and values are added, and a value that is there keeps what the user put in it.
TEST(StockRegistryApply, AddsWhatIsMissingInTheNamedViewAndKeepsWhatIsThere) {
  ScopedTestKey machine(HKEY_LOCAL_MACHINE);
  ScopedTestKey user(HKEY_CURRENT_USER);
  ASSERT_EQ(machine.Path().substr(0, 9), "Software\\");
  const std::string native = machine.Sub("Native");
  const std::string wow = "SOFTWARE\\Wow6432Node" + machine.Path().substr(8) + "\\Wow";
  // The user changed one value already and the data has another key's parent.
  platform::RegKey::Create(HKEY_CURRENT_USER, user.Path(), KEY_WOW64_64KEY)
      .WriteString("Changed", "by the user");

  const std::string text = Header() +
                           "[HKEY_LOCAL_MACHINE\\" + native + "\\Deep\\Er]\n"
                           "\"Flag\"=dword:00000002\n"
                           "[HKEY_LOCAL_MACHINE\\" + wow + "]\n"
                           "\"Text\"=\"32\"\n"
                           "[HKEY_CURRENT_USER\\" + user.Path() + "]\n"
                           "\"Changed\"=\"stock\"\n"
                           "\"Added\"=hex:01,02\n";
  auto entries = Parse(text);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(stock::FindMissing(entries).size(), 3u);  // two keys and Added; Changed is there

  stock::Added added;
  std::string error;
  ASSERT_TRUE(stock::ApplyMissing(entries, added, error)) << error;
  EXPECT_EQ(added.keysCreated, 2);
  EXPECT_EQ(added.valuesSet, 3);
  EXPECT_TRUE(stock::FindMissing(entries).empty());

  // Each key in its own view only.
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, native + "\\Deep\\Er", KEY_WOW64_64KEY));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, native, KEY_WOW64_32KEY));
  const std::string wowSeen = machine.Sub("Wow");
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, wowSeen, KEY_WOW64_32KEY));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, wowSeen, KEY_WOW64_64KEY));
  EXPECT_EQ(platform::RegKey(HKEY_LOCAL_MACHINE, wowSeen, KEY_QUERY_VALUE | KEY_WOW64_32KEY)
                .ReadString("Text", "missing"),
            "32");
  platform::RegKey userKey(HKEY_CURRENT_USER, user.Path(), KEY_QUERY_VALUE | KEY_WOW64_64KEY);
  EXPECT_EQ(userKey.ReadString("Changed", "missing"), "by the user");
  ASSERT_TRUE(userKey.Read("Added"));
  EXPECT_EQ(userKey.Read("Added")->data, (std::vector<BYTE>{1, 2}));

  // Applying again adds nothing.
  stock::Added again;
  ASSERT_TRUE(stock::ApplyMissing(entries, again, error)) << error;
  EXPECT_EQ(again.keysCreated, 0);
  EXPECT_EQ(again.valuesSet, 0);

  // What was added can be taken away: the topmost new key of each entry, and the value set
  // in a key that was there.
  ASSERT_EQ(added.keys.size(), 2u);
  EXPECT_EQ(added.keys[0].path, native);
  ASSERT_EQ(added.values.size(), 1u);
  EXPECT_EQ(added.values[0].name, "Added");
  Remove(added);
  EXPECT_EQ(stock::FindMissing(entries).size(), 3u);
  EXPECT_EQ(platform::RegKey(HKEY_CURRENT_USER, user.Path(), KEY_QUERY_VALUE | KEY_WOW64_64KEY)
                .ReadString("Changed", "missing"),
            "by the user");
}

TEST(StockRegistryData, EveryFileParses) {
  std::vector<stock::RegEntry> entries;
  std::vector<std::string> files;
  std::string error;
  ASSERT_TRUE(stock::LoadRegFolder(DataFolder(), entries, files, error)) << error;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                            [&](const stock::RegEntry& e) { return e.file == file; }))
        << "names no key";
  }
}

TEST(StockRegistryData, ApplyingToTheFreshPrefixLeavesNothingMissing) {
  std::vector<stock::RegEntry> entries;
  std::vector<std::string> files;
  std::string error;
  ASSERT_TRUE(stock::LoadRegFolder(DataFolder(), entries, files, error)) << error;
  const std::vector<std::string> before = stock::FindMissing(entries);
  // Which values this run sets: those it then must hold as the data says.
  std::vector<std::pair<const stock::RegEntry*, const stock::RegData*>> missingValues;
  for (const stock::RegEntry& entry : entries)
    for (const stock::RegData& value : entry.values)
      if (!Lookup(entry, value.name)) missingValues.push_back({&entry, &value});

  stock::Added added;
  const bool applied = stock::ApplyMissing(entries, added, error);
  const std::vector<std::string> after = stock::FindMissing(entries);
  std::vector<std::string> wrong;
  for (const auto& [entry, value] : missingValues) {
    auto stored = Lookup(*entry, value->name);
    if (!stored || stored->type != value->type || stored->data != value->bytes)
      wrong.push_back(entry->file + ":" + std::to_string(value->line));
  }
  Remove(added);

  EXPECT_TRUE(applied) << error;
  EXPECT_TRUE(after.empty()) << "missing after applying, first: " << after.front();
  EXPECT_TRUE(wrong.empty()) << "not stored as the data says: " << wrong.front();
  EXPECT_EQ(stock::FindMissing(entries), before) << "the prefix is not as fresh as it was";
}

}  // namespace
