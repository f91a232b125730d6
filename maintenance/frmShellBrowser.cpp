#include "maintenance/frmShellBrowser.h"

#include <objbase.h>

#include <cstring>
#include <vector>

#include "platform/special_folders.h"
#include "shell/LayoutScaling.h"
#include "shell/Strings.h"
#include "ui/Hourglass.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame23", .rect = {120, 120, 11520, 6780}, .caption = "Shell Browser"},
    {.kind = Kind::ComboBox, .name = "cboShellFolders", .parent = "Frame23", .rect = {240, 360, 5400, 315},
     .style = ui::kDropDownList},
    // Back and Forward: arrows, named by their tool tips.
    {.kind = Kind::CommandButton, .name = "Command33", .parent = "Frame23", .rect = {5880, 345, 495, 345},
     .caption = "<"},
    {.kind = Kind::CommandButton, .name = "Command34", .parent = "Frame23", .rect = {6435, 345, 495, 345},
     .caption = ">"},
    {.kind = Kind::Custom, .name = "ShellBrowser", .parent = "Frame23", .rect = {240, 840, 11040, 5160},
     .customClass = ui::kFolderBrowserClass},
    {.kind = Kind::Label, .name = "Label20", .parent = "Frame23", .rect = {240, 6180, 11040, 435},
     .caption = "Label20"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 7080, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmShellBrowser",
                            .caption = "Shell Browser",
                            .width = 11880,
                            .height = 8040,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

constexpr CaptionLine kCaptions[] = {
    {{"Frame23"}, 481},
    {{"Command1"}, 64},
    {{"Label20"}, 281},
    {{"Command34"}, kNoText, 832},
    {{"Command33"}, kNoText, 833},
};

// The folders the list offers, in its order: CSIDL and the string of its name.
struct ListedFolder {
  int csidl;
  int name;
};
constexpr ListedFolder kFolders[] = {
    {CSIDL_COMMON_ADMINTOOLS, 21},        {CSIDL_DESKTOP, 101},
    {CSIDL_INTERNET, 267},                {CSIDL_PROGRAMS, 368},
    {CSIDL_PRINTERS, 363},                {CSIDL_PERSONAL, 352},
    {CSIDL_FAVORITES, 201},               {CSIDL_STARTUP, 499},
    {CSIDL_RECENT, 381},                  {CSIDL_SENDTO, 467},
    {CSIDL_BITBUCKET, 383},               {CSIDL_STARTMENU, 488},
    {CSIDL_DESKTOPDIRECTORY, 103},        {CSIDL_DRIVES, 308},
    {CSIDL_NETWORK, 310},                 {CSIDL_NETHOOD, 311},
    {CSIDL_FONTS, 215},                   {CSIDL_TEMPLATES, 179},
    {CSIDL_COMMON_STARTMENU, 492},        {CSIDL_COMMON_PROGRAMS, 369},
    {CSIDL_COMMON_STARTUP, 500},          {CSIDL_COMMON_DESKTOPDIRECTORY, 104},
    {CSIDL_APPDATA, 25},                  {CSIDL_PRINTHOOD, 362},
    {CSIDL_ALTSTARTUP, 329},              {CSIDL_COMMON_ALTSTARTUP, 330},
    {CSIDL_COMMON_FAVORITES, 202},        {CSIDL_INTERNET_CACHE, 268},
    {CSIDL_COOKIES, 78},                  {CSIDL_HISTORY, 253},
};

// Folders up to this CSIDL that have no path are virtual; above it, the shell may also be
// too old to know them.
constexpr int kLastClassicFolder = CSIDL_TEMPLATES;

}  // namespace

FrmShellBrowser::FrmShellBrowser() : Page(kForm, kDesign) { Form_Initialize(); }

void FrmShellBrowser::Form_Initialize() {
  // A name already in the table stays as it is.
  for (const ListedFolder& folder : kFolders) folderNames_.emplace(std::to_string(folder.csidl), LoadResString(folder.name));
}

void FrmShellBrowser::BindEvents() {
  cboShellFolders->Click = [this] { cboShellFolders_Click(); };
  Command33->Click = [this] { Command33_Click(); };
  Command34->Click = [this] { Command34_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmShellBrowser::Form_Load() {
  ++loads_;
  LoadCaptions();
  ResizeShellBrowser();
  for (const ListedFolder& folder : kFolders) {
    const auto name = folderNames_.find(std::to_string(folder.csidl));
    if (name == folderNames_.end()) continue;
    cboShellFolders->AddItem(name->second);
    cboShellFolders->SetItemData(cboShellFolders->ListCount() - 1, folder.csidl);
  }
  cboShellFolders->SetListIndex(0);
}

void FrmShellBrowser::LoadCaptions() { LoadPageCaptions(*this, 481, kCaptions); }

void FrmShellBrowser::ResizeShellBrowser() { ScalePageToScreen(*this); }

void FrmShellBrowser::Command1_Click() { Unload(); }

void FrmShellBrowser::Command33_Click() { ShellBrowser->GoBack(); }

void FrmShellBrowser::Command34_Click() { ShellBrowser->GoForward(); }

void FrmShellBrowser::cboShellFolders_Click() {
  Label20->SetCaption("");
  // The cleared label is painted, and what the user did meanwhile is handled first.
  const int load = loads_;
  ui::DoEvents();
  // The page was closed meanwhile: touching it would load it again.
  if (!Loaded() || loads_ != load) return;
  ui::HourglassPointer hourglass;
  const int index = cboShellFolders->ListIndex();
  if (index < 0) return;
  const int csidl = cboShellFolders->ItemData(index);

  LPITEMIDLIST list = nullptr;
  const bool exists = platform::specialFolders().Location(hWnd(), csidl, &list) == S_OK && list;
  if (exists) {
    const int16_t size = GetPIDLSize(list);
    if (size != 0) {
      std::vector<uint8_t> bytes(static_cast<size_t>(size));
      std::memcpy(bytes.data(), list, bytes.size());
      ShellBrowser->Navigate2(bytes);
      ShellBrowser->SetVisible(true);
    }
    CoTaskMemFree(list);
  }
  if (!exists) {
    Label20->SetCaption(LoadResString(536));
    ShellBrowser->SetVisible(false);
    return;
  }
  const std::string path = GetSpecialFolderPath(hWnd(), csidl);
  if (!path.empty()) {
    Label20->SetCaption(path);
  } else if (csidl <= kLastClassicFolder) {
    Label20->SetCaption(LoadResString(214));
  } else {
    Label20->SetCaption(LoadResString(277) + "and it doesn't know about the CSIDL value)");
  }
}

std::string FrmShellBrowser::GetSpecialFolderPath(HWND hWnd, int nFolder) {
  char buffer[MAX_PATH] = {};
  platform::specialFolders().Path(hWnd, buffer, nFolder);
  if (buffer[0] != '\0') return std::string(buffer, strnlen(buffer, MAX_PATH));
  LPITEMIDLIST list = nullptr;
  if (platform::specialFolders().Location(hWnd, nFolder, &list) != S_OK || !list) return "";
  std::string path;
  if (platform::specialFolders().PathFromIDList(list, buffer)) path.assign(buffer, strnlen(buffer, MAX_PATH));
  CoTaskMemFree(list);
  return path;
}

int16_t FrmShellBrowser::GetItemIDSize(const void* pIDL) {
  if (!pIDL) return 0;
  int16_t count;
  std::memcpy(&count, pIDL, sizeof count);  // little-endian, as the list stores it
  return count;
}

const void* FrmShellBrowser::GetNextItemID(const void* pIDL) {
  const int16_t count = GetItemIDSize(pIDL);
  if (count <= 0) return nullptr;
  return static_cast<const uint8_t*>(pIDL) + count;
}

int16_t FrmShellBrowser::GetPIDLSize(const void* pIDL) {
  if (!pIDL) return 0;
  int32_t total = 0;
  for (const void* item = pIDL; item; item = GetNextItemID(item)) {
    const int16_t count = GetItemIDSize(item);
    if (count < 0) return 0;  // no item is that large: the list is too large to take
    total += count;
    if (total + 2 > 32767) return 0;
  }
  return static_cast<int16_t>(total + 2);
}
