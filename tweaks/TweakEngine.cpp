#include "tweaks/TweakEngine.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "platform/registry.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/ColouredMessageBox.h"

namespace tweaks {
namespace {

using platform::RegKey;

template <class T>
T* ControlOf(ui::Form& page, ControlRef ref) {
  if (!ref) return nullptr;
  return dynamic_cast<T*>(page.Find(ref.name, ref.index));
}

bool Ticked(ui::Form& page, ControlRef ref) {
  auto* box = ControlOf<ui::CheckBox>(page, ref);
  return box && box->Value() == 1;
}

bool Selected(ui::Form& page, ControlRef ref) {
  auto* option = ControlOf<ui::OptionButton>(page, ref);
  return option && option->Value();
}

void Tick(ui::Form& page, ControlRef ref) {
  if (auto* box = ControlOf<ui::CheckBox>(page, ref)) box->SetValue(1);
}

void Select(ui::Form& page, ControlRef ref) {
  if (auto* option = ControlOf<ui::OptionButton>(page, ref)) option->SetValue(true);
}

// Whether the page has the row's control at all: a row whose control is missing is skipped.
bool HasControl(ui::Form& page, ControlRef ref) { return ref && page.Find(ref.name, ref.index); }

bool Applies(const Condition& when) {
  switch (when.ie) {
    case IeTest::Any: break;
    case IeTest::Equals: if (IEMajorVersion != when.version) return false; break;
    case IeTest::NotEquals: if (IEMajorVersion == when.version) return false; break;
    case IeTest::AtLeast: if (IEMajorVersion < when.version) return false; break;
  }
  switch (when.bits) {
    case Bits::Any: return true;
    case Bits::Only64: return Is64BitWindows();
    case Bits::Only32: return !Is64BitWindows();
  }
  return true;
}

// ---- what a kind means --------------------------------------------------------------

Data TickedData(const TweakBinding& row) {
  if (row.ticked.op != Op::ByKind) return row.ticked;
  switch (row.kind) {
    case DwordFlag: case DwordFlagOrDelete: return Dword(1);
    case DwordInverted: return Dword(0);
    default: return Nothing;
  }
}

Data ClearData(const TweakBinding& row) {
  if (row.clear.op != Op::ByKind) return row.clear;
  switch (row.kind) {
    case DwordFlag: case DwordInverted: return Dword(row.kind == DwordFlag ? 0 : 1);
    case DwordFlagOrDelete: case StringOrDelete: return Deleted;
    case ServiceStart: return Dword(4);
    default: return Nothing;
  }
}

Check ShownCheck(const TweakBinding& row) {
  if (row.shown.test != Test::ByKind) return row.shown;
  switch (row.kind) {
    case DwordFlag: case DwordFlagOrDelete: return NotZero;
    case DwordInverted: return NotOne;
    case DwordValues: return Equals(TickedData(row).number);
    case StringValues: case StringOrDelete: return TextIs(TickedData(row).text);
    case OwnKeyAction: return EqualsOne;
    case TextValue: return GreaterThanZero;
    default: return {};
  }
}

// The values a row writes: its parts, or the one value the row names itself.
std::vector<Part> PartsOf(const TweakBinding& row) {
  if (!row.parts.empty()) return {row.parts.begin(), row.parts.end()};
  return {Part{row.root, row.key, row.value, TickedData(row), ClearData(row), ShownCheck(row)}};
}

std::string RowName(const TweakBinding& row) {
  std::string name = row.caption ? LoadResString(row.caption) : std::string();
  if (name.empty()) name = *row.value ? row.value : row.key;
  // A caption shows "&&" as one ampersand.
  for (size_t at = name.find("&&"); at != std::string::npos; at = name.find("&&", at + 1))
    name.erase(at, 1);
  return name;
}

// ---- keys -----------------------------------------------------------------------------

// The key of the current group: consecutive operations under the same root and path share
// one open. For writing, a policy key that is missing is created only for a value that the
// user's choice needs; a value that is not needed is left out of a key that the Save
// created, also once a needed one has created it, in this writer or an earlier one of the
// Save, and also when the Save created it as a key above the one it needed.
class GroupKey {
 public:
  // `created`: the keys the Save created so far (nullptr: the group's own list).
  GroupKey(bool write, std::vector<KeyNotRead>* reads = nullptr,
           std::set<std::string>* created = nullptr)
      : write_(write), reads_(reads), made_(created ? created : &own_) {}

  RegKey& Get(Root root, const std::string& path) {
    if (!open_ || root != root_ || path != path_) {
      key_ = RegKey(RootKey(root), path, write_ ? RegWriteAccess : RegReadAccess);
      root_ = root;
      path_ = path;
      open_ = true;
      missingPolicy_ = write_ && !key_ && key_.OpenError() == ERROR_FILE_NOT_FOUND &&
                       IsPolicyPath(path);
      madeHere_ = key_ && made_->count(Name(root, path)) != 0;
      if (reads_) reads_->push_back({root, path, key_.OpenError(), ""});
    }
    return key_;
  }

  // The key to set a value in, or nullptr when the value is to be left out.
  RegKey* ToSet(Root root, const std::string& path, bool needed) {
    RegKey& key = Get(root, path);
    if (missingPolicy_) {
      if (!needed) return nullptr;
      const std::vector<std::string> above = MissingAbove(root, path);
      key_ = RegKey::Create(RootKey(root), path, RegWriteAccess);
      missingPolicy_ = false;
      if (key_) {
        made_->insert(Name(root, path));
        for (const std::string& missing : above) made_->insert(Name(root, missing));
        madeHere_ = true;
      }
      return &key_;
    }
    if (madeHere_ && !needed) return nullptr;
    return &key;
  }

  // Ends the group: the next Get opens its key again.
  void Close() {
    key_ = RegKey();
    open_ = false;
  }

 private:
  static std::string Name(Root root, std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    std::string name = std::to_string(static_cast<int>(root)) + "\\" + path;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
  }

  // The keys above root\path, nearest first, that are missing in the view of the masks: the
  // create makes them too.
  static std::vector<std::string> MissingAbove(Root root, std::string path) {
    std::vector<std::string> missing;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    for (size_t cut = path.rfind('\\'); cut != std::string::npos && cut > 0;
         cut = path.rfind('\\')) {
      path.resize(cut);
      RegKey above(RootKey(root), path, KEY_QUERY_VALUE | platform::RegistryView(RegWriteAccess));
      if (above || above.OpenError() != ERROR_FILE_NOT_FOUND) break;
      missing.push_back(path);
    }
    return missing;
  }

  bool write_;
  std::vector<KeyNotRead>* reads_;  // every open of a reader, with its outcome
  bool open_ = false;
  bool missingPolicy_ = false;  // the open key is a policy key that does not exist
  bool madeHere_ = false;       // the open key is one that the Save created
  Root root_ = Root::HKCU;
  std::string path_;
  RegKey key_;
  std::set<std::string> own_;
  std::set<std::string>* made_;
};

// A text value of any length, up to its first NUL; nothing when the key or value is missing
// or holds another type.
std::optional<std::string> ReadText(const RegKey& key, const char* value) {
  auto stored = key.Read(value);
  if (!stored || (stored->type != REG_SZ && stored->type != REG_EXPAND_SZ)) return std::nullopt;
  const auto& bytes = stored->data;
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  size_t length = nul ? static_cast<const BYTE*>(nul) - bytes.data() : bytes.size();
  return std::string(reinterpret_cast<const char*>(bytes.data()), length);
}

bool Holds(const Check& check, const RegKey& key, const char* value) {
  if (check.test == Test::TextEquals) {
    auto text = ReadText(key, value);
    return text && check.text && *text == check.text;
  }
  const DWORD number = key.ReadDword(value, 0);  // missing, or longer than 4 bytes: 0
  switch (check.test) {
    case Test::NotZero: return number != 0;
    case Test::EqualsOne: return number == 1;
    case Test::GreaterThanZero: return static_cast<int32_t>(number) > 0;
    case Test::NotOne: return number != 1;
    case Test::EqualsZero: return number == 0;
    case Test::Equals: return number == check.number;
    default: return false;
  }
}

// Applies one branch's data to a value; `needed` when the user's choice needs the value
// (see GroupKey). False when it could not be done; deleting a value that is not there (or
// whose key is not there) succeeds, and so does leaving out a value that is not needed.
bool Apply(GroupKey& group, Root root, const char* path, const char* value, const Data& data,
           bool needed) {
  switch (data.op) {
    case Op::ByKind:
    case Op::Nothing:
      return true;
    case Op::Delete: {
      RegKey& key = group.Get(root, path);
      if (!key) return key.OpenError() == ERROR_FILE_NOT_FOUND;
      LONG rc = RegDeleteValueA(key.Handle(), value);
      return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    case Op::Dword: case Op::String: case Op::Binary:
      break;
  }
  RegKey* key = group.ToSet(root, path, needed);
  if (!key) return true;
  switch (data.op) {
    case Op::Dword: return key->WriteDword(value, data.number);
    case Op::String: return key->WriteString(value, data.text ? data.text : "");
    case Op::Binary:
      return key->WriteBinary(value, std::vector<BYTE>(data.bytes.begin(), data.bytes.end()));
    default: return true;
  }
}

bool ApplyParts(GroupKey& group, const std::vector<Part>& parts, bool ticked, bool needed) {
  bool ok = true;
  for (const Part& part : parts)
    ok = Apply(group, part.root, part.key, part.value, ticked ? part.ticked : part.clear,
               needed) && ok;
  return ok;
}

// What a read test gives for a missing value (a number reads 0, a text never matches).
bool HoldsWhenMissing(const Check& check) {
  switch (check.test) {
    case Test::NotZero: case Test::EqualsOne: case Test::GreaterThanZero: return false;
    case Test::NotOne: case Test::EqualsZero: return true;
    case Test::Equals: return check.number == 0;
    default: return false;
  }
}

// Whether a check-box row shows ticked when its values are missing.
bool TickedWhenMissing(const TweakBinding& row) {
  if (row.kind != MultiValue) return HoldsWhenMissing(ShownCheck(row));
  bool any = false, all = true;
  for (const Part& part : row.parts) {
    if (part.shown.test == Test::ByKind) continue;
    any = true;
    all = HoldsWhenMissing(part.shown) && all;
  }
  return any && all;
}

// The key toggle: delete one sibling, create the other and set its default value.
bool WriteKeyToggle(const TweakBinding& row, bool ticked) {
  const std::string a = std::string(row.key) + "\\" + row.value;
  const std::string b = std::string(row.key) + "\\-" + row.value;
  const std::string& gone = ticked ? b : a;
  const std::string& made = ticked ? a : b;
  HKEY root = RootKey(row.root);
  LONG deleted = RegKey::DeleteKey(root, gone, RegWriteAccess);
  bool ok = deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
  RegKey::Create(root, made, RegWriteAccess);
  RegKey key(root, made, RegWriteAccess);
  const Data text = TickedData(row);
  return key.WriteString("", text.text ? text.text : "") && ok;
}

// ---- keys a page could not read ----------------------------------------------------------

bool SameKey(const KeyNotRead& a, Root root, const std::string& path) {
  return a.root == root && _stricmp(a.path.c_str(), path.c_str()) == 0;
}

// Per page, the keys its readers could not open the last time they read them.
std::map<const ui::Form*, std::vector<KeyNotRead>>& NotRead() {
  static std::map<const ui::Form*, std::vector<KeyNotRead>> pages;
  return pages;
}

// A value that decides what a row shows, and whether it is read as a text or a number.
struct ValueRead {
  Root root;
  const char* key;
  const char* value;
  bool text;
};

std::vector<ValueRead> ValuesReadFor(const TweakBinding& row) {
  const auto isText = [](const Check& check) { return check.test == Test::TextEquals; };
  switch (row.kind) {
    case MultiValue: {
      std::vector<ValueRead> values;
      for (const Part& part : row.parts)
        if (part.shown.test != Test::ByKind)
          values.push_back({part.root, part.key, part.value, isText(part.shown)});
      return values;
    }
    case KeyToggle: case ButtonWrite: case UnconditionalWrite: case Unbound:
      return {};
    case OptionGroup: case ServiceStart:
      return {{row.root, row.key, row.value, false}};
    case OptionPair:
      return {{row.root, row.key, row.value, isText(row.shown)}};
    case TextValue:
      return {{row.root, row.key, row.value, !row.other}};
    default:
      return {{row.root, row.key, row.value, isText(ShownCheck(row))}};
  }
}

// Whether a value is stored with a type its row cannot read (a missing value can be read).
bool OfAnotherType(const RegKey& key, const ValueRead& read) {
  const auto stored = key.Read(read.value);
  if (!stored) return false;
  if (read.text) return stored->type != REG_SZ && stored->type != REG_EXPAND_SZ;
  return stored->type != REG_DWORD || stored->data.size() != sizeof(DWORD);
}

// Whether the row is left unwritten because what the page shows for it was not read.
bool Unseen(const ui::Form& page, const TweakBinding& row) {
  auto found = NotRead().find(&page);
  if (found == NotRead().end()) return false;
  for (const ValueRead& read : ValuesReadFor(row)) {
    for (const KeyNotRead& key : found->second) {
      if (!SameKey(key, read.root, read.key)) continue;
      if (key.value.empty() ? row.onlyWhereRead || !key.Missing()
                            : _stricmp(key.value.c_str(), read.value) == 0)
        return true;
    }
  }
  return false;
}

void ReadRow(ui::Form& page, const TweakBinding& row, GroupKey& group) {
  switch (row.kind) {
    case DwordFlag: case DwordFlagOrDelete: case DwordValues: case DwordInverted:
    case StringValues: case StringOrDelete: case OwnKeyAction: {
      if (Holds(ShownCheck(row), group.Get(row.root, row.key), row.value))
        Tick(page, row.control);
      return;
    }
    case MultiValue: {
      bool any = false, all = true;
      for (const Part& part : row.parts) {
        if (part.shown.test == Test::ByKind) continue;
        any = true;
        all = Holds(part.shown, group.Get(part.root, part.key), part.value) && all;
      }
      if (any && all) Tick(page, row.control);
      return;
    }
    case KeyToggle: {
      group.Close();
      RegKey key(RootKey(row.root), std::string(row.key) + "\\" + row.value, RegWriteAccess);
      if (key) Tick(page, row.control);
      return;
    }
    case OptionGroup: {
      const DWORD number = group.Get(row.root, row.key).ReadDword(row.value, 0);
      for (const Option& option : row.options) {
        if (option.number == number) {
          Select(page, option.control);
          return;
        }
      }
      return;
    }
    case ServiceStart: {
      const DWORD number = group.Get(row.root, row.key).ReadDword(row.value, 0);
      if (number == TickedData(row).number) Select(page, row.control);
      else if (number == ClearData(row).number) Select(page, row.other);
      return;
    }
    case OptionPair: {
      bool first = Holds(row.shown, group.Get(row.root, row.key), row.value);
      Select(page, first ? row.control : row.other);
      return;
    }
    case TextValue: {
      RegKey& key = group.Get(row.root, row.key);
      if (row.other) {
        const auto number = static_cast<int32_t>(key.ReadDword(row.value, 0));
        if (number > 0) {
          Tick(page, row.control);
          if (auto* text = ControlOf<ui::TextBox>(page, row.other))
            text->SetText(std::to_string(number));
        }
      } else if (auto* text = ControlOf<ui::TextBox>(page, row.control)) {
        text->SetText(ReadText(key, row.value).value_or(""));
      }
      return;
    }
    case ButtonWrite: case UnconditionalWrite: case Unbound:
      return;
  }
}

// Writes one row; false when something of it could not be written.
bool WriteRow(ui::Form& page, const TweakBinding& row, GroupKey& group) {
  switch (row.kind) {
    case DwordFlag: case DwordFlagOrDelete: case DwordValues: case DwordInverted:
    case StringValues: case StringOrDelete: case MultiValue: {
      const bool ticked = Ticked(page, row.control);
      return ApplyParts(group, PartsOf(row), ticked, ticked != TickedWhenMissing(row));
    }
    case UnconditionalWrite:
      return ApplyParts(group, PartsOf(row), true, false);
    case KeyToggle:
      group.Close();
      return WriteKeyToggle(row, Ticked(page, row.control));
    case OptionGroup: {
      // A missing value selects the option numbered 0.
      bool ok = true;
      for (const Option& option : row.options)
        if (Selected(page, option.control))
          ok = Apply(group, row.root, row.key, row.value, Dword(option.number),
                     option.number != 0) && ok;
      return ok;
    }
    case ServiceStart: {
      // The service's key is opened for each selected option on its own.
      bool ok = true;
      if (Selected(page, row.control)) {
        group.Close();
        ok = Apply(group, row.root, row.key, row.value, TickedData(row), true) && ok;
      }
      if (Selected(page, row.other)) {
        group.Close();
        ok = Apply(group, row.root, row.key, row.value, ClearData(row), true) && ok;
      }
      group.Close();
      return ok;
    }
    case OptionPair: {
      const bool firstWhenMissing = HoldsWhenMissing(row.shown);
      bool ok = true;
      if (Selected(page, row.control))
        ok = ApplyParts(group, PartsOf(row), true, !firstWhenMissing) && ok;
      if (Selected(page, row.other))
        ok = ApplyParts(group, PartsOf(row), false, firstWhenMissing) && ok;
      return ok;
    }
    case TextValue: {
      if (!row.other) {
        auto* text = ControlOf<ui::TextBox>(page, row.control);
        if (!text) return true;
        const std::string typed = text->Text();
        return Apply(group, row.root, row.key, row.value, Sz(typed.c_str()), !typed.empty());
      }
      if (!Ticked(page, row.control)) return true;
      auto* text = ControlOf<ui::TextBox>(page, row.other);
      auto number = text ? NumericText(text->Text()) : std::nullopt;
      if (!number) return true;  // no number to write
      double rounded = std::nearbyint(*number);
      if (rounded < INT32_MIN || rounded > INT32_MAX) return true;
      return Apply(group, row.root, row.key, row.value,
                   Dword(static_cast<DWORD>(static_cast<int32_t>(rounded))), true);
    }
    case OwnKeyAction: {
      const bool ticked = Ticked(page, row.control);
      if (row.action && !row.action(page, ticked)) return false;
      group.Close();
      return RegKey::Create(RootKey(row.root), row.key, RegWriteAccess)
          .WriteDword(row.value, ticked ? 1 : 0);
    }
    case ButtonWrite: case Unbound:
      return true;
  }
  return true;
}

void Ask(ui::Form& page, const TweakBinding& row) {
  const Confirmation& question = *row.confirm;
  auto* box = ControlOf<ui::CheckBox>(page, row.control);
  if (!box || box->Value() != 1) return;
  int32_t figure = question.figure ? question.figure() : 0;
  if (question.askWhen && !question.askWhen(figure)) return;
  std::string text = LoadResString(question.text);
  if (question.figure) text += std::to_string(figure) + LoadResString(question.textAfter);
  int answer = MsgBox(text, MB_YESNO | MB_ICONINFORMATION, LoadResString(question.title));
  box->SetValue(answer == IDYES ? 1 : 0);
}

}  // namespace

HKEY RootKey(Root root) {
  switch (root) {
    case Root::HKLM: return HKEY_LOCAL_MACHINE;
    case Root::HKCR: return HKEY_CLASSES_ROOT;
    case Root::HKCU: break;
  }
  return HKEY_CURRENT_USER;
}

void SaveReport::Add(const std::string& name) {
  for (const std::string& known : notSaved)
    if (known == name) return;
  notSaved.push_back(name);
}

std::optional<double> NumericText(const std::string& text) {
  size_t begin = text.find_first_not_of(' '), end = text.find_last_not_of(' ');
  if (begin == std::string::npos) return std::nullopt;
  std::string s = text.substr(begin, end - begin + 1);
  size_t i = 0, digits = 0;
  if (s[i] == '+' || s[i] == '-') ++i;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  }
  if (!digits) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t e = i + 1;
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    size_t expDigits = 0;
    while (e < s.size() && std::isdigit(static_cast<unsigned char>(s[e]))) ++e, ++expDigits;
    if (!expDigits) return std::nullopt;
    i = e;
  }
  if (i != s.size()) return std::nullopt;
  return std::strtod(s.c_str(), nullptr);
}

bool IsPolicyPath(const std::string& path) {
  std::string lower = "\\" + path + "\\";
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find("\\policies\\") != std::string::npos;
}

bool KeyNotRead::Missing() const {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::vector<KeyNotRead> ReadTweaks(ui::Form& page, std::span<const TweakBinding> rows) {
  std::vector<KeyNotRead> opens;
  std::vector<KeyNotRead> otherTypes;
  {
    GroupKey group(false, &opens);
    for (const TweakBinding& row : rows) {
      if (!Applies(row.when)) continue;
      if (row.kind != Unbound && !HasControl(page, row.control)) continue;
      ReadRow(page, row, group);
      if (!row.onlyWhereRead) continue;
      for (const ValueRead& read : ValuesReadFor(row)) {
        RegKey& key = group.Get(read.root, read.key);
        if (OfAnotherType(key, read))
          otherTypes.push_back({read.root, read.key, ERROR_DATATYPE_MISMATCH, read.value});
      }
    }
  }
  // This read's outcome replaces the page's earlier one for each key it opened.
  std::vector<KeyNotRead>& remembered = NotRead()[&page];
  std::vector<KeyNotRead> failed;
  for (const KeyNotRead& open : opens) {
    std::erase_if(remembered, [&](const KeyNotRead& k) { return SameKey(k, open.root, open.path); });
    std::erase_if(failed, [&](const KeyNotRead& k) { return SameKey(k, open.root, open.path); });
    if (open.error != ERROR_SUCCESS) failed.push_back(open);
  }
  failed.insert(failed.end(), otherTypes.begin(), otherTypes.end());
  remembered.insert(remembered.end(), failed.begin(), failed.end());
  return failed;
}

void WriteTweaks(ui::Form& page, std::span<const TweakBinding> rows, SaveReport& report) {
  for (const TweakBinding& row : rows)
    if (row.confirm && Applies(row.when)) Ask(page, row);
  GroupKey group(true, nullptr, &report.createdKeys);
  for (const TweakBinding& row : rows) {
    if (!Applies(row.when) || row.kind == Unbound || row.kind == ButtonWrite) continue;
    if (row.kind != UnconditionalWrite && !HasControl(page, row.control)) continue;
    if (Unseen(page, row)) {
      report.Add(RowName(row));
      continue;
    }
    if (!WriteRow(page, row, group)) report.Add(RowName(row));
  }
}

bool WriteButtonRow(const TweakBinding& row, bool partner, std::vector<Part>* failed) {
  if (!Applies(row.when)) return true;
  GroupKey group(true);
  bool ok = true;
  for (const Part& part : PartsOf(row)) {
    if (Apply(group, part.root, part.key, part.value, partner ? part.clear : part.ticked, true))
      continue;
    ok = false;
    if (failed) failed->push_back(part);
  }
  return ok;
}

std::string ValuePath(const Part& part) {
  const char* root = part.root == HKLM ? "HKEY_LOCAL_MACHINE"
                     : part.root == HKCR ? "HKEY_CLASSES_ROOT"
                                         : "HKEY_CURRENT_USER";
  return std::string(root) + "\\" + part.key + "\\" + part.value;
}

void ApplyPreset(ui::Form& page, const TweakPreset& preset) {
  for (ControlRef ref : preset.clear) {
    if (auto* box = ControlOf<ui::CheckBox>(page, ref)) box->SetValue(0);
    else if (auto* option = ControlOf<ui::OptionButton>(page, ref)) option->SetValue(false);
  }
  std::vector<std::string> texts;
  for (const TextFill& fill : preset.fill) texts.push_back(fill.text ? fill.text(page) : "");
  for (ControlRef ref : preset.tick) Tick(page, ref);
  for (ControlRef ref : preset.select) Select(page, ref);
  for (size_t i = 0; i < preset.fill.size(); ++i)
    if (auto* text = ControlOf<ui::TextBox>(page, preset.fill[i].textBox)) text->SetText(texts[i]);
  for (const ConditionalTick& tick : preset.tickWhen)
    if (tick.when && tick.when()) Tick(page, tick.box);
}

std::string NotSavedMessage(const SaveReport& report) {
  std::string text = "These settings could not be saved to the registry:\r\n";
  for (const std::string& name : report.notSaved) text += "\r\n" + name;
  return text;
}

void RunSave(ui::Form& page, const TweakSave& save) {
  SaveReport report;
  for (const SaveStep& step : save.steps) {
    switch (step.step) {
      case Step::SetRestartNeeded:
        RestartNeeded = true;
        break;
      case Step::Write:
        WriteTweaks(page, step.rows, report);
        break;
      case Step::Message:
        if (save.quietInAutoTune && AutoTuneMode) {
          // The Auto Tuner names what was not saved at the end of its run.
          if (!report.notSaved.empty()) ReportAutoTuneFailure(NotSavedMessage(report));
          break;
        }
        if (!report.notSaved.empty()) {
          MsgBox(NotSavedMessage(report), MB_OK | MB_ICONEXCLAMATION);
        } else {
          MsgBox(LoadResString(save.messageFor ? save.messageFor() : save.message),
                 MB_OK | MB_ICONINFORMATION);
        }
        break;
      case Step::Unload:
        page.Unload();
        return;  // the page is gone
    }
  }
}

}  // namespace tweaks
