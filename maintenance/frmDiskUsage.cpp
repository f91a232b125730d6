#include "maintenance/frmDiskUsage.h"

#include <vector>

#include "maintenance/FolderSizes.h"
#include "platform/wide_text.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame20", .rect = {120, 120, 11520, 7260}, .caption = "Disk Usage"},
    {.kind = Kind::Label, .name = "Label6", .index = 0, .parent = "Frame20", .rect = {240, 300, 11040, 480}},
    {.kind = Kind::Label, .name = "Label6", .index = 1, .parent = "Frame20", .rect = {240, 780, 11040, 255},
     .foreColor = RGB(192, 0, 0)},
    {.kind = Kind::Custom, .name = "drvChoose", .parent = "Frame20", .rect = {240, 1200, 3000, 315},
     .customClass = ui::kDriveListClass},
    {.kind = Kind::CommandButton, .name = "cmdProcess", .parent = "Frame20", .rect = {3480, 1140, 2520, 435},
     .caption = "Process Drive"},
    {.kind = Kind::CommandButton, .name = "Command2", .parent = "Frame20", .rect = {6120, 1140, 2760, 435},
     .caption = "Stop Processing Drive"},
    {.kind = Kind::Custom, .name = "trvDriveView", .parent = "Frame20", .rect = {240, 1740, 11040, 5280},
     .customClass = ui::kTreeViewClass},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 7500, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmDiskUsage",
                            .caption = "Disk Usage",
                            .width = 11880,
                            .height = 8460,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

constexpr CaptionLine kCaptions[] = {
    {{"Frame20"}, 173},      {{"Command2"}, 501},     {{"Command1"}, 64},
    {{"cmdProcess"}, 364},   {{"Label6", 0}, 609},    {{"Label6", 1}, 611},
};

constexpr const char* kRootKey = "main";
constexpr const char* kEmptyKey = "|NONE|HERE";
constexpr int kFolderPicture = 1;
constexpr int kOpenFolderPicture = 2;
constexpr int kEmptyPicture = 3;

}  // namespace

FrmDiskUsage::FrmDiskUsage() : Page(kForm, kDesign) {}

void FrmDiskUsage::BindEvents() {
  cmdProcess->Click = [this] { cmdProcess_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  trvDriveView->NodeClick = [this](ui::TreeNode& node) { trvDriveView_NodeClick(node); };
}

void FrmDiskUsage::Form_Load() {
  ++loads_;
  LoadCaptions();
  trvDriveView->SetImageList(&ilBrowse);
  ResizeDiskUsage();
}

void FrmDiskUsage::LoadCaptions() { LoadPageCaptions(*this, 173, kCaptions); }

void FrmDiskUsage::ResizeDiskUsage() { ScalePageToScreen(*this); }

std::string FrmDiskUsage::ChosenDriveRoot() { return drvChoose->Drive().substr(0, 2) + "\\"; }

void FrmDiskUsage::cmdProcess_Click() {
  StopProcessing = false;
  trvDriveView->Clear();
  trvDriveView->Add("", kRootKey, LoadResString(71) + drvChoose->Drive() + "\\", kFolderPicture);
  trvDriveView->Node(1).SetExpanded(true);
  trvDriveView->Refresh();
  ShowFolderList(ChosenDriveRoot(), "");
}

void FrmDiskUsage::Command2_Click() { StopProcessing = true; }

void FrmDiskUsage::Command1_Click() {
  StopProcessing = false;
  Unload();
}

void FrmDiskUsage::trvDriveView_NodeClick(ui::TreeNode& Node) {
  const std::string key = Node.Key();
  ShowFolderList(ChosenDriveRoot(), key);
}

void FrmDiskUsage::ShowFolderList(const std::string& mvDrive, const std::string& mvPath) {
  const std::string empty = kEmptyKey;
  if (mvPath.size() >= empty.size() && mvPath.compare(mvPath.size() - empty.size(), empty.size(), empty) == 0)
    return;  // the empty-listing node
  const std::string path = mvPath == kRootKey ? "" : mvPath;
  const std::wstring folder = platform::WideFromAnsi(AddBackslash(mvDrive + path));
  std::vector<SubFolder> subFolders;
  // A folder that cannot be listed gets no node at all.
  if (!ListSubFolders(folder, &subFolders)) return;

  const int load = loads_;
  ui::TreeView::RedrawOff quiet(*trvDriveView);
  bool found = false;
  FolderWalkStats stats;
  for (const SubFolder& sub : subFolders) {
    ui::DoEvents();
    // The page was closed meanwhile: touching it would load it again.
    if (!Loaded() || loads_ != load) return;
    if (StopProcessing) return;
    found = true;
    if (path.empty()) {
      stats.path = folder + sub.name + L"\\";
      stats.recurse = true;
      stats.total = 0;
      SumFolderFiles(stats.path, stats);
      trvDriveView->Add(kRootKey, sub.ansiName, sub.ansiName + " (" + SizeText(stats.total),
                        kFolderPicture, kOpenFolderPicture);
    } else {
      const MeasuredSize size = MeasureFolder(folder + sub.name + L"\\");
      trvDriveView->Add(path, path + "\\" + sub.ansiName,
                        sub.ansiName + " (" + SizeText(size.bytes, size.complete), kFolderPicture,
                        kOpenFolderPicture);
    }
    trvDriveView->RefreshThrottled();
  }
  if (!found) {
    const std::string parent = path.empty() ? kRootKey : path;
    const std::string key = path.empty() ? empty : path + "\\" + empty;
    trvDriveView->Add(parent, key, LoadResString(328), kEmptyPicture);
  }
}
