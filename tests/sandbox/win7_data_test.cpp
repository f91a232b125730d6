// The sandbox's Windows 7 data (scripts/win7/*.reg, copied beside the test program by
// prepare.sh): every file parses, and applying it to the fresh test prefix leaves no key or
// value missing in its view. Applying goes by the record of the lines applied before, so a
// sandbox keeps what its user deleted or changed. The data test takes away what it added
// and puts back what it replaced: the other tests see a fresh prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "maintenance/frmSharedDLLs.h"
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

// Takes away what ApplyNewLines added and puts back what it replaced.
void Remove(const stock::Added& added) {
  for (const auto& value : added.replaced)
    RegSetValueExA(platform::RegKey(value.root, value.path, KEY_SET_VALUE | KEY_WOW64_64KEY).Handle(),
                   value.name.c_str(), 0, value.before.type, value.before.data.data(),
                   static_cast<DWORD>(value.before.data.size()));
  for (const auto& value : added.values)
    platform::RegKey(value.root, value.path, KEY_SET_VALUE | KEY_WOW64_64KEY)
        .DeleteValue(value.name);
  for (const auto& key : added.keys) DeleteRegistryTree(key.root, key.path, KEY_WOW64_64KEY);
}

std::set<std::string> LinesOf(const std::string& text) {
  std::set<std::string> lines;
  for (const stock::RegEntry& entry : Parse(text)) {
    lines.insert(stock::LineId(entry));
    for (const stock::RegData& value : entry.values) lines.insert(stock::LineId(entry, value));
  }
  return lines;
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
      // The UAC key only, in the native view, with stock values only.
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
       "stock: \"EnableLUA\"=dword:00000001\n\"ConsentPromptBehaviorUser\"=dword:00000003\n",
       true, 4, "stock: values only"},
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n",
       true, 2, "policy keys stay absent"},
      {"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n", true, 2,
       "policy keys stay absent"},
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\UIPI]\n",
       true, 2, "policy keys stay absent"},
      {"[HKEY_CURRENT_USER\\A]\nstock: [HKEY_CURRENT_USER\\B]\n", true, 3, "marks a value line"},
      {"[HKEY_CURRENT_USER\\A]\nstock:\n", true, 3, "marks a value line"},
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

TEST(StockRegistryFormat, StockMarksValuesAndOpensTheUacPolicyKey) {
  auto entries = Parse(Header() +
                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
                       "stock: \"EnableLUA\"=dword:00000001\n"
                       "stock:@=\"\"\n"
                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer]\n"
                       "stock:  \"Version\"=\"8.0\"\n"
                       "\"Plain\"=dword:00000000\n");
  ASSERT_EQ(entries.size(), 2u);
  ASSERT_EQ(entries[0].values.size(), 2u);
  EXPECT_EQ(entries[0].values[0].name, "EnableLUA");
  EXPECT_TRUE(entries[0].values[0].stock);
  EXPECT_EQ(entries[0].values[1].name, "");
  EXPECT_TRUE(entries[0].values[1].stock);
  ASSERT_EQ(entries[1].values.size(), 2u);
  EXPECT_TRUE(entries[1].values[0].stock);
  EXPECT_EQ(entries[1].values[0].bytes, (std::vector<BYTE>{'8', '.', '0', 0}));
  EXPECT_FALSE(entries[1].values[1].stock);
}

// ---- The record of applied lines ---------------------------------------------------------

// A line is its key and value name: a comment, a moved line, names in another case, changed
// data or type, or a stock marking leave the lines as they were.
TEST(StockRegistryRecord, ALineIsItsKeyAndNameNotItsDataOrPlace) {
  const std::string data = Header() +
                           "[HKEY_CURRENT_USER\\Software\\A]\n"
                           "\"V\"=dword:00000001\n"
                           "\"T\"=\"x\"\n"
                           "@=\"d\"\n"
                           "[HKEY_CURRENT_USER\\Software\\B]\n";
  const std::string moved = Header() +
                            "; a comment\n"
                            "[HKEY_CURRENT_USER\\Software\\b]\n"
                            "\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\a]\n"
                            "stock: \"t\"=\"edited\"\n"
                            "@=dword:00000002\n"
                            "\"v\"=hex:01,00,00,00\n";
  EXPECT_EQ(LinesOf(moved), LinesOf(data));

  // Changed name, key, root or view: a line new to the record.
  const std::string value = "\"V\"=dword:00000001\n";
  const std::string known = *LinesOf(Header() + "[HKEY_CURRENT_USER\\Software\\A]\n" + value).rbegin();
  const std::string changed[] = {
      "[HKEY_CURRENT_USER\\Software\\A]\n\"W\"=dword:00000001\n",
      "[HKEY_CURRENT_USER\\Software\\A]\n@=dword:00000001\n",
      "[HKEY_CURRENT_USER\\Software\\A\\B]\n" + value,
      "[HKEY_LOCAL_MACHINE\\Software\\A]\n" + value,
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\A]\n" + value,
  };
  for (const std::string& text : changed) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(LinesOf(Header() + text).contains(known));
  }
}

std::string RecordFile() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "quenvor-applied." + std::to_string(GetCurrentProcessId()) + ".txt";
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}
std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A record is read back as it was written, and only whole: cut short anywhere, or with a
// line taken away, added or its end line changed, it fails its check and reads as nothing,
// so that no line the user undid is applied again through it.
TEST(StockRegistryRecord, OnlyAWholeRecordIsRead) {
  const stock::AppliedLines lines = LinesOf(Header() +
                                            "[HKEY_LOCAL_MACHINE\\Software\\A]\n"
                                            "\"AutoReboot\"=dword:00000001\n"
                                            "@=\"x\"\n"
                                            "[HKEY_CURRENT_USER\\Software\\B]\n");
  ASSERT_EQ(lines.size(), 4u);
  const std::string record = RecordFile();
  std::string error;
  ASSERT_TRUE(stock::SaveApplied(record, lines, error)) << error;
  const std::string whole = ReadFile(record);
  stock::AppliedLines read;
  ASSERT_TRUE(stock::LoadApplied(record, read, error)) << error;
  EXPECT_EQ(read, lines);

  std::vector<std::string> damaged;
  for (size_t size = 0; size < whole.size(); ++size) damaged.push_back(whole.substr(0, size));
  const size_t firstLine = whole.find('\n') + 1;
  const size_t secondLine = whole.find('\n', firstLine) + 1;
  damaged.push_back(whole.substr(0, firstLine) + whole.substr(secondLine));  // a line taken away
  damaged.push_back(whole.substr(0, firstLine) + "[HKEY_CURRENT_USER\\c]\n" + whole.substr(firstLine));
  damaged.push_back(whole + "[HKEY_CURRENT_USER\\c]\n");
  damaged.push_back(whole.substr(firstLine));  // no first line
  std::string zeroed = whole;
  zeroed.replace(secondLine, 6, 6, '\0');  // a block of the file lost
  damaged.push_back(zeroed);
  for (const std::string& text : damaged) {
    SCOPED_TRACE(text);
    WriteFile(record, text);
    stock::AppliedLines kept;
    error.clear();
    EXPECT_FALSE(stock::LoadApplied(record, kept, error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
    EXPECT_TRUE(kept.empty());
  }
  DeleteFileA(record.c_str());
}

// A record of the earlier form named the values' data too and had no end line: its lines are
// read as the key and value lines they name.
TEST(StockRegistryRecord, AnEarlierRecordIsReadByKeyAndName) {
  const std::string record = RecordFile();
  WriteFile(record,
            "; The lines of the Windows 7 data applied to this prefix, never applied again.\n"
            "[HKEY_LOCAL_MACHINE\\software\\a]\n"
            "[HKEY_LOCAL_MACHINE\\software\\a] \"autoreboot\"=hex(4):01,00,00,00\n"
            "[HKEY_LOCAL_MACHINE\\software\\a] \"x=hex(1):\\\"\"=hex(1):31,00\n"
            "[HKEY_LOCAL_MACHINE\\software\\a] @=hex(1):00\n");
  stock::AppliedLines read;
  std::string error;
  ASSERT_TRUE(stock::LoadApplied(record, read, error)) << error;
  EXPECT_EQ(read, LinesOf(Header() +
                          "[HKEY_LOCAL_MACHINE\\Software\\A]\n"
                          "\"AutoReboot\"=dword:00000000\n"
                          "\"X=hex(1):\\\"\"=\"1\"\n"
                          "@=\"\"\n"));
  DeleteFileA(record.c_str());
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

  stock::AppliedLines applied;
  stock::Added added;
  std::string error;
  ASSERT_TRUE(stock::ApplyNewLines(entries, applied, added, error)) << error;
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

  // Applying again adds nothing, by the record or, without one, because all is there.
  for (stock::AppliedLines record : {applied, stock::AppliedLines{}}) {
    stock::Added again;
    ASSERT_TRUE(stock::ApplyNewLines(entries, record, again, error)) << error;
    EXPECT_EQ(again.keysCreated, 0);
    EXPECT_EQ(again.valuesSet, 0);
  }

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

// The sandbox's user deletes a key and a value and changes another value; then the data
// changes (a comment, a moved line, new lines, changed data, also of the deleted value).
// Applying it, through the record kept in a file between the runs, adds the new lines only:
// what the user deleted stays deleted, also where a new line lies below the deleted key or
// the deleted value's line was edited, and the user's value stays.
TEST(StockRegistryApply, WhatTheUserDeletedOrChangedStaysWhenTheDataChanges) {
  ScopedTestKey machine(HKEY_LOCAL_MACHINE);
  const std::string tools = machine.Sub("NameSpace\\{Tools}");
  const std::string crash = machine.Sub("CrashControl");
  const std::string key = "[HKEY_LOCAL_MACHINE\\";
  const std::string first = Header() +
                            key + machine.Sub("NameSpace") + "]\n" +
                            key + tools + "]\n" +
                            key + crash + "]\n"
                            "\"AutoReboot\"=dword:00000001\n"
                            "\"DumpFile\"=\"MEMORY.DMP\"\n";
  const std::string record = RecordFile();
  DeleteFileA(record.c_str());
  stock::AppliedLines applied;
  stock::Added added;
  std::string error;
  ASSERT_TRUE(stock::LoadApplied(record, applied, error)) << error;
  EXPECT_TRUE(applied.empty()) << "a new prefix has applied nothing";
  ASSERT_TRUE(stock::ApplyNewLines(Parse(first), applied, added, error)) << error;
  ASSERT_TRUE(stock::SaveApplied(record, applied, error)) << error;
  ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, tools, KEY_WOW64_64KEY));

  DeleteRegistryTree(HKEY_LOCAL_MACHINE, tools, KEY_WOW64_64KEY);
  {
    auto crashKey = platform::RegKey::Create(HKEY_LOCAL_MACHINE, crash, KEY_WOW64_64KEY);
    ASSERT_TRUE(crashKey.DeleteValue("AutoReboot"));
    ASSERT_TRUE(crashKey.WriteString("DumpFile", "D:\\crash.dmp"));
  }

  const std::string second = Header() +
                             "; a new comment\n" +
                             key + crash + "]\n"
                             "\"Added\"=dword:00000007\n"
                             "\"DumpFile\"=\"memory.dmp\"\n"
                             "\"AutoReboot\"=dword:00000000\n" +
                             key + machine.Sub("NameSpace") + "]\n" +
                             key + tools + "]\n"
                             "@=\"Administrative Tools\"\n" +
                             key + tools + "\\Sub]\n" +
                             key + machine.Sub("NameSpace\\{New}") + "]\n";
  stock::AppliedLines kept;
  ASSERT_TRUE(stock::LoadApplied(record, kept, error)) << error;
  DeleteFileA(record.c_str());
  EXPECT_EQ(kept, applied);
  stock::Added again;
  ASSERT_TRUE(stock::ApplyNewLines(Parse(second), kept, again, error)) << error;

  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, tools, KEY_WOW64_64KEY)) << "the deleted key is back";
  platform::RegKey crashKey(HKEY_LOCAL_MACHINE, crash, KEY_QUERY_VALUE | KEY_WOW64_64KEY);
  EXPECT_FALSE(crashKey.Read("AutoReboot")) << "the deleted value is back";
  EXPECT_EQ(crashKey.ReadString("DumpFile", "missing"), "D:\\crash.dmp");
  EXPECT_EQ(crashKey.ReadDword("Added", 0), 7u);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, machine.Sub("NameSpace\\{New}"), KEY_WOW64_64KEY));
  EXPECT_EQ(again.keysCreated, 1);
  EXPECT_EQ(again.valuesSet, 1);
  EXPECT_EQ(again.leftOut, 2) << "the new value and key below the deleted key";
}

// A stock value is set over what the prefix holds when its line is new to the prefix, and
// never again: the user's later change stays, also when the line's data is edited.
TEST(StockRegistryApply, StockValuesAreSetOnceWhenNewToThePrefix) {
  ScopedTestKey machine(HKEY_LOCAL_MACHINE);
  platform::RegKey::Create(HKEY_LOCAL_MACHINE, machine.Path(), KEY_WOW64_64KEY)
      .WriteDword("EnableLUA", 0);  // as Wine keeps it
  auto read = [&](const char* name) {
    return platform::RegKey(HKEY_LOCAL_MACHINE, machine.Path(), KEY_QUERY_VALUE | KEY_WOW64_64KEY)
        .ReadDword(name, 99);
  };
  const std::string key = "[HKEY_LOCAL_MACHINE\\" + machine.Path() + "]\n";
  const std::string values = "stock: \"EnableLUA\"=dword:00000001\n"
                             "stock: \"ConsentPromptBehaviorAdmin\"=dword:00000005\n";
  stock::AppliedLines applied;
  stock::Added added;
  std::string error;
  ASSERT_TRUE(stock::ApplyNewLines(Parse(Header() + key + values), applied, added, error)) << error;
  EXPECT_EQ(read("EnableLUA"), 1u);
  EXPECT_EQ(read("ConsentPromptBehaviorAdmin"), 5u);
  EXPECT_EQ(added.stockSet, 1);
  EXPECT_EQ(added.valuesSet, 1);
  ASSERT_EQ(added.replaced.size(), 1u);
  EXPECT_EQ(added.replaced[0].before.data, (std::vector<BYTE>{0, 0, 0, 0}));

  platform::RegKey::Create(HKEY_LOCAL_MACHINE, machine.Path(), KEY_WOW64_64KEY)
      .WriteDword("EnableLUA", 0);
  stock::Added again;
  ASSERT_TRUE(stock::ApplyNewLines(Parse(Header() + "; UAC\n" + key + values), applied, again, error))
      << error;
  EXPECT_EQ(read("EnableLUA"), 0u) << "the user's choice is overwritten";
  EXPECT_EQ(again.stockSet, 0);

  stock::Added edited;
  ASSERT_TRUE(stock::ApplyNewLines(Parse(Header() + key + "stock: \"EnableLUA\"=dword:00000002\n"),
                                   applied, edited, error))
      << error;
  EXPECT_EQ(read("EnableLUA"), 0u) << "the user's choice is overwritten by edited data";
  EXPECT_EQ(edited.stockSet, 0);
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
  // Which values this run sets: those it then must hold as the data says. Stock values are
  // set whatever the prefix holds; the test puts back what they replace.
  std::vector<std::pair<const stock::RegEntry*, const stock::RegData*>> setValues;
  auto describe = [](const std::optional<platform::RegValue>& value) {
    if (!value) return std::string("missing");
    return std::to_string(value->type) + ":" + std::string(value->data.begin(), value->data.end());
  };
  std::vector<std::string> stockBefore;
  for (const stock::RegEntry& entry : entries)
    for (const stock::RegData& value : entry.values) {
      if (value.stock) stockBefore.push_back(describe(Lookup(entry, value.name)));
      if (value.stock || !Lookup(entry, value.name)) setValues.push_back({&entry, &value});
    }

  stock::AppliedLines applied;
  stock::Added added;
  const bool done = stock::ApplyNewLines(entries, applied, added, error);
  const std::vector<std::string> after = stock::FindMissing(entries);
  std::vector<std::string> wrong;
  for (const auto& [entry, value] : setValues) {
    auto stored = Lookup(*entry, value->name);
    if (!stored || stored->type != value->type || stored->data != value->bytes)
      wrong.push_back(entry->file + ":" + std::to_string(value->line));
  }
  Remove(added);
  std::vector<std::string> stockAfter;
  for (const stock::RegEntry& entry : entries)
    for (const stock::RegData& value : entry.values)
      if (value.stock) stockAfter.push_back(describe(Lookup(entry, value.name)));

  EXPECT_TRUE(done) << error;
  EXPECT_TRUE(after.empty()) << "missing after applying, first: " << after.front();
  EXPECT_TRUE(wrong.empty()) << "not stored as the data says: " << wrong.front();
  EXPECT_EQ(added.leftOut, 0);
  EXPECT_EQ(stock::FindMissing(entries), before) << "the prefix is not as fresh as it was";
  EXPECT_EQ(stockAfter, stockBefore) << "a replaced value was not put back";
}

// The shared-DLL key names real files of the prefix and one file that is gone, so that the
// scan of the shared-DLL page has entries to examine and one to list.
TEST(StockRegistryData, SharedDllEntriesNameFilesOfThePrefixButOne) {
  std::vector<stock::RegEntry> entries;
  std::vector<std::string> files;
  std::string error;
  ASSERT_TRUE(stock::LoadRegFolder(DataFolder(), entries, files, error)) << error;
  const auto shared = std::find_if(entries.begin(), entries.end(), [](const stock::RegEntry& e) {
    return e.root == HKEY_LOCAL_MACHINE && e.View() == KEY_WOW64_64KEY &&
           _stricmp(e.ViewPath().c_str(), kSharedDllsKey) == 0;
  });
  ASSERT_NE(shared, entries.end()) << "no shared-DLL key in the data";
  std::string gone;
  int goneCount = 0;
  for (const stock::RegData& value : shared->values) {
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << value.name;
    if (!SharedFileExists(value.name)) gone += value.name + " ", ++goneCount;
  }
  EXPECT_GE(shared->values.size(), 4u);
  EXPECT_EQ(goneCount, 1) << "gone: " << gone;
}

}  // namespace
