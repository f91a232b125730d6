// The tweak engine against the real registry of the test prefix (a 64-bit prefix, this
// program 32-bit): rows of every kind bound to a small form, read, written and preset.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fakes.h"
#include "support/registry_fixture.h"
#include "support/scoped_registry_values.h"
#include "tweaks/TweakEngine.h"

namespace {

using namespace tweaks;
using platform::RegKey;
using platform::RegValue;
using namespace std::string_literals;

constexpr REGSAM kRead64 = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
constexpr REGSAM kWrite64 = KEY_SET_VALUE | KEY_WOW64_64KEY;

// ---- a page with one control of each sort ---------------------------------------------

constexpr ui::Def kDesign[] = {
    {.kind = ui::Kind::Frame, .name = "Frame1", .rect = {120, 120, 4000, 3600}},
    {.kind = ui::Kind::CheckBox, .name = "Check1", .index = 0, .parent = "Frame1", .rect = {120, 240, 3000, 255}},
    {.kind = ui::Kind::CheckBox, .name = "Check1", .index = 1, .parent = "Frame1", .rect = {120, 600, 3000, 255}},
    {.kind = ui::Kind::CheckBox, .name = "Check1", .index = 2, .parent = "Frame1", .rect = {120, 960, 3000, 255}},
    {.kind = ui::Kind::Frame, .name = "Frame2", .rect = {4200, 120, 3000, 1600}},
    {.kind = ui::Kind::OptionButton, .name = "Option1", .parent = "Frame2", .rect = {120, 240, 2000, 255}},
    {.kind = ui::Kind::OptionButton, .name = "Option2", .parent = "Frame2", .rect = {120, 600, 2000, 255}},
    {.kind = ui::Kind::OptionButton, .name = "Option3", .parent = "Frame2", .rect = {120, 960, 2000, 255}},
    {.kind = ui::Kind::Frame, .name = "Frame3", .rect = {4200, 1800, 3000, 1200}},
    {.kind = ui::Kind::OptionButton, .name = "Option4", .parent = "Frame3", .rect = {120, 240, 2000, 255}},
    {.kind = ui::Kind::OptionButton, .name = "Option5", .parent = "Frame3", .rect = {120, 600, 2000, 255}},
    {.kind = ui::Kind::TextBox, .name = "Text1", .rect = {120, 3800, 2000, 315}, .caption = "placeholder"},
    {.kind = ui::Kind::TextBox, .name = "Text2", .rect = {2300, 3800, 2000, 315}},
};
constexpr ui::FormDef kForm{.name = "frmEngineTest", .caption = "Engine", .width = 7600, .height = 5000};

class EngineForm : public ui::Form {
 public:
  EngineForm() : Form(kForm, kDesign) {}
  ui::ControlArray<ui::CheckBox> Check1{this, "Check1"};
  ui::CheckBox& Box(int i) { return Check1[i]; }
  ui::OptionButton& Opt(const char* name) { return Get<ui::OptionButton>(name); }
  ui::TextBox& Text(const char* name) { return Get<ui::TextBox>(name); }
};

constexpr ControlRef kBox0{"Check1", 0};
constexpr ControlRef kBox1{"Check1", 1};
constexpr ControlRef kBox2{"Check1", 2};

// ---- registry helpers (native view) ---------------------------------------------------

struct Stored {
  enum Kind { Missing, Number, Text, Raw } kind = Missing;
  DWORD number = 0;
  std::string bytes;  // Text: the text; Raw: exact bytes
  DWORD type = REG_BINARY;
};
Stored Absent() { return {}; }
Stored Num(DWORD n) {
  Stored s;
  s.kind = Stored::Number;
  s.number = n;
  return s;
}
Stored Str(const std::string& t) { return {.kind = Stored::Text, .bytes = t}; }
Stored RawValue(DWORD type, const std::string& bytes) {
  return {.kind = Stored::Raw, .bytes = bytes, .type = type};
}

void Put(HKEY root, const std::string& path, const std::string& name, const Stored& s) {
  RegKey key = RegKey::Create(root, path, KEY_WOW64_64KEY);
  ASSERT_TRUE(key) << path;
  switch (s.kind) {
    case Stored::Missing: key.DeleteValue(name); break;
    case Stored::Number: ASSERT_TRUE(key.WriteDword(name, s.number)); break;
    case Stored::Text: ASSERT_TRUE(key.WriteString(name, s.bytes)); break;
    case Stored::Raw:
      ASSERT_EQ(RegSetValueExA(key.Handle(), name.c_str(), 0, s.type,
                               reinterpret_cast<const BYTE*>(s.bytes.data()),
                               static_cast<DWORD>(s.bytes.size())),
                ERROR_SUCCESS);
      break;
  }
}

std::optional<RegValue> Get(HKEY root, const std::string& path, const std::string& name) {
  return RegKey(root, path, kRead64).Read(name);
}

class EngineTest : public testing::Test {
 protected:
  void SetUp() override {
    RegReadAccess = kRead64;
    RegWriteAccess = kWrite64;
    RestartNeeded = false;
    AutoTuneMode = false;
    path = test.Path();
  }
  void TearDown() override {
    page.Unload();
    AutoTuneMode = false;
    IEMajorVersion = 0;
  }
  std::string Value(const char* name) { return DescribeRegValue(Get(test.Root(), path, name)); }
  std::string Value(const std::string& sub, const char* name) {
    return DescribeRegValue(Get(test.Root(), test.Sub(sub), name));
  }
  SaveReport Write(std::span<const TweakBinding> rows) {
    SaveReport report;
    WriteTweaks(page, rows, report);
    return report;
  }

  ScopedTestKey test;
  std::string path;
  EngineForm page;
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

// ---- value rows: reading ---------------------------------------------------------------

struct ReadCase {
  const char* name;
  Kind kind;
  Check shown;
  Data ticked;
  Stored stored;
  bool ticks;
};

class ValueRowReading : public EngineTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(ValueRowReading, TicksTheBoxOnlyWhenTheTestHolds) {
  const ReadCase& c = GetParam();
  Put(test.Root(), path, "V", c.stored);
  const TweakBinding rows[] = {{.control = kBox0, .key = path.c_str(), .value = "V",
                                .kind = c.kind, .ticked = c.ticked, .shown = c.shown}};
  ReadTweaks(page, rows);
  EXPECT_EQ(page.Box(0).Value(), c.ticks ? 1 : 0);
}

const std::string kLongText(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Kinds, ValueRowReading,
    testing::Values(
        ReadCase{"FlagMissing", DwordFlag, {}, {}, Absent(), false},
        ReadCase{"FlagZero", DwordFlag, {}, {}, Num(0), false},
        ReadCase{"FlagTwo", DwordFlag, {}, {}, Num(2), true},
        // A short text reads as its bytes: "1" is 0x31.
        ReadCase{"FlagShortTextReadsItsBytes", DwordFlag, {}, {}, Str("1"), true},
        // Data longer than four bytes does not fit the number: it reads 0.
        ReadCase{"FlagLongTextReadsZero", DwordFlag, {}, {}, Str("12345"), false},
        ReadCase{"FlagEightBytesReadZero", DwordFlag, {}, {}, RawValue(REG_BINARY, "\1\0\0\0\0\0\0\0"s), false},
        ReadCase{"FlagEqualsOneWithTwo", DwordFlag, EqualsOne, {}, Num(2), false},
        ReadCase{"FlagEqualsOneWithOne", DwordFlag, EqualsOne, {}, Num(1), true},
        ReadCase{"FlagGreaterThanZeroNegative", DwordFlag, GreaterThanZero, {}, Num(0xFFFFFFFF), false},
        ReadCase{"FlagGreaterThanZeroFive", DwordFlag, GreaterThanZero, {}, Num(5), true},
        ReadCase{"FlagOrDeleteTwo", DwordFlagOrDelete, {}, {}, Num(2), true},
        ReadCase{"ValuesEqual", DwordValues, {}, Dword(16), Num(16), true},
        ReadCase{"ValuesOther", DwordValues, {}, Dword(16), Num(1), false},
        ReadCase{"InvertedMissingTicks", DwordInverted, {}, {}, Absent(), true},
        ReadCase{"InvertedOne", DwordInverted, {}, {}, Num(1), false},
        ReadCase{"InvertedTwo", DwordInverted, {}, {}, Num(2), true},
        ReadCase{"InvertedEqualsZeroWithTwo", DwordInverted, EqualsZero, {}, Num(2), false},
        ReadCase{"InvertedEqualsZeroMissing", DwordInverted, EqualsZero, {}, Absent(), true},
        ReadCase{"TextExact", StringValues, {}, Sz("2000"), Str("2000"), true},
        ReadCase{"TextTrailingBlank", StringValues, {}, Sz("2000"), Str("2000 "), false},
        ReadCase{"TextCaseCounts", StringValues, {}, Sz("No"), Str("no"), false},
        ReadCase{"TextMissing", StringValues, {}, Sz("2000"), Absent(), false},
        ReadCase{"TextStoredAsDword", StringValues, {}, Sz("2000"), Num(2000), false},
        // Stored without its NUL by an older writer: still the same text.
        ReadCase{"TextWithoutNul", StringValues, {}, Sz("2000"), RawValue(REG_SZ, "2000"s), true},
        ReadCase{"TextLongerThanABuffer", StringValues, {}, Sz("2000"), Str(kLongText), false},
        ReadCase{"TextOrDelete", StringOrDelete, {}, Sz("200"), Str("200"), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, ReadingNeverClearsAndAMissingKeyReadsAsMissingValues) {
  const std::string absent = test.Sub("Absent");
  const TweakBinding rows[] = {
      {.control = kBox0, .key = path.c_str(), .value = "Zero", .kind = DwordFlag},
      {.control = kBox1, .key = absent.c_str(), .value = "V", .kind = DwordInverted},
      {.control = kBox2, .key = absent.c_str(), .value = "V", .kind = DwordFlag},
  };
  Put(test.Root(), path, "Zero", Num(0));
  page.Box(0).SetValue(1);
  ReadTweaks(page, rows);
  EXPECT_EQ(page.Box(0).Value(), 1);
  EXPECT_EQ(page.Box(1).Value(), 1);
  EXPECT_EQ(page.Box(2).Value(), 0);
  EXPECT_FALSE(RegKey(test.Root(), absent, kRead64)) << "reading created the key";
}

// ---- value rows: writing ---------------------------------------------------------------

struct WriteCase {
  const char* name;
  Kind kind;
  Data ticked, clear;
  int box;  // 0 clear, 1 ticked, 2 grey
  Stored before;
  const char* after;
};

class ValueRowWriting : public EngineTest, public testing::WithParamInterface<WriteCase> {};

TEST_P(ValueRowWriting, WritesTheBranchOfTheBoxState) {
  const WriteCase& c = GetParam();
  Put(test.Root(), path, "V", c.before);
  const TweakBinding rows[] = {{.control = kBox0, .key = path.c_str(), .value = "V", .kind = c.kind,
                                .ticked = c.ticked, .clear = c.clear}};
  page.Box(0).SetValue(c.box);
  SaveReport report = Write(rows);
  EXPECT_EQ(Value("V"), c.after);
  EXPECT_TRUE(report.notSaved.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ValueRowWriting,
    testing::Values(
        WriteCase{"FlagTicked", DwordFlag, {}, {}, 1, Absent(), "dword:1"},
        WriteCase{"FlagClear", DwordFlag, {}, {}, 0, Num(7), "dword:0"},
        WriteCase{"FlagGreyIsClear", DwordFlag, {}, {}, 2, Num(1), "dword:0"},
        // A text value read as a number is replaced by a number.
        WriteCase{"FlagReplacesText", DwordFlag, {}, {}, 1, Str("1"), "dword:1"},
        WriteCase{"FlagOrDeleteTicked", DwordFlagOrDelete, {}, {}, 1, Absent(), "dword:1"},
        WriteCase{"FlagOrDeleteClearDeletes", DwordFlagOrDelete, {}, {}, 0, Num(1), "missing"},
        WriteCase{"FlagOrDeleteClearWhenMissing", DwordFlagOrDelete, {}, {}, 0, Absent(), "missing"},
        WriteCase{"ValuesTicked", DwordValues, Dword(3), Dword(2), 1, Absent(), "dword:3"},
        WriteCase{"ValuesClear", DwordValues, Dword(3), Dword(2), 0, Num(3), "dword:2"},
        WriteCase{"InvertedTicked", DwordInverted, {}, {}, 1, Num(1), "dword:0"},
        WriteCase{"InvertedClear", DwordInverted, {}, {}, 0, Absent(), "dword:1"},
        WriteCase{"TextTicked", StringValues, Sz("2000"), Sz("5000"), 1, Absent(), "sz:2000"},
        WriteCase{"TextClear", StringValues, Sz("2000"), Sz("5000"), 2, Str("2000"), "sz:5000"},
        WriteCase{"TextOrDeleteTicked", StringOrDelete, Sz("200"), {}, 1, Absent(), "sz:200"},
        WriteCase{"TextOrDeleteClear", StringOrDelete, Sz("200"), {}, 0, Str("200"), "missing"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- multi-value rows ------------------------------------------------------------------

TEST_F(EngineTest, MultiValueWritesEveryPartInItsOwnKeyAndReadsTheCombinedTest) {
  static constexpr BYTE kOn[] = {0x98, 0x30, 0x07, 0x80, 0x10, 0x00, 0x00, 0x00};
  static constexpr BYTE kOff[] = {0x9E, 0x3C, 0x07, 0x80, 0x12};
  const std::string a = test.Sub("A"), b = test.Sub("B");
  Put(test.Root(), a, "Other", Num(0));
  Put(test.Root(), b, "Other", Num(0));
  const Part parts[] = {
      {HKCU, a.c_str(), "First", Dword(3), Dword(2), NotZero},
      {HKCU, a.c_str(), "Second", Dword(3), Dword(2), Equals(3)},
      {HKCU, b.c_str(), "Mask", Binary(kOn), Binary(kOff)},
      {HKCU, b.c_str(), "Text", Sz("0"), Sz("1")},
      {HKCU, b.c_str(), "Gone", Deleted, Dword(1)},
  };
  const TweakBinding rows[] = {{.control = kBox0, .kind = MultiValue, .parts = parts}};

  Put(test.Root(), b, "Gone", Num(5));
  page.Box(0).SetValue(1);
  EXPECT_TRUE(Write(rows).notSaved.empty());
  EXPECT_EQ(Value("A", "First"), "dword:3");
  EXPECT_EQ(Value("A", "Second"), "dword:3");
  EXPECT_EQ(Value("B", "Mask"), "binary:9830078010000000");
  EXPECT_EQ(Value("B", "Text"), "sz:0");
  EXPECT_EQ(Value("B", "Gone"), "missing");

  EngineForm reread;
  ReadTweaks(reread, rows);
  EXPECT_EQ(reread.Box(0).Value(), 1);

  // One part's test failing leaves the box clear: the first value is not 0 but the second
  // is not 3.
  Put(test.Root(), a, "Second", Num(2));
  EngineForm partly;
  ReadTweaks(partly, rows);
  EXPECT_EQ(partly.Box(0).Value(), 0);
  partly.Unload();
  reread.Unload();

  page.Box(0).SetValue(0);
  Write(rows);
  EXPECT_EQ(Value("A", "First"), "dword:2");
  EXPECT_EQ(Value("B", "Mask"), "binary:9E3C078012");
  EXPECT_EQ(Value("B", "Gone"), "dword:1");
}

// ---- policy keys and keys that cannot be written ----------------------------------------

// A missing policy key is Windows' "not configured": it is created only for a row whose
// choice differs from what the row shows while its value is missing.
struct PolicyCase {
  const char* name;
  Kind kind;
  int box;              // the check box's state
  const char* option;   // OptionGroup: the option selected (nullptr: none)
  const char* typed;    // TextValue: the text typed
  const char* after;    // the value afterwards; "no key" when the key was not created
};

class MissingPolicyKey : public EngineTest, public testing::WithParamInterface<PolicyCase> {};

constexpr Option kZeroOneTwo[] = {{{"Option1"}, 0}, {{"Option2"}, 1}, {{"Option3"}, 2}};

TEST_P(MissingPolicyKey, IsCreatedOnlyWhenTheChoiceNeedsAValue) {
  const PolicyCase& c = GetParam();
  const std::string policy = test.Sub("Software\\Policies\\Vendor\\Client");
  TweakBinding row{.control = kBox0, .caption = 158, .key = policy.c_str(), .value = "V",
                   .kind = c.kind};
  if (c.kind == OptionGroup) {
    row.control = {"Option1"};
    row.options = kZeroOneTwo;
    if (c.option) page.Opt(c.option).SetValue(true);
  } else if (c.kind == TextValue) {
    row.control = {"Text1"};
    page.Text("Text1").SetText(c.typed);
  } else {
    page.Box(0).SetValue(c.box);
  }
  SaveReport report = Write(std::span(&row, 1));
  EXPECT_TRUE(report.notSaved.empty()) << "an unconfigured policy was named as not saved";
  if (std::string(c.after) == "no key") {
    EXPECT_FALSE(RegKey(test.Root(), policy, kRead64)) << "the policy key was created";
  } else {
    EXPECT_EQ(Value("Software\\Policies\\Vendor\\Client", "V"), c.after);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, MissingPolicyKey,
    testing::Values(PolicyCase{"FlagTicked", DwordFlag, 1, nullptr, nullptr, "dword:1"},
                    PolicyCase{"FlagClear", DwordFlag, 0, nullptr, nullptr, "no key"},
                    PolicyCase{"FlagGrey", DwordFlag, 2, nullptr, nullptr, "no key"},
                    PolicyCase{"FlagOrDeleteClear", DwordFlagOrDelete, 0, nullptr, nullptr, "no key"},
                    // An inverted box shows ticked while its value is missing.
                    PolicyCase{"InvertedTicked", DwordInverted, 1, nullptr, nullptr, "no key"},
                    PolicyCase{"InvertedClear", DwordInverted, 0, nullptr, nullptr, "dword:1"},
                    PolicyCase{"OptionNone", OptionGroup, 0, nullptr, nullptr, "no key"},
                    // A missing value selects the option numbered 0.
                    PolicyCase{"OptionZero", OptionGroup, 0, "Option1", nullptr, "no key"},
                    PolicyCase{"OptionTwo", OptionGroup, 0, "Option3", nullptr, "dword:2"},
                    PolicyCase{"TextEmpty", TextValue, 0, nullptr, "", "no key"},
                    PolicyCase{"TextTyped", TextValue, 0, nullptr, "Dallmoor", "sz:Dallmoor"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, APolicyKeyCreatedForOneRowGetsOnlyTheValuesChosen) {
  const std::string made = test.Sub("Policies\\Made");
  const std::string existing = test.Sub("Policies\\Existing");
  const std::string plain = test.Sub("Services\\Driver");
  ASSERT_TRUE(RegKey::Create(test.Root(), existing, KEY_WOW64_64KEY));
  const TweakBinding rows[] = {
      // The clear row comes first: the key does not exist yet when it is written.
      {.control = kBox1, .key = made.c_str(), .value = "Before", .kind = DwordFlag},
      {.control = kBox0, .key = made.c_str(), .value = "Chosen", .kind = DwordFlag},
      {.control = kBox2, .key = existing.c_str(), .value = "Clear", .kind = DwordFlag},
      // The same key again in a later group, after the writer created it.
      {.control = kBox2, .key = made.c_str(), .value = "After", .kind = DwordFlag},
      {.control = kBox2, .caption = 59, .key = plain.c_str(), .value = "Start", .kind = DwordFlag},
  };
  page.Box(0).SetValue(1);
  SaveReport report = Write(rows);

  EXPECT_EQ(Value("Policies\\Made", "Chosen"), "dword:1");
  EXPECT_EQ(Value("Policies\\Made", "Before"), "missing");
  EXPECT_EQ(Value("Policies\\Made", "After"), "missing");
  EXPECT_EQ(Value("Policies\\Existing", "Clear"), "dword:0") << "an existing policy key gets every row";
  EXPECT_FALSE(RegKey(test.Root(), plain, kRead64)) << "a key other than a policy key was created";
  // Only the setting whose key could not be had is reported.
  EXPECT_EQ(report.notSaved, std::vector<std::string>{LoadResString(59)});
}

// A key belongs to the Save that created it, not to the writer: the Save's later writers,
// and the rows of a key it created on the way to another, leave it as chosen too.
TEST_F(EngineTest, AKeyTheSaveCreatedGetsOnlyTheChosenValuesFromEveryWriterOfTheSave) {
  const std::string made = test.Sub("Policies\\Made");
  const std::string parent = test.Sub("Policies\\Parent");
  const std::string child = parent + "\\Child";
  const std::string existing = test.Sub("Existing\\Policies");
  ASSERT_TRUE(RegKey::Create(test.Root(), existing, KEY_WOW64_64KEY));
  const TweakBinding first[] = {
      {.control = kBox0, .key = made.c_str(), .value = "Chosen", .kind = DwordFlag},
      {.control = kBox0, .key = child.c_str(), .value = "Chosen", .kind = DwordFlag},
      // Its key was made above the child's just now.
      {.control = kBox1, .key = parent.c_str(), .value = "Clear", .kind = DwordFlag},
  };
  const TweakBinding second[] = {
      {.control = kBox1, .key = made.c_str(), .value = "Clear", .kind = DwordFlag},
      {.control = kBox2, .key = parent.c_str(), .value = "Inverted", .kind = DwordInverted},
      {.control = kBox1, .key = existing.c_str(), .value = "Clear", .kind = DwordFlag},
  };
  const SaveStep steps[] = {{Step::Write, first}, {Step::Write, second}, {Step::Message}};
  const TweakSave save{.steps = steps, .message = 351};
  page.Box(0).SetValue(1);
  page.Box(2).SetValue(1);  // an inverted box ticked: what a missing value shows
  dialogs.AnswerMessageBox(IDOK);
  RunSave(page, save);

  EXPECT_EQ(Value("Policies\\Made", "Chosen"), "dword:1");
  EXPECT_EQ(Value("Policies\\Parent\\Child", "Chosen"), "dword:1");
  EXPECT_EQ(Value("Policies\\Made", "Clear"), "missing") << "the second writer wrote into the key";
  EXPECT_EQ(Value("Policies\\Parent", "Clear"), "missing") << "a key made as a parent got a clear row";
  EXPECT_EQ(Value("Policies\\Parent", "Inverted"), "missing");
  EXPECT_EQ(Value("Existing\\Policies", "Clear"), "dword:0") << "an existing policy key gets every row";
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  EXPECT_EQ(dialogs.MessageBoxes()[0].text, LoadResString(351));

  // The next Save finds the keys there and writes every row into them.
  dialogs.AnswerMessageBox(IDOK);
  RunSave(page, save);
  EXPECT_EQ(Value("Policies\\Made", "Clear"), "dword:0");
  EXPECT_EQ(Value("Policies\\Parent", "Clear"), "dword:0");
  EXPECT_EQ(Value("Policies\\Parent", "Inverted"), "dword:0");
}

TEST_F(EngineTest, PolicyKeysAreCreatedInTheViewTheMasksName) {
  ScopedTestKey machine(HKEY_LOCAL_MACHINE);
  const std::string policy = machine.Sub("Policies\\System");
  const TweakBinding rows[] = {
      {.control = kBox0, .root = HKLM, .key = policy.c_str(), .value = "Flag", .kind = DwordFlag}};
  page.Box(0).SetValue(1);
  EXPECT_TRUE(Write(rows).notSaved.empty());
  EXPECT_EQ(DescribeRegValue(Get(HKEY_LOCAL_MACHINE, policy, "Flag")), "dword:1");
  EXPECT_FALSE(RegKey(HKEY_LOCAL_MACHINE, policy, KEY_QUERY_VALUE | KEY_WOW64_32KEY));
}

// ---- keys that could not be read ----------------------------------------------------------

TEST_F(EngineTest, RowsOfAKeyThatExistsButCouldNotBeReadAreNeverWrittenOver) {
  const std::string locked = test.Sub("Locked");
  Put(test.Root(), locked, "Enable", Num(1));
  Put(test.Root(), path, "Open", Num(0));
  const TweakBinding rows[] = {
      {.control = kBox0, .caption = 155, .key = locked.c_str(), .value = "Enable", .kind = DwordInverted},
      {.control = kBox1, .caption = 108, .key = path.c_str(), .value = "Open", .kind = DwordFlag},
  };
  {
    ScopedQueryDenied denied(test.Root(), locked);
    ASSERT_TRUE(denied.Applied());
    const std::vector<KeyNotRead> notRead = ReadTweaks(page, rows);
    ASSERT_EQ(notRead.size(), 1u);
    EXPECT_EQ(notRead[0].path, locked);
    EXPECT_EQ(notRead[0].error, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(notRead[0].Missing());
    EXPECT_EQ(page.Box(0).Value(), 1) << "shown as a missing value reads";

    page.Box(1).SetValue(1);
    SaveReport report = Write(rows);
    EXPECT_EQ(report.notSaved, std::vector<std::string>{LoadResString(155)});
    EXPECT_EQ(Value("Open"), "dword:1") << "the other rows are written";
  }
  EXPECT_EQ(Value("Locked", "Enable"), "dword:1") << "the guess was written over the setting";

  // Once a read of the page opens the key, its rows are written again.
  EXPECT_TRUE(ReadTweaks(page, rows).empty());
  page.Box(0).SetValue(1);
  EXPECT_TRUE(Write(rows).notSaved.empty());
  EXPECT_EQ(Value("Locked", "Enable"), "dword:0");
}

TEST_F(EngineTest, RowsMarkedOnlyWhereReadLeaveAKeyThatWasMissingAlone) {
  const std::string policy = test.Sub("Policies\\System");
  const TweakBinding rows[] = {
      {.control = kBox0, .caption = 155, .key = policy.c_str(), .value = "EnableLUA",
       .kind = DwordInverted, .onlyWhereRead = true},
      {.control = kBox1, .caption = 108, .key = policy.c_str(), .value = "Detect", .kind = DwordFlag,
       .onlyWhereRead = true},
  };
  const std::vector<KeyNotRead> notRead = ReadTweaks(page, rows);
  ASSERT_EQ(notRead.size(), 1u);
  EXPECT_TRUE(notRead[0].Missing());
  page.Box(1).SetValue(1);
  SaveReport report = Write(rows);
  EXPECT_FALSE(RegKey(test.Root(), policy, kRead64)) << "the key was created";
  EXPECT_EQ(report.notSaved, (std::vector<std::string>{LoadResString(155), LoadResString(108)}));

  // The key made after the page was read is still not written until the page reads it.
  Put(test.Root(), policy, "EnableLUA", Num(1));
  EXPECT_EQ(Write(rows).notSaved.size(), 2u);
  EXPECT_EQ(Value("Policies\\System", "EnableLUA"), "dword:1");
  EXPECT_TRUE(ReadTweaks(page, rows).empty());
  EXPECT_TRUE(Write(rows).notSaved.empty());
  EXPECT_EQ(Value("Policies\\System", "EnableLUA"), "dword:0");
  EXPECT_EQ(Value("Policies\\System", "Detect"), "dword:1");
}

// A value of a row marked onlyWhereRead that is stored with another type than the row reads
// counts as not read: an unchanged Save leaves it as it is and names the row. Other rows
// read such a value as it comes and write over it.
struct TypeCase {
  const char* name;
  Kind kind;
  Stored stored;
  bool onlyWhereRead;
  const char* after;  // the value after an unchanged Save
  bool named;         // named among the settings not saved
};

class ValueOfAnotherType : public EngineTest, public testing::WithParamInterface<TypeCase> {};

TEST_P(ValueOfAnotherType, IsNotWrittenByARowWrittenOnlyWhereRead) {
  const TypeCase& c = GetParam();
  Put(test.Root(), path, "V", c.stored);
  Put(test.Root(), path, "Other", Num(0));
  const TweakBinding rows[] = {
      {.control = kBox0, .caption = 155, .key = path.c_str(), .value = "V", .kind = c.kind,
       .ticked = c.kind == StringValues ? Sz("1") : Data{}, .clear = c.kind == StringValues ? Sz("0") : Data{},
       .onlyWhereRead = c.onlyWhereRead},
      {.control = kBox1, .caption = 108, .key = path.c_str(), .value = "Other", .kind = DwordFlag,
       .onlyWhereRead = c.onlyWhereRead},
  };
  ReadTweaks(page, rows);
  page.Box(1).SetValue(1);
  SaveReport report = Write(rows);
  EXPECT_EQ(Value("V"), c.after);
  EXPECT_EQ(Value("Other"), "dword:1") << "the key's other rows are written";
  EXPECT_EQ(report.notSaved, c.named ? std::vector<std::string>{LoadResString(155)}
                                     : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Types, ValueOfAnotherType,
    testing::Values(
        TypeCase{"NumberAsText", DwordInverted, Str("1"), true, "sz:1", true},
        TypeCase{"NumberAsBinary", DwordFlag, RawValue(REG_BINARY, "\1\0\0\0"s), true, "binary:01000000", true},
        TypeCase{"NumberOfTwoBytes", DwordFlag, RawValue(REG_DWORD, "\1\0"s), true, "type4:0100", true},
        TypeCase{"TextAsNumber", StringValues, Num(1), true, "dword:1", true},
        TypeCase{"Number", DwordInverted, Num(1), true, "dword:1", false},
        TypeCase{"MissingNumber", DwordInverted, Absent(), true, "dword:0", false},
        TypeCase{"ExpandableText", StringValues, RawValue(REG_EXPAND_SZ, "1\0"s), true, "sz:1", false},
        TypeCase{"NotMarked", DwordInverted, Str("1"), false, "dword:0", false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- key toggle ------------------------------------------------------------------------

class KeyToggleTest : public EngineTest {
 protected:
  // Under HKLM\Software, whose 32-bit view is another key, so the view shows.
  ScopedTestKey machine{HKEY_LOCAL_MACHINE};
  std::string parent = machine.Sub("NameSpace");
  std::string a = parent + "\\{GUID}";
  std::string b = parent + "\\-{GUID}";
  TweakBinding row{.control = kBox0, .caption = 483, .root = HKLM, .key = parent.c_str(),
                   .value = "{GUID}", .kind = KeyToggle, .ticked = Sz("Administrative Tools")};
  bool Native(const std::string& p) { return RegKey(HKEY_LOCAL_MACHINE, p, kRead64).IsOpen(); }
  bool Wow(const std::string& p) {
    return RegKey(HKEY_LOCAL_MACHINE, p, KEY_QUERY_VALUE | KEY_WOW64_32KEY).IsOpen();
  }
  std::string Default(const std::string& p) { return DescribeRegValue(Get(HKEY_LOCAL_MACHINE, p, "")); }
};

TEST_F(KeyToggleTest, SwitchesBetweenTheSiblingsInTheMasksView) {
  ReadTweaks(page, std::span(&row, 1));
  EXPECT_EQ(page.Box(0).Value(), 0) << "neither subkey exists";

  EXPECT_TRUE(Write(std::span(&row, 1)).notSaved.empty());
  EXPECT_TRUE(Native(b));
  EXPECT_FALSE(Native(a));
  EXPECT_EQ(Default(b), "sz:Administrative Tools");
  EXPECT_FALSE(Wow(b)) << "the key went to the 32-bit view";

  page.Box(0).SetValue(1);
  EXPECT_TRUE(Write(std::span(&row, 1)).notSaved.empty());
  EXPECT_TRUE(Native(a));
  EXPECT_FALSE(Native(b));
  EXPECT_EQ(Default(a), "sz:Administrative Tools");
  EXPECT_FALSE(Wow(a));

  EngineForm reread;
  ReadTweaks(reread, std::span(&row, 1));
  EXPECT_EQ(reread.Box(0).Value(), 1);
  reread.Unload();
}

TEST_F(KeyToggleTest, ASiblingThatCannotBeDeletedIsReported) {
  ASSERT_TRUE(RegKey::Create(HKEY_LOCAL_MACHINE, a + "\\Child", KEY_WOW64_64KEY));
  SaveReport report = Write(std::span(&row, 1));  // clear: delete A, create -A
  EXPECT_TRUE(Native(a));
  EXPECT_TRUE(Native(b));
  EXPECT_EQ(report.notSaved, std::vector<std::string>{LoadResString(483)});
}

// ---- option rows -----------------------------------------------------------------------

constexpr Option kThree[] = {{{"Option1"}, 0}, {{"Option2"}, 1}, {{"Option3"}, 2}};
constexpr Option kPriority[] = {{{"Option1"}, 38}, {{"Option2"}, 24}};

struct OptionCase {
  const char* name;
  std::span<const Option> options;
  Stored stored;
  const char* selects;  // nullptr: none
};

class OptionGroupReading : public EngineTest, public testing::WithParamInterface<OptionCase> {};

TEST_P(OptionGroupReading, SelectsTheOptionOfTheValue) {
  const OptionCase& c = GetParam();
  Put(test.Root(), path, "V", c.stored);
  const TweakBinding rows[] = {{.control = {"Option1"}, .key = path.c_str(), .value = "V",
                                .kind = OptionGroup, .options = c.options}};
  ReadTweaks(page, rows);
  for (const char* name : {"Option1", "Option2", "Option3"})
    EXPECT_EQ(page.Opt(name).Value(), c.selects && std::string(c.selects) == name) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, OptionGroupReading,
    testing::Values(OptionCase{"MissingSelectsNumberZero", kThree, Absent(), "Option1"},
                    OptionCase{"Two", kThree, Num(2), "Option3"},
                    OptionCase{"NoSuchOption", kThree, Num(7), nullptr},
                    OptionCase{"MissingWithoutZero", kPriority, Absent(), nullptr},
                    OptionCase{"TwentyFour", kPriority, Num(24), "Option2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, OptionGroupWritesTheSelectedNumberAndNothingWithoutASelection) {
  const TweakBinding rows[] = {{.control = {"Option1"}, .key = path.c_str(), .value = "V",
                                .kind = OptionGroup, .options = kPriority}};
  Put(test.Root(), path, "V", Num(40));
  EXPECT_TRUE(Write(rows).notSaved.empty());
  EXPECT_EQ(Value("V"), "dword:40");
  page.Opt("Option2").SetValue(true);
  Write(rows);
  EXPECT_EQ(Value("V"), "dword:24");
}

TEST_F(EngineTest, OptionPairAlwaysSelectsOneAndWritesTheSelectedOptionsData) {
  const Part writes[] = {
      {HKCU, path.c_str(), "StartMode", Dword(1), Deleted},
      {HKCU, path.c_str(), "LastMode", Dword(1), Nothing},
  };
  const TweakBinding rows[] = {{.control = {"Option4"}, .other = {"Option5"}, .key = path.c_str(),
                                .value = "StartMode", .kind = OptionPair, .shown = EqualsOne,
                                .parts = writes}};
  ReadTweaks(page, rows);
  EXPECT_FALSE(page.Opt("Option4").Value());
  EXPECT_TRUE(page.Opt("Option5").Value()) << "a missing value selects the second option";

  page.Opt("Option4").SetValue(true);
  Write(rows);
  EXPECT_EQ(Value("StartMode"), "dword:1");
  EXPECT_EQ(Value("LastMode"), "dword:1");

  EngineForm reread;
  ReadTweaks(reread, rows);
  EXPECT_TRUE(reread.Opt("Option4").Value());
  reread.Opt("Option5").SetValue(true);
  SaveReport report;
  WriteTweaks(reread, rows, report);
  reread.Unload();
  EXPECT_EQ(Value("StartMode"), "missing");
  EXPECT_EQ(Value("LastMode"), "dword:1");
}

struct ServiceCase {
  const char* name;
  Stored start;
  bool keyExists;
  const char* selects;
};

class ServiceStartReading : public EngineTest, public testing::WithParamInterface<ServiceCase> {};

TEST_P(ServiceStartReading, SelectsEnableOrDisableOrNeither) {
  const ServiceCase& c = GetParam();
  const std::string driver = test.Sub("Services\\Cdrom");
  if (c.keyExists) Put(test.Root(), driver, "Start", c.start);
  const TweakBinding rows[] = {{.control = {"Option4"}, .other = {"Option5"}, .key = driver.c_str(),
                                .value = "Start", .kind = ServiceStart, .ticked = Dword(1)}};
  ReadTweaks(page, rows);
  EXPECT_EQ(page.Opt("Option4").Value(), c.selects && std::string(c.selects) == "Option4");
  EXPECT_EQ(page.Opt("Option5").Value(), c.selects && std::string(c.selects) == "Option5");
}

INSTANTIATE_TEST_SUITE_P(Values, ServiceStartReading,
                         testing::Values(ServiceCase{"Enable", Num(1), true, "Option4"},
                                         ServiceCase{"Disable", Num(4), true, "Option5"},
                                         ServiceCase{"OnDemandIsNeitherForCdrom", Num(3), true, nullptr},
                                         ServiceCase{"NoValue", Absent(), true, nullptr},
                                         ServiceCase{"NoKey", Absent(), false, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, ServiceStartWritesTheSelectedOptionAndNeverCreatesTheServiceKey) {
  const std::string usb = test.Sub("Services\\USBSTOR");
  const std::string floppy = test.Sub("Services\\Sfloppy");
  Put(test.Root(), usb, "Start", Num(3));
  const TweakBinding rows[] = {
      {.control = {"Option4"}, .other = {"Option5"}, .caption = 574, .key = usb.c_str(),
       .value = "Start", .kind = ServiceStart, .ticked = Dword(3)},
      {.control = {"Option1"}, .other = {"Option2"}, .caption = 252, .key = floppy.c_str(),
       .value = "Start", .kind = ServiceStart, .ticked = Dword(3)},
  };
  EXPECT_TRUE(Write(rows).notSaved.empty()) << "nothing selected, nothing to write";
  EXPECT_EQ(Value("Services\\USBSTOR", "Start"), "dword:3");

  page.Opt("Option5").SetValue(true);
  page.Opt("Option1").SetValue(true);
  SaveReport report = Write(rows);
  EXPECT_EQ(Value("Services\\USBSTOR", "Start"), "dword:4");
  EXPECT_FALSE(RegKey(test.Root(), floppy, kRead64));
  EXPECT_EQ(report.notSaved, std::vector<std::string>{LoadResString(252)});
}

// ---- text rows -------------------------------------------------------------------------

TEST_F(EngineTest, TextRowShowsTheTextReadAndWritesTheBoxText) {
  const TweakBinding rows[] = {
      {.control = {"Text1"}, .key = path.c_str(), .value = "Owner", .kind = TextValue},
      {.control = {"Text2"}, .key = path.c_str(), .value = "Company", .kind = TextValue},
  };
  Put(test.Root(), path, "Owner", Str(kLongText));
  ReadTweaks(page, rows);
  EXPECT_EQ(page.Text("Text1").Text(), kLongText) << "a long text is read whole";
  EXPECT_EQ(page.Text("Text2").Text(), "") << "a missing value empties the box";

  page.Text("Text1").SetText("");
  page.Text("Text2").SetText("Dallmoor");
  Write(rows);
  EXPECT_EQ(Value("Owner"), "sz:");
  EXPECT_EQ(Value("Company"), "sz:Dallmoor");
}

struct NumberCase {
  const char* name;
  Stored stored;
  bool ticked;
  const char* text;
};

class NumberRowReading : public EngineTest, public testing::WithParamInterface<NumberCase> {};

TEST_P(NumberRowReading, TicksAndShowsANumberAboveZero) {
  const NumberCase& c = GetParam();
  Put(test.Root(), path, "Cache", c.stored);
  const TweakBinding rows[] = {{.control = kBox0, .other = {"Text2"}, .key = path.c_str(),
                                .value = "Cache", .kind = TextValue}};
  ReadTweaks(page, rows);
  EXPECT_EQ(page.Box(0).Value(), c.ticked ? 1 : 0);
  EXPECT_EQ(page.Text("Text2").Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberRowReading,
                         testing::Values(NumberCase{"Positive", Num(512), true, "512"},
                                         NumberCase{"Zero", Num(0), false, ""},
                                         NumberCase{"Negative", Num(0xFFFFFFFF), false, ""},
                                         NumberCase{"Missing", Absent(), false, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct NumberWriteCase {
  const char* name;
  int box;
  const char* typed;
  const char* after;  // the value was 7 before
};

class NumberRowWriting : public EngineTest, public testing::WithParamInterface<NumberWriteCase> {};

TEST_P(NumberRowWriting, WritesTheTypedNumberWhileTicked) {
  const NumberWriteCase& c = GetParam();
  Put(test.Root(), path, "Cache", Num(7));
  const TweakBinding rows[] = {{.control = kBox0, .other = {"Text2"}, .key = path.c_str(),
                                .value = "Cache", .kind = TextValue}};
  page.Box(0).SetValue(c.box);
  page.Text("Text2").SetText(c.typed);
  EXPECT_TRUE(Write(rows).notSaved.empty());
  EXPECT_EQ(Value("Cache"), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberRowWriting,
    testing::Values(NumberWriteCase{"Number", 1, "1024", "dword:1024"},
                    NumberWriteCase{"Blanks", 1, " 256 ", "dword:256"},
                    NumberWriteCase{"Negative", 1, "-1", "dword:4294967295"},
                    NumberWriteCase{"HalfRoundsToEven", 1, "12.5", "dword:12"},
                    NumberWriteCase{"Empty", 1, "", "dword:7"},
                    NumberWriteCase{"NotANumber", 1, "abc", "dword:7"},
                    NumberWriteCase{"Comma", 1, "1,000", "dword:7"},
                    NumberWriteCase{"BeyondThirtyTwoBits", 1, "4294967296", "dword:7"},
                    NumberWriteCase{"Clear", 0, "1024", "dword:7"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- own actions, unconditional, button and unbound rows --------------------------------

std::vector<std::string> actions;
bool RecordAction(ui::Form&, bool ticked) {
  actions.push_back(ticked ? "on" : "off");
  return true;
}
bool RefuseAction(ui::Form&, bool ticked) {
  actions.push_back("refused");
  return false;
}

TEST_F(EngineTest, OwnKeyActionRunsItsActionAndRecordsTheStateInItsKeyCreatedWhenMissing) {
  actions.clear();
  const std::string settings = test.Sub("Dallmoor Software\\Quenvor");
  const TweakBinding rows[] = {{.control = kBox0, .key = settings.c_str(),
                                .value = "DisableRecycleBin", .kind = OwnKeyAction,
                                .action = RecordAction}};
  page.Box(0).SetValue(1);
  EXPECT_TRUE(Write(rows).notSaved.empty());
  EXPECT_EQ(actions, std::vector<std::string>{"on"});
  EXPECT_EQ(Value("Dallmoor Software\\Quenvor", "DisableRecycleBin"), "dword:1");

  EngineForm reread;
  ReadTweaks(reread, rows);
  EXPECT_EQ(reread.Box(0).Value(), 1);
  EXPECT_EQ(actions.size(), 1u) << "reading ran the action";
  reread.Unload();
}

TEST_F(EngineTest, AFailedActionLeavesOnlyItsOwnRowUnsaved) {
  actions.clear();
  Put(test.Root(), path, "Recycle", Num(1));
  const TweakBinding rows[] = {
      {.control = kBox0, .key = path.c_str(), .value = "First", .kind = DwordFlag},
      {.control = kBox1, .caption = 147, .key = path.c_str(), .value = "Recycle",
       .kind = OwnKeyAction, .action = RefuseAction},
      {.control = kBox2, .caption = 156, .key = path.c_str(), .value = "Last", .kind = DwordFlag},
  };
  SaveReport report = Write(rows);
  EXPECT_EQ(actions, std::vector<std::string>{"refused"});
  EXPECT_EQ(Value("First"), "dword:0");
  EXPECT_EQ(Value("Recycle"), "dword:1") << "the record of an action not carried out changed";
  EXPECT_EQ(Value("Last"), "dword:0") << "the writer stopped at the failed action";
  EXPECT_EQ(report.notSaved, std::vector<std::string>{LoadResString(147)});
}

TEST_F(EngineTest, UnconditionalButtonAndUnboundRows) {
  const TweakBinding rows[] = {
      {.root = HKCU, .key = path.c_str(), .value = "AutoEndTasks", .kind = UnconditionalWrite,
       .ticked = Sz("1")},
      {.control = kBox0, .key = path.c_str(), .value = "Button", .kind = ButtonWrite,
       .ticked = Dword(0), .clear = Deleted},
      {.control = kBox1, .key = path.c_str(), .value = "Unbound", .kind = Unbound},
  };
  Put(test.Root(), path, "Button", Num(5));
  Put(test.Root(), path, "Unbound", Num(1));
  page.Box(0).SetValue(1);
  Write(rows);
  ReadTweaks(page, rows);
  EXPECT_EQ(Value("AutoEndTasks"), "sz:1");
  EXPECT_EQ(Value("Button"), "dword:5") << "Save wrote a button row";
  EXPECT_EQ(Value("Unbound"), "dword:1");
  EXPECT_EQ(page.Box(1).Value(), 0) << "an unbound box was read";

  EXPECT_TRUE(WriteButtonRow(rows[1], false));
  EXPECT_EQ(Value("Button"), "dword:0");
  EXPECT_TRUE(WriteButtonRow(rows[1], true));
  EXPECT_EQ(Value("Button"), "missing");
}

TEST_F(EngineTest, AButtonCreatesAMissingPolicyKeyForEitherDataButNoOtherKey) {
  const std::string policy = test.Sub("Policies\\Main\\FeatureControl");
  const std::string browser = test.Sub("Main\\FeatureControl");
  const Part parts[] = {{HKCU, policy.c_str(), "(Reserved)", Sz("1"), Sz("0")},
                        {HKCU, policy.c_str(), "iexplore.exe", Sz("1"), Sz("0")}};
  const TweakBinding policyRow{.kind = ButtonWrite, .parts = parts};
  const TweakBinding browserRow{.key = browser.c_str(), .value = "Check", .kind = ButtonWrite,
                                .ticked = Dword(0), .clear = Dword(1)};

  EXPECT_TRUE(WriteButtonRow(policyRow, true));
  EXPECT_EQ(Value("Policies\\Main\\FeatureControl", "(Reserved)"), "sz:0");
  EXPECT_EQ(Value("Policies\\Main\\FeatureControl", "iexplore.exe"), "sz:0");
  std::vector<Part> failed;
  EXPECT_FALSE(WriteButtonRow(browserRow, false, &failed));
  EXPECT_FALSE(RegKey(test.Root(), browser, kRead64));
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(ValuePath(failed[0]), "HKEY_CURRENT_USER\\" + browser + "\\Check");
}

TEST_F(EngineTest, RowsOfAnotherBrowserVersionOrBitnessAreLeftAlone) {
  FakeSystemFacts facts;  // 64-bit Windows
  platform::Override<platform::SystemFacts> useFacts(facts);
  IEMajorVersion = 8;
  const TweakBinding rows[] = {
      {.control = kBox0, .key = path.c_str(), .value = "Enabled", .kind = DwordFlag,
       .when = {.ie = IeTest::Equals, .version = 7}},
      {.control = kBox0, .key = path.c_str(), .value = "EnabledV8", .kind = DwordFlag,
       .when = {.ie = IeTest::NotEquals, .version = 7}},
      {.control = kBox0, .key = path.c_str(), .value = "Icons32", .kind = DwordFlag,
       .when = {.bits = Bits::Only32}},
      {.control = kBox0, .key = path.c_str(), .value = "Import64", .kind = DwordFlag,
       .when = {.bits = Bits::Only64}},
  };
  Put(test.Root(), path, "Enabled", Num(1));
  ReadTweaks(page, rows);
  EXPECT_EQ(page.Box(0).Value(), 0) << "a version-7 row was read";
  page.Box(0).SetValue(1);
  Write(rows);
  EXPECT_EQ(Value("Enabled"), "dword:1");
  EXPECT_EQ(Value("EnabledV8"), "dword:1");
  EXPECT_EQ(Value("Icons32"), "missing");
  EXPECT_EQ(Value("Import64"), "dword:1");
}

// ---- confirmation questions ------------------------------------------------------------

int32_t SmallMemory() { return 510; }

constexpr Confirmation kQuestion{.text = 627, .title = 706};
constexpr Confirmation kFigureQuestion{.text = 524, .title = 707, .figure = SmallMemory,
                                       .textAfter = 291,
                                       .askWhen = [](int32_t mb) { return mb < 512; }};
constexpr Confirmation kNeverAsked{.text = 524, .title = 707, .figure = SmallMemory,
                                   .textAfter = 291,
                                   .askWhen = [](int32_t mb) { return mb < 500; }};

struct QuestionCase {
  const char* name;
  int box;
  const Confirmation* question;
  int answer;  // 0: no question expected
  bool autoTune;
  const char* after;
  int boxAfter;
};

class Confirmations : public EngineTest, public testing::WithParamInterface<QuestionCase> {};

TEST_P(Confirmations, YesKeepsTheBoxNoClearsItAndItsClearStateIsWritten) {
  const QuestionCase& c = GetParam();
  AutoTuneMode = c.autoTune;
  const TweakBinding rows[] = {{.control = kBox0, .key = path.c_str(), .value = "V",
                                .kind = DwordFlag, .confirm = c.question}};
  page.Box(0).SetValue(c.box);
  if (c.answer) dialogs.AnswerMessageBox(c.answer);
  Write(rows);
  EXPECT_EQ(Value("V"), c.after);
  EXPECT_EQ(page.Box(0).Value(), c.boxAfter);
  if (!c.answer) return;
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  const auto box = dialogs.MessageBoxes()[0];
  EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_TRUE(box.coloured);
  const Confirmation& q = *c.question;
  EXPECT_EQ(box.title, LoadResString(q.title));
  EXPECT_EQ(box.text, q.figure ? LoadResString(q.text) + "510" + LoadResString(q.textAfter)
                               : LoadResString(q.text));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Confirmations,
    testing::Values(QuestionCase{"Yes", 1, &kQuestion, IDYES, false, "dword:1", 1},
                    QuestionCase{"No", 1, &kQuestion, IDNO, false, "dword:0", 0},
                    QuestionCase{"NotAskedWhenClear", 0, &kQuestion, 0, false, "dword:0", 0},
                    QuestionCase{"NotAskedWhenGrey", 2, &kQuestion, 0, false, "dword:0", 2},
                    QuestionCase{"AskedInAutoTuneMode", 1, &kQuestion, IDNO, true, "dword:0", 0},
                    QuestionCase{"FigureJoinedWithoutBlanks", 1, &kFigureQuestion, IDYES, false, "dword:1", 1},
                    QuestionCase{"ConditionFalse", 1, &kNeverAsked, 0, false, "dword:1", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Save sequences --------------------------------------------------------------------

struct SaveCase {
  const char* name;
  bool keyMissing;
  bool autoTune;
  bool quiet;
  const char* message;  // "ours", "page" or "none"
};

class SaveSequences : public EngineTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(SaveSequences, TheMessageNeverClaimsSuccessForSettingsThatWereNotSaved) {
  const SaveCase& c = GetParam();
  AutoTuneMode = c.autoTune;
  const std::string missing = test.Sub("Missing");
  const std::string target = c.keyMissing ? missing : path;
  const TweakBinding first[] = {
      {.control = kBox0, .caption = 112, .key = path.c_str(), .value = "A", .kind = DwordFlag}};
  const TweakBinding second[] = {
      {.control = kBox1, .caption = 113, .key = target.c_str(), .value = "B", .kind = DwordFlag},
      {.control = kBox2, .caption = 59, .key = target.c_str(), .value = "C", .kind = DwordFlag}};
  const SaveStep steps[] = {{Step::SetRestartNeeded}, {Step::Write, first}, {Step::Write, second},
                            {Step::Message}};
  const TweakSave save{.steps = steps, .message = 351, .quietInAutoTune = c.quiet};
  if (std::string(c.message) != "none") dialogs.AnswerMessageBox(IDOK);

  RunSave(page, save);

  EXPECT_TRUE(RestartNeeded);
  EXPECT_EQ(Value("A"), "dword:0") << "the writers after a failing one still run";
  const auto boxes = dialogs.MessageBoxes();
  if (std::string(c.message) == "none") {
    EXPECT_TRUE(boxes.empty());
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].coloured);
  EXPECT_EQ(boxes[0].title, kAppTitle);
  if (std::string(c.message) == "page") {
    EXPECT_EQ(boxes[0].text, LoadResString(351));
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  } else {
    EXPECT_EQ(boxes[0].text, "These settings could not be saved to the registry:\r\n\r\n" +
                                 LoadResString(113) + "\r\n" + LoadResString(59));
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveSequences,
    testing::Values(SaveCase{"AllWritten", false, false, true, "page"},
                    SaveCase{"KeyMissing", true, false, true, "ours"},
                    SaveCase{"QuietInAutoTune", false, true, true, "none"},
                    SaveCase{"QuietInAutoTuneEvenWhenNotSaved", true, true, true, "none"},
                    SaveCase{"OtherPagesIgnoreAutoTune", false, true, false, "page"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, SaveThatUnloadsThePageAfterItsMessage) {
  const TweakBinding rows[] = {{.control = kBox0, .key = path.c_str(), .value = "A", .kind = DwordFlag}};
  const SaveStep steps[] = {{Step::Write, rows}, {Step::SetRestartNeeded}, {Step::Message},
                            {Step::Unload}};
  const TweakSave save{.steps = steps, .messageFor = [] { return 183; }};
  page.Show();
  dialogs.AnswerMessageBox(IDOK);
  RunSave(page, save);
  EXPECT_FALSE(page.Loaded());
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  EXPECT_EQ(dialogs.MessageBoxes()[0].text, LoadResString(183));
}

// ---- presets ---------------------------------------------------------------------------

bool memoryLarge = false;

TEST_F(EngineTest, PresetClearsTicksSelectsAndFills) {
  static constexpr ControlRef clear[] = {{"Check1", 0}, {"Check1", 1}, {"Option2"}, {"Check9", 4}};
  static constexpr ControlRef tick[] = {{"Check1", 1}, {"Check1", 7}};
  static constexpr ControlRef select[] = {{"Option1"}};
  static constexpr TextFill fill[] = {{{"Text2"}, [](ui::Form&) { return std::string("256"); }}};
  static constexpr ConditionalTick when[] = {{{"Check1", 2}, [] { return memoryLarge; }}};
  static constexpr TweakPreset preset{.clear = clear, .tick = tick, .select = select,
                                      .fill = fill, .tickWhen = when};
  for (bool large : {false, true}) {
    SCOPED_TRACE(large ? "large" : "small");
    memoryLarge = large;
    page.Box(0).SetValue(1);
    page.Box(2).SetValue(0);
    page.Opt("Option2").SetValue(true);
    ApplyPreset(page, preset);
    EXPECT_EQ(page.Box(0).Value(), 0);
    EXPECT_EQ(page.Box(1).Value(), 1);
    EXPECT_EQ(page.Box(2).Value(), large ? 1 : 0);
    EXPECT_TRUE(page.Opt("Option1").Value());
    EXPECT_FALSE(page.Opt("Option2").Value());
    EXPECT_EQ(page.Text("Text2").Text(), "256");
  }
}

TEST(NumericText, AcceptsPlainDecimalNumbersOnly) {
  EXPECT_EQ(NumericText("10000"), 10000.0);
  EXPECT_EQ(NumericText(" -2.5 "), -2.5);
  EXPECT_EQ(NumericText("1e3"), 1000.0);
  for (const char* bad : {"", "  ", "10,000", "12a", "+", ".", "1e", "0x10", "1 2"})
    EXPECT_FALSE(NumericText(bad).has_value()) << "'" << bad << "'";
}

TEST(PolicyPaths, AnyLetterCaseOfAPoliciesComponent) {
  EXPECT_TRUE(IsPolicyPath("Software\\Policies\\Microsoft\\Messenger\\Client"));
  EXPECT_TRUE(IsPolicyPath("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer"));
  EXPECT_TRUE(IsPolicyPath("Policies\\System"));
  EXPECT_FALSE(IsPolicyPath("Software\\PoliciesX\\Y"));
  EXPECT_FALSE(IsPolicyPath("SYSTEM\\CurrentControlSet\\Services\\USBSTOR"));
}

}  // namespace
