#include "scripts/lib/stock_registry.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/registry.h"

namespace stock {
namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
constexpr const char* kWow64Step = "wow6432node";
constexpr const char* kStockMark = "stock:";
// The one policy key that every Windows 7 has, User Account Control's: Wine keeps it with
// UAC off, so the data may name it, with stock values only.
constexpr const char* kUacPolicyKey = "software\\microsoft\\windows\\currentversion\\policies\\system";

struct Root {
  const char* name;
  HKEY key;
};
const Root kRoots[] = {
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_USERS", HKEY_USERS},
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> Steps(const std::string& path) {
  std::vector<std::string> steps;
  size_t start = 0;
  for (;;) {
    size_t slash = path.find('\\', start);
    steps.push_back(path.substr(start, slash - start));
    if (slash == std::string::npos) return steps;
    start = slash + 1;
  }
}

std::string TrimRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.pop_back();
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

class LineParser {
 public:
  explicit LineParser(const std::string& text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  bool Peek(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) return ++pos_, true;
    return false;
  }
  bool TakeWord(const std::string& word) {
    if (text_.compare(pos_, word.size(), word) != 0) return false;
    pos_ += word.size();
    return true;
  }

  // A quoted text with the escapes \\ and \".
  bool Quoted(std::string& out, std::string& error) {
    if (!Take('"')) return error = "a quoted text was expected", false;
    out.clear();
    while (pos_ < text_.size()) {
      char c = text_[pos_++];
      if (c == '"') return true;
      if (c == '\\') {
        if (pos_ < text_.size() && (text_[pos_] == '\\' || text_[pos_] == '"')) {
          out += text_[pos_++];
          continue;
        }
        return error = "a backslash in a quoted text must be \\\\ or \\\"", false;
      }
      out += c;
    }
    return error = "the quoted text does not end on its line", false;
  }

  // Comma-separated pairs of hex digits up to the end of the line.
  bool HexBytes(std::vector<BYTE>& out, std::string& error) {
    out.clear();
    SkipBlanks();
    while (!AtEnd()) {
      if (!out.empty() && !Take(',')) break;
      SkipBlanks();
      if (pos_ + 2 > text_.size() || HexDigit(text_[pos_]) < 0 || HexDigit(text_[pos_ + 1]) < 0)
        break;
      out.push_back(static_cast<BYTE>(HexDigit(text_[pos_]) * 16 + HexDigit(text_[pos_ + 1])));
      pos_ += 2;
      SkipBlanks();
    }
    if (AtEnd()) return true;
    return error = "hex data must be pairs of hex digits separated by commas", false;
  }

  std::string Rest() const { return text_.substr(pos_); }
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

 private:
  const std::string& text_;
  size_t pos_ = 0;
};

bool ParseData(LineParser& in, RegData& value, std::string& error) {
  if (in.Take('-')) return error = "the data lists what a machine has: no deletions", false;
  if (in.Peek('"')) {
    std::string content;
    if (!in.Quoted(content, error)) return false;
    if (!in.AtEnd()) return error = "unexpected text after the quoted data", false;
    value.type = REG_SZ;
    value.bytes.assign(content.begin(), content.end());
    value.bytes.push_back(0);
    return true;
  }
  if (in.TakeWord("dword:")) {
    std::string digits = in.Rest();
    if (digits.empty() || digits.size() > 8 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return HexDigit(c) >= 0; }))
      return error = "dword data must be 1 to 8 hex digits", false;
    DWORD number = std::stoul(digits, nullptr, 16);
    value.type = REG_DWORD;
    value.bytes.assign(reinterpret_cast<const BYTE*>(&number),
                       reinterpret_cast<const BYTE*>(&number) + sizeof number);
    return true;
  }
  if (in.TakeWord("hex:")) {
    value.type = REG_BINARY;
    return in.HexBytes(value.bytes, error);
  }
  if (in.TakeWord("hex(")) {
    std::string rest = in.Rest();
    size_t close = rest.find("):");
    if (close == std::string::npos || close == 0 || close > 8 ||
        !std::all_of(rest.begin(), rest.begin() + close, [](char c) { return HexDigit(c) >= 0; }))
      return error = "typed hex data is written hex(<type in hex>):..", false;
    value.type = std::stoul(rest.substr(0, close), nullptr, 16);
    in.TakeWord(rest.substr(0, close + 2));
    return in.HexBytes(value.bytes, error);
  }
  return error = "the data must be \"text\", dword:, hex: or hex(<type>):", false;
}

bool IsUacPolicyKey(const RegEntry& entry) {
  return entry.root == HKEY_LOCAL_MACHINE && Lower(entry.path) == kUacPolicyKey;
}

bool ParseKeyLine(const std::string& line, RegEntry& entry, std::string& error) {
  if (line.size() < 2 || line.back() != ']') return error = "a key line must end with ]", false;
  std::string name = line.substr(1, line.size() - 2);
  if (!name.empty() && name[0] == '-')
    return error = "the data lists what a machine has: no deletions", false;
  size_t slash = name.find('\\');
  std::string rootName = name.substr(0, slash);
  const auto root = std::find_if(std::begin(kRoots), std::end(kRoots),
                                 [&](const Root& r) { return rootName == r.name; });
  if (root == std::end(kRoots))
    return error = "unknown root \"" + rootName + "\" (write HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER ...)",
           false;
  if (slash == std::string::npos || slash + 1 == name.size())
    return error = "a key below the root is needed", false;
  entry.root = root->key;
  entry.rootName = root->name;
  entry.path = name.substr(slash + 1);
  for (const std::string& step : Steps(entry.path)) {
    if (step.empty()) return error = "the key path has an empty step", false;
    if (Lower(step) == "policies" && !IsUacPolicyKey(entry))
      return error = "policy keys stay absent: a stock machine has them only when a policy is set "
                     "(only the UAC key ...\\Policies\\System may be named, with stock: values)",
             false;
  }
  return true;
}

bool ParseValueLine(const std::string& line, RegData& value, std::string& error) {
  if (line.back() == '\\') return error = "a value must stay on one line (no \\ continuation)", false;
  LineParser in(line);
  if (in.TakeWord(kStockMark)) {
    value.stock = true;
    in.SkipBlanks();
    if (!in.Peek('"') && !in.Peek('@'))
      return error = "stock: marks a value line: stock: \"name\"=... or stock: @=...", false;
  }
  if (in.Take('@')) {
    value.name.clear();
  } else if (!in.Peek('"')) {
    return error = "a line is a key [...], a value \"name\"=... or @=..., or a ; comment", false;
  } else if (!in.Quoted(value.name, error)) {
    return false;
  }
  if (!in.Take('=')) return error = "= must follow the value's name", false;
  return ParseData(in, value, error);
}

std::string KeyId(const std::string& rootName, const std::string& path) {
  return "[" + rootName + "\\" + Lower(path) + "]";
}

// True when the entry's key, or a key above it, is a key line of the record that is gone:
// the user deleted it.
bool BelowDeletedKey(const RegEntry& entry, const AppliedLines& applied) {
  std::string path;
  for (const std::string& step : Steps(entry.path)) {
    path = path.empty() ? step : path + "\\" + step;
    if (applied.contains(KeyId(entry.rootName, path)) &&
        !platform::RegKey(entry.root, path, KEY_QUERY_VALUE | KEY_WOW64_64KEY))
      return true;
  }
  return false;
}

}  // namespace

REGSAM RegEntry::View() const {
  for (const std::string& step : Steps(path))
    if (Lower(step) == kWow64Step) return KEY_WOW64_32KEY;
  return KEY_WOW64_64KEY;
}

std::string RegEntry::ViewPath() const {
  std::string result;
  bool dropped = false;
  for (const std::string& step : Steps(path)) {
    if (!dropped && Lower(step) == kWow64Step) {
      dropped = true;
      continue;
    }
    result += (result.empty() ? "" : "\\") + step;
  }
  return result;
}

bool ParseRegFile(const std::string& text, const std::string& file,
                  std::vector<RegEntry>& entries, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  bool header = false;
  auto fail = [&](const std::string& what) {
    error = file + ":" + std::to_string(number) + ": " + what;
    return false;
  };
  if (text.size() >= 2 && ((text[0] == '\xff' && text[1] == '\xfe') ||
                           (text[0] == '\xfe' && text[1] == '\xff')))
    return number = 1, fail("the file must be plain (ANSI) text, not UTF-16");
  const size_t firstEntry = entries.size();
  while (std::getline(lines, line)) {
    ++number;
    line = TrimRight(line);
    const size_t start = line.find_first_not_of(" \t");
    line = start == std::string::npos ? "" : line.substr(start);
    if (!header) {
      if (line.empty()) continue;
      if (line != kHeader) return fail(std::string("the first line must be \"") + kHeader + "\"");
      header = true;
      continue;
    }
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      RegEntry entry;
      entry.file = file;
      entry.line = number;
      if (!ParseKeyLine(line, entry, error)) return fail(error);
      for (size_t i = firstEntry; i < entries.size(); ++i)
        if (entries[i].root == entry.root && Lower(entries[i].path) == Lower(entry.path))
          return fail("the key is already named on line " + std::to_string(entries[i].line));
      entries.push_back(std::move(entry));
      continue;
    }
    if (entries.size() == firstEntry) return fail("a value line before any key line");
    RegData value;
    value.line = number;
    if (!ParseValueLine(line, value, error)) return fail(error);
    if (IsUacPolicyKey(entries.back()) && !value.stock)
      return fail("the UAC policy key takes stock: values only, each as Windows 7 stores it");
    for (const RegData& other : entries.back().values)
      if (Lower(other.name) == Lower(value.name))
        return fail("the value is already named on line " + std::to_string(other.line));
    entries.back().values.push_back(std::move(value));
  }
  if (!header) {
    number = 1;
    return fail(std::string("the file is empty: it needs the line \"") + kHeader + "\"");
  }
  return true;
}

bool LoadRegFolder(const std::string& folder, std::vector<RegEntry>& entries,
                   std::vector<std::string>& files, std::string& error) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.reg").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  if (names.empty()) return error = "no .reg file in " + folder, false;
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::ifstream in(folder + "\\" + name, std::ios::binary);
    if (!in) return error = "cannot read " + folder + "\\" + name, false;
    std::ostringstream text;
    text << in.rdbuf();
    if (!ParseRegFile(text.str(), name, entries, error)) return false;
    files.push_back(name);
  }
  return true;
}

std::string LineId(const RegEntry& entry) { return KeyId(entry.rootName, entry.path); }

std::string LineId(const RegEntry& entry, const RegData& value) {
  std::string id = LineId(entry) + " ";
  if (value.name.empty()) return id + "@";
  id += '"';
  for (char c : Lower(value.name)) {
    if (c == '\\' || c == '"') id += '\\';
    id += c;
  }
  return id + '"';
}

namespace {

// The record's first line, and its last, which counts the lines between.
constexpr const char* kRecordHeader =
    "; The keys and values of the Windows 7 data applied to this prefix, never applied again.";
constexpr const char* kRecordEnd = "; End of the record: ";
// The first line of the earlier record, whose value lines named the data too
// ("[HKEY_...\path] "name"=hex(4):01,00,00,00") and which had no end line.
constexpr const char* kEarlierHeader =
    "; The lines of the Windows 7 data applied to this prefix, never applied again.";
constexpr const char* kEarlierData = "=hex(";

bool IsRecordLine(const std::string& line) { return line.rfind("[HKEY_", 0) == 0; }

}  // namespace

bool LoadApplied(const std::string& file, AppliedLines& lines, std::string& error) {
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES &&
      GetLastError() == ERROR_FILE_NOT_FOUND)
    return true;
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  if (!in) return error = "cannot read the record " + file, false;
  const std::string text = content.str();
  auto damaged = [&](const std::string& what) {
    error = "the record " + file + " is damaged (" + what + ")";
    return false;
  };
  if (text.empty() || text.back() != '\n') return damaged("its last line is cut short");
  std::istringstream textLines(text);
  std::string header;
  std::getline(textLines, header);
  header = TrimRight(header);
  const bool earlier = header == kEarlierHeader;
  if (!earlier && header != kRecordHeader) return damaged("its first line is not the record's");
  AppliedLines read;
  size_t count = 0;
  bool ended = false;
  std::string line;
  while (std::getline(textLines, line)) {
    line = TrimRight(line);
    if (ended) return damaged("a line follows its end line");
    if (!earlier && line.rfind(kRecordEnd, 0) == 0) {
      if (line != kRecordEnd + std::to_string(count) + " lines")
        return damaged("it does not hold the lines its end line counts");
      ended = true;
      continue;
    }
    if (!IsRecordLine(line)) return damaged("a line names no key");
    if (earlier) {
      // A value line's data follows its name; the data's "=hex(" is the line's last.
      const size_t data = line.rfind(kEarlierData);
      if (data != std::string::npos && data > line.find("] ")) line.erase(data);
    }
    read.insert(line);
    ++count;
  }
  if (!earlier && !ended) return damaged("it has no end line: it was cut short");
  lines.insert(read.begin(), read.end());
  return true;
}

bool SaveApplied(const std::string& file, const AppliedLines& lines, std::string& error) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << kRecordHeader << "\n";
  for (const std::string& line : lines) out << line << "\n";
  out << kRecordEnd << lines.size() << " lines\n";
  out.close();
  if (!out) return error = "cannot write the record " + file, false;
  return true;
}

bool ApplyNewLines(const std::vector<RegEntry>& entries, AppliedLines& applied, Added& added,
                   std::string& error) {
  for (const RegEntry& entry : entries) {
    if (BelowDeletedKey(entry, applied)) {
      const std::string keyLine = LineId(entry);
      added.leftOut += !applied.contains(keyLine);
      for (const RegData& value : entry.values)
        added.leftOut += !applied.contains(LineId(entry, value));
      continue;
    }
    // The topmost step that is missing: taking that key away again undoes the creation.
    std::string existing;
    bool made = false;
    for (const std::string& step : Steps(entry.path)) {
      std::string path = existing.empty() ? step : existing + "\\" + step;
      if (!platform::RegKey(entry.root, path, KEY_QUERY_VALUE | KEY_WOW64_64KEY)) {
        added.keys.push_back({entry.root, path});
        made = true;
        break;
      }
      existing = path;
    }
    // Not below a deleted key: the key is there, or its line is new and it is created.
    platform::RegKey key = platform::RegKey::Create(entry.root, entry.path, KEY_WOW64_64KEY);
    if (!key) {
      if (made) added.keys.pop_back();
      error = entry.file + ":" + std::to_string(entry.line) + ": cannot create " + entry.Name() +
              " (error " + std::to_string(key.OpenError()) + ")";
      return false;
    }
    if (made) ++added.keysCreated;
    applied.insert(LineId(entry));
    for (const RegData& value : entry.values) {
      const std::string line = LineId(entry, value);
      if (applied.contains(line)) continue;
      const std::optional<platform::RegValue> current = key.Read(value.name);
      const bool holdsData = current && current->type == value.type && current->data == value.bytes;
      if (value.stock ? !holdsData : !current) {
        LONG rc = RegSetValueExA(key.Handle(), value.name.c_str(), 0, value.type,
                                 value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
        if (rc != ERROR_SUCCESS) {
          error = entry.file + ":" + std::to_string(value.line) + ": cannot set " + entry.Name() +
                  " \"" + value.name + "\" (error " + std::to_string(rc) + ")";
          return false;
        }
        if (current) {
          added.replaced.push_back({entry.root, entry.path, value.name, *current});
          ++added.stockSet;
        } else {
          if (!made) added.values.push_back({entry.root, entry.path, value.name});
          ++added.valuesSet;
        }
      }
      applied.insert(line);
    }
  }
  return true;
}

std::vector<std::string> FindMissing(const std::vector<RegEntry>& entries) {
  std::vector<std::string> missing;
  for (const RegEntry& entry : entries) {
    const std::string where = entry.file + ":" + std::to_string(entry.line) + ": ";
    const std::string view = entry.View() == KEY_WOW64_32KEY ? " (32-bit view)" : "";
    platform::RegKey key(entry.root, entry.ViewPath(), KEY_QUERY_VALUE | entry.View());
    if (!key) {
      missing.push_back(where + entry.Name() + view);
      continue;
    }
    for (const RegData& value : entry.values)
      if (!key.Read(value.name))
        missing.push_back(entry.file + ":" + std::to_string(value.line) + ": " + entry.Name() +
                          view + " \"" + value.name + "\"");
  }
  return missing;
}

}  // namespace stock
