#pragma once
// The tweak-page engine. A check-box page binds its boxes, option buttons and text boxes to
// registry data with rows (TweakBinding), declared as compile-time tables in the order in
// which its writers handle them; one engine reads them when the page loads, writes them when
// the page is saved, and applies the page's presets.
//
//   constexpr TweakBinding kFileSystemRows[] = {
//       {.control = {"Check1", 0}, .caption = 112, .root = HKLM, .key = kFileSystemKey,
//        .value = "NtfsDisableLastAccessUpdate", .kind = DwordFlag},
//       ...
//   };
//
// What a row writes when ticked and when clear, and when it shows ticked, follow from its
// kind; a row states them only where it differs (.ticked, .clear, .shown).
//
// Keys. Consecutive rows (and parts of a row) under the same root and path share one open
// of the key: RegReadAccess for reading, RegWriteAccess for writing. Keys are never
// created, with three exceptions, all in the view that the masks select:
// - a KeyToggle row creates the subkey it stands for;
// - an OwnKeyAction row creates the key of its record (the program's own settings key);
// - a policy key (a path with a "Policies" component) is absent until a policy is set, and
//   absence is Windows' "not configured". A missing policy key is created only for a row
//   whose choice needs a value in it: a row whose state differs from what it shows when
//   its values are missing (a box ticked, an inverted box cleared, an option other than
//   the one a missing value selects, a text typed), and a ButtonWrite row's button. Until
//   the Save ends, a key it had to create (any writer of the Save, the key a row needed or
//   a missing key above it created on the way) receives only such values: the other rows
//   write nothing there and are not reported as unsaved.
// A row whose key the page's reader could not open (it exists, but reading was refused) is
// not written: the page shows a guess for it. It is named among the settings not saved.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "ui/form.h"

namespace tweaks {

enum class Root : uint8_t { HKCU, HKLM, HKCR };
inline constexpr Root HKCU = Root::HKCU;
inline constexpr Root HKLM = Root::HKLM;
inline constexpr Root HKCR = Root::HKCR;
HKEY RootKey(Root root);

// A control of the page: a single control (index -1) or an element of a control array.
struct ControlRef {
  const char* name = nullptr;  // nullptr: no control
  int index = -1;
  constexpr explicit operator bool() const { return name != nullptr; }
};

// Row kinds: what a row writes when its box is ticked and when it is clear, and how it is
// read. A box counts as ticked only when its value is 1; clear and grey take the clear
// branch.
enum class Kind : uint8_t {
  DwordFlag,          // 1 / 0; ticked when not 0 (or .shown)
  DwordFlagOrDelete,  // 1 / value deleted; ticked when not 0 (or .shown)
  DwordValues,        // .ticked / .clear numbers; ticked when the value equals .ticked
  DwordInverted,      // 0 / 1; ticked when not 1 (or EqualsZero)
  StringValues,       // .ticked / .clear texts (REG_SZ); ticked when the text equals .ticked
  StringOrDelete,     // .ticked text / value deleted; ticked when the text equals .ticked
  MultiValue,         // .parts, each with its own key, value and data, in order; ticked when
                      // every part that has a .shown test holds
  KeyToggle,          // .key\.value (A) and its sibling "-A": ticked deletes -A and creates A,
                      // clear the reverse; the created key's default value becomes the text
                      // of .ticked; ticked when A opens with RegWriteAccess
  OptionGroup,        // .options: the selected option's number into one REG_DWORD; reading
                      // selects the option whose number equals the value (missing reads 0)
  OptionPair,         // .control / .other options with .ticked / .clear data (or .parts);
                      // reading selects .control when .shown holds, else .other
  ServiceStart,       // .control enable option writes .ticked, .other disable option writes
                      // .clear (4); reading selects the option whose number the value equals
  TextValue,          // text row: .control is the text box, its text as REG_SZ on every
                      // Save, the text read shown in it. Number row (.other = the text box):
                      // while .control is ticked, the text as a 32-bit number; ticked and the
                      // number shown when the value is greater than 0
  OwnKeyAction,       // .action(page, ticked), then .value = 1 or 0 in .root\.key (the key
                      // created when missing); ticked when that value is 1
  ButtonWrite,        // not read and not saved: WriteButtonRow writes .ticked (the button) or
                      // .clear (its partner) data, or the .parts
  UnconditionalWrite, // .ticked written on every Save, whatever the boxes; not read
  Unbound,            // nothing
};
using enum Kind;

// Read tests.
enum class Test : uint8_t {
  ByKind,           // the kind's own test (for parts: not part of the test)
  NotZero,
  EqualsOne,
  GreaterThanZero,  // as a signed 32-bit number
  NotOne,
  EqualsZero,
  Equals,           // .number
  TextEquals,       // .text, exactly (case counts); a missing value never matches
};
struct Check {
  Test test = Test::ByKind;
  DWORD number = 0;
  const char* text = nullptr;
};
inline constexpr Check NotZero{Test::NotZero};
inline constexpr Check EqualsOne{Test::EqualsOne};
inline constexpr Check GreaterThanZero{Test::GreaterThanZero};
inline constexpr Check NotOne{Test::NotOne};
inline constexpr Check EqualsZero{Test::EqualsZero};
constexpr Check Equals(DWORD number) { return {Test::Equals, number}; }
constexpr Check TextIs(const char* text) { return {Test::TextEquals, 0, text}; }

// What one branch of a row does to its value.
enum class Op : uint8_t { ByKind, Nothing, Dword, String, Binary, Delete };
struct Data {
  Op op = Op::ByKind;
  DWORD number = 0;
  const char* text = nullptr;
  std::span<const BYTE> bytes{};
};
constexpr Data Dword(DWORD number) { return {Op::Dword, number}; }
constexpr Data Sz(const char* text) { return {Op::String, 0, text}; }
constexpr Data Binary(std::span<const BYTE> bytes) { return {Op::Binary, 0, nullptr, bytes}; }
inline constexpr Data Deleted{Op::Delete};
inline constexpr Data Nothing{Op::Nothing};

// One value of a MultiValue, OptionPair or ButtonWrite row.
struct Part {
  Root root = Root::HKCU;
  const char* key = "";
  const char* value = "";
  Data ticked{};
  Data clear{};
  Check shown{};  // ByKind: the part takes no part in the read test
};

// One option button of an OptionGroup row and the number it stands for.
struct Option {
  ControlRef control{};
  DWORD number = 0;
};

// When a row exists at all (rows that do not apply are neither read nor written).
enum class IeTest : uint8_t { Any, Equals, NotEquals, AtLeast };
enum class Bits : uint8_t { Any, Only64, Only32 };
struct Condition {
  IeTest ie = IeTest::Any;
  int16_t version = 0;  // compared with IEMajorVersion
  Bits bits = Bits::Any;  // Is64BitWindows
};

// A question asked by the row's writer, before it opens any key, while the row's box is
// ticked and askWhen (if any) holds: Yes keeps the box ticked, No clears it so that the
// clear branch is written. The text is the string `text`, then (when `figure` is given) the
// figure in decimal and the string `textAfter`, joined without blanks.
struct Confirmation {
  int text = 0;
  int title = 0;
  int32_t (*figure)() = nullptr;
  int textAfter = 0;
  bool (*askWhen)(int32_t figure) = nullptr;
};

// The action of an OwnKeyAction row. False: the action could not be carried out, so the
// row is not saved (its record is not written, and Save names it); the writer goes on with
// its next row.
using RowAction = bool (*)(ui::Form& page, bool ticked);

struct TweakBinding {
  ControlRef control{};  // check box, option button, or text box
  ControlRef other{};    // the second option of a pair; the text box of a number row
  int caption = 0;       // string id of the control's caption: names the row in messages
  Root root = Root::HKCU;
  const char* key = "";
  const char* value = "";  // "" is the key's default value
  Kind kind = Kind::Unbound;
  Data ticked{};
  Data clear{};
  Check shown{};
  std::span<const Part> parts{};
  std::span<const Option> options{};
  const Confirmation* confirm = nullptr;
  Condition when{};
  RowAction action = nullptr;
  // Written only where the page's read found the setting: its key opened (a key missing
  // then is neither written nor created) and each value it reads was missing or of the
  // type the row reads (a 4-byte REG_DWORD, or REG_SZ / REG_EXPAND_SZ for a text). (A key
  // that exists but could not be read is never written, whatever this flag says.)
  bool onlyWhereRead = false;
};

// A preset button: clears its boxes (and unselects its options), measures what it needs,
// ticks its boxes, selects its options, fills its text boxes and ticks its conditional
// boxes. It writes nothing. Controls the page lacks are skipped.
struct ConditionalTick {
  ControlRef box{};
  bool (*when)() = nullptr;
};
struct TextFill {
  ControlRef textBox{};
  std::string (*text)(ui::Form& page) = nullptr;
};
struct TweakPreset {
  std::span<const ControlRef> clear{};
  std::span<const ControlRef> tick{};
  std::span<const ControlRef> select{};
  std::span<const TextFill> fill{};
  std::span<const ConditionalTick> tickWhen{};
};

// A Save button: its steps in order. The message step shows the page's message (black on
// MsgBoxShade, OK, information icon, application title), or, when a row could not be
// written, a message that names the settings that were not saved.
enum class Step : uint8_t { SetRestartNeeded, Write, Message, Unload };
struct SaveStep {
  Step step = Step::Write;
  std::span<const TweakBinding> rows{};  // Step::Write: the writer's rows
};
struct TweakSave {
  std::span<const SaveStep> steps{};
  int message = 0;                 // string id of the message
  int (*messageFor)() = nullptr;   // or the string id chosen when Save runs
  bool quietInAutoTune = false;    // no message at all while AutoTuneMode is set
};

// What one Save carries from writer to writer: the names (captions) of the settings that it
// could not write, in order, and the keys that it created for a policy (with the missing
// keys above them created on the way), which receive only the values that the choices need
// until the Save ends.
struct SaveReport {
  std::vector<std::string> notSaved;
  std::set<std::string> createdKeys;  // "<root number>\<path>", lower case
  void Add(const std::string& name);
};

// True for a key path with a "Policies" component (any letter case).
bool IsPolicyPath(const std::string& path);

// A typed number: optional blanks around an optional sign, digits with an optional decimal
// point and an optional exponent. Nothing for an empty text or any other text.
std::optional<double> NumericText(const std::string& text);

// A key that a reader could not open, and why; or (`value` given) a value of a row marked
// onlyWhereRead that is stored with a type the row does not read.
struct KeyNotRead {
  Root root = Root::HKCU;
  std::string path;
  LONG error = ERROR_SUCCESS;  // ERROR_FILE_NOT_FOUND: missing; else it exists, unreadable;
                               // ERROR_DATATYPE_MISMATCH for a value of another type
  std::string value;           // the value's name; empty for the key itself
  bool Missing() const;
};

// Reads the rows into the page's controls: ticks boxes, selects options, fills text boxes.
// Never clears a box and never writes. Returns the keys it could not open and the values of
// another type found for rows marked onlyWhereRead. The page keeps them until its next read
// of the same key, and its writers leave their rows alone: what the page shows for them is
// a guess, not the setting.
std::vector<KeyNotRead> ReadTweaks(ui::Form& page, std::span<const TweakBinding> rows);

// A writer: asks the rows' confirmation questions, then writes every row from the page's
// controls, except rows whose key could not be read (see ReadTweaks). What could not be
// written is added to `report`.
void WriteTweaks(ui::Form& page, std::span<const TweakBinding> rows, SaveReport& report);

// A ButtonWrite row: the button's data (partner false) or its partner's. True when all of
// it was written (or the row does not apply); the values that were not are added to
// `failed` when it is given.
bool WriteButtonRow(const TweakBinding& row, bool partner, std::vector<Part>* failed = nullptr);

// The full name of a value: "HKEY_LOCAL_MACHINE\<key>\<value>".
std::string ValuePath(const Part& part);

void ApplyPreset(ui::Form& page, const TweakPreset& preset);

// Runs a Save button's steps.
void RunSave(ui::Form& page, const TweakSave& save);

// The message that a Save shows instead of its own when settings were not saved.
std::string NotSavedMessage(const SaveReport& report);

}  // namespace tweaks
