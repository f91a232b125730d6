#include "services/frmStartupManager.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "platform/registry.h"
#include "resources/picture_ids.h"
#include "shell/ColouredMessageBox.h"
#include "shell/FRMsysRestore.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmInputBox.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr int kListSettings = ui::kListReport | ui::kListCheckBoxes | ui::kListGridLines | ui::kListMultiSelect;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame38", .rect = {120, 120, 11520, 6360}, .caption = "Startup Manager"},
    {.kind = Kind::PictureBox, .name = "Picture1", .parent = "Frame38", .rect = {240, 300, 720, 720}},
    {.kind = Kind::Image, .name = "Image1", .parent = "Picture1", .rect = {0, 0, 720, 720},
     .style = ui::kStretch, .picture = IDB_TWEAKS_2},
    {.kind = Kind::ComboBox, .name = "Combo4", .parent = "Frame38", .rect = {1200, 480, 4200, 315},
     .style = ui::kDropDownList},
    {.kind = Kind::Custom, .name = "vbalListViewCtl1", .parent = "Frame38", .rect = {240, 1140, 11040, 5040},
     .fontSize = 8.25f, .value = kListSettings, .fontName = "MS Sans Serif", .customClass = ui::kListViewClass},
    {.kind = Kind::CommandButton, .name = "Command44", .rect = {120, 6600, 3720, 435},
     .caption = "Remove Checked Entries"},
    {.kind = Kind::CommandButton, .name = "Command7", .rect = {3960, 6600, 3720, 435},
     .caption = "Add Items To Startup"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {7920, 6600, 3720, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmStartupManager",
                            .caption = "Startup Manager",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11760,
                            .clientHeight = 7200};

// The chooser's key entries, in the order they are offered and compared.
struct RunKeyChoice {
  const char* text;
  bool localMachine;  // HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER
  const char* path;
  bool view32;  // the 32-bit view, offered on 64-bit Windows only
  HKEY Root() const { return localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
};

constexpr const char* kRun = "Software\\Microsoft\\Windows\\Currentversion\\Run";
constexpr const char* kRunOnce = "Software\\Microsoft\\Windows\\Currentversion\\RunOnce";

constexpr RunKeyChoice kRunKeys[] = {
    {"HKCU/Run", false, kRun, false},
    {"HKCU/RunOnce", false, kRunOnce, false},
    {"HKLM/Run", true, kRun, false},
    {"HKLM/Run (WOW64)", true, kRun, true},
    {"HKLM/RunOnce", true, kRunOnce, false},
    {"HKLM/RunOnce (WOW64)", true, kRunOnce, true},
};

const RunKeyChoice* RunKeyNamed(const std::string& text) {
  for (const RunKeyChoice& key : kRunKeys)
    if (text == key.text) return key.view32 && !Is64BitWindows() ? nullptr : &key;
  return nullptr;
}

// The masks that reach a key's view: the program's own for the native view, the plain
// query and set-value rights for the 32-bit view of this 32-bit program. The program-wide
// masks are never switched.
REGSAM ReadMask(const RunKeyChoice& key) { return key.view32 ? KEY_QUERY_VALUE : RegReadAccess; }
REGSAM WriteMask(const RunKeyChoice& key) { return key.view32 ? KEY_SET_VALUE : RegWriteAccess; }

// A value's data as text: a text value up to its terminating NUL (whole when it has none),
// any other value its raw bytes less the last one, one character per byte.
std::string DataText(const platform::RegValue& value) {
  const auto& bytes = value.data;
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
    auto end = std::find(bytes.begin(), bytes.end(), BYTE{0});
    return std::string(bytes.begin(), end);
  }
  if (bytes.empty()) return "";
  return std::string(bytes.begin(), bytes.end() - 1);
}

bool StartsWithNoCase(const std::string& text, const std::string& lowerPrefix) {
  if (text.size() < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != lowerPrefix[i]) return false;
  return true;
}

// What the Path column shows: without a pair of quotes that encloses the whole text (a
// quoted program followed by its arguments shows as stored), and with "%programfiles%" or
// "%systemroot%" at the very start replaced, once, by the folder.
std::string PathText(std::string text, const std::string& programFiles, const std::string& windowsDir) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"' &&
      text.find('"', 1) == text.size() - 1)
    text = text.substr(1, text.size() - 2);
  static const std::string kProgramFiles = "%programfiles%";
  static const std::string kSystemRoot = "%systemroot%";
  if (StartsWithNoCase(text, kProgramFiles)) text = programFiles + text.substr(kProgramFiles.size());
  if (StartsWithNoCase(text, kSystemRoot)) text = windowsDir + text.substr(kSystemRoot.size());
  return text;
}

std::string WindowsDirectory() {
  char buffer[MAX_PATH + 1]{};
  UINT n = GetWindowsDirectoryA(buffer, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::string(buffer, n) : std::string();
}

// False only when the registry says the value is not there: its key or itself missing.
bool ValueStillThere(const RunKeyChoice& key, const std::string& name) {
  platform::RegKey open(key.Root(), key.path, ReadMask(key));
  if (!open) return open.OpenError() != ERROR_FILE_NOT_FOUND;
  return RegQueryValueExA(open.Handle(), name.c_str(), nullptr, nullptr, nullptr, nullptr) !=
         ERROR_FILE_NOT_FOUND;
}

// A program path as a Run value holds it: quoted when it has a blank, so that Windows does
// not start the part before the blank.
std::string CommandFor(const std::string& path) {
  if (path.find(' ') == std::string::npos || (path.size() >= 2 && path.front() == '"')) return path;
  return "\"" + path + "\"";
}

}  // namespace

FrmStartupManager::FrmStartupManager() : Page(kForm, kDesign) {}

void FrmStartupManager::BindEvents() {
  Combo4->Click = [this] { Combo4_Click(); };
  Command44->Click = [this] { Command44_Click(); };
  Command7->Click = [this] { Command7_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  vbalListViewCtl1->ColumnClick = [this](ui::ListViewColumn& column) {
    vbalListViewCtl1_ColumnClick(column);
  };
}

void FrmStartupManager::LoadCaptions() {
  const std::string title = LoadResString(498);
  if (!title.empty()) {
    SetCaption(title);
    Frame38->SetCaption(title);
  }
  const std::pair<ui::Control*, int> captions[] = {
      {&*Command1, 64}, {&*Command44, 392}, {&*Command7, 19}};
  for (const auto& [control, id] : captions) {
    std::string text = LoadResString(id);
    if (!text.empty()) control->SetCaption(text);
  }
}

void FrmStartupManager::Form_Load() {
  LoadCaptions();
  Combo4->AddItem(LoadResString(464));
  for (const RunKeyChoice& key : kRunKeys)
    if (!key.view32 || Is64BitWindows()) Combo4->AddItem(key.text);
  Combo4->SetListIndex(0);
  vbalListViewCtl1->SetVisible(false);
  vbalListViewCtl1->AddColumn("NAME", LoadResString(309)).SetWidth(3500);
  vbalListViewCtl1->AddColumn("PATH", LoadResString(345)).SetWidth(7000);
  vbalListViewCtl1->SetVisible(true);
  ResizeStartupManager();
}

void FrmStartupManager::ResizeStartupManager() { ScalePageToScreen(*this); }

void FrmStartupManager::Command1_Click() { Unload(); }

void FrmStartupManager::vbalListViewCtl1_ColumnClick(ui::ListViewColumn& column) {
  ui::SortListByColumn(*vbalListViewCtl1, column);
}

void FrmStartupManager::Combo4_Click() {
  const RunKeyChoice* key = RunKeyNamed(Combo4->Text());
  if (!key) return;
  ui::ListView::RedrawOff quiet(*vbalListViewCtl1);
  vbalListViewCtl1->Clear();
  LoadRunKey(key->Root(), key->path, ReadMask(*key));
}

void FrmStartupManager::LoadRunKey(HKEY root, const std::string& path, REGSAM readMask) {
  const std::string windowsDir = WindowsDirectory();
  // The program files folder of the same view: 32-bit programs have their own.
  std::string programFiles;
  {
    platform::RegKey versionKey(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", readMask);
    if (auto value = versionKey.Read("ProgramFilesDir")) programFiles = DataText(*value);
  }
  platform::RegKey key(root, path, readMask);
  if (!key) return;
  ui::ListView::RedrawOff quiet(*vbalListViewCtl1);
  for (const std::string& name : key.EnumValues()) {
    // Each value is read through a handle of its own.
    std::string data;
    if (auto value = platform::RegKey(root, path, readMask).Read(name)) data = DataText(*value);
    vbalListViewCtl1->AddItem(name).SetSubItem(1, PathText(data, programFiles, windowsDir));
  }
}

bool FrmStartupManager::OfferRestorePoint() {
  int answer = MsgBox(LoadResString(278), MB_YESNOCANCEL | MB_ICONQUESTION, kAppTitle);
  if (answer == IDCANCEL) return false;
  if (answer != IDYES) return true;
  // Asked for and not made: nothing is removed without the way back the user wanted.
  return CreateRestorePointQuietly(LoadResString(385));
}

void FrmStartupManager::Command44_Click() {
  ui::ListView& list = *vbalListViewCtl1;
  if (list.ItemCount() > 0 && !OfferRestorePoint()) return;
  const RunKeyChoice* key = RunKeyNamed(Combo4->Text());
  if (!key) return;

  std::vector<ui::ListItem> ticked;
  for (int i = 1; i <= list.ItemCount(); ++i)
    if (list.Item(i).Checked()) ticked.push_back(list.Item(i));
  {
    platform::RegKey open(key->Root(), key->path, WriteMask(*key));
    for (const ui::ListItem& row : ticked) open.DeleteValue(row.Text());
  }
  // A row leaves only when its value is gone; the others stay, and are named.
  std::string kept;
  {
    ui::ListView::RedrawOff quiet(list);
    for (const ui::ListItem& row : ticked) {
      if (ValueStillThere(*key, row.Text())) {
        kept += "\r\n" + row.Text();
      } else {
        list.RemoveItem(row.Index());
      }
    }
  }
  list.Redraw();
  if (!kept.empty()) {
    MsgBox(std::string("These entries could not be removed from ") + key->text + ":\r\n" + kept,
           MB_OK | MB_ICONEXCLAMATION, kAppTitle);
  }
}

void FrmStartupManager::Command7_Click() {
  frmInputBox->Prompt = LoadResString(571);
  frmInputBox->Title = LoadResString(704);
  frmInputBox->Default = LoadResString(705);
  frmInputBox->Display();
  const std::string description = frmInputBox->txtInput->Text();
  if (frmInputBox->ButtonClicked == 2) return;

  ColorNextDialog(RGB(0, 0, 0), MsgBoxShade(), RGB(0, 0, 0), MsgBoxShade());
  platform::OpenFileRequest request;
  request.owner = hWnd();
  if (!platform::dialogs().OpenFile(request)) return;
  const std::string program = request.fileName;

  int everyUser = MsgBox(LoadResString(175), MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL, kAppTitle);
  if (everyUser == IDCANCEL) return;
  int everyStart = MsgBox(LoadResString(176), MB_YESNOCANCEL | MB_ICONQUESTION, kAppTitle);
  if (everyStart == IDCANCEL) return;

  const HKEY root = everyUser == IDYES ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const std::string path = everyStart == IDYES ? "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
                                               : "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
  // A RunOnce key that the profile lacks is made, in the same view.
  platform::RegKey key(root, path, RegWriteAccess);
  if (!key && key.OpenError() == ERROR_FILE_NOT_FOUND) key = platform::RegKey::Create(root, path, RegWriteAccess);
  if (key.WriteString(description, CommandFor(program))) {
    MsgBox(LoadResString(630), MB_OK | MB_ICONINFORMATION, kAppTitle);
  } else {
    MsgBox("Your item could not be added to the startup area of the registry.",
           MB_OK | MB_ICONEXCLAMATION, kAppTitle);
  }
}
