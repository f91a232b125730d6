#include "maintenance/frmControl.h"

#include <windows.h>

#include "resources/picture_ids.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "tweaks/WindowsUpdateServices.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A link of the frame: underlined text on white, in Segoe UI.
constexpr Def Link(const char* name, int index, float left, float top) {
  return {.kind = Kind::Custom, .name = name, .index = index, .parent = "Frame9",
          .rect = {left, top, 4560, 315}, .fontSize = 10, .style = ui::kUnderline,
          .backColor = kWhite, .fontName = "Segoe UI", .customClass = ui::kHyperLinkClass};
}

constexpr float kLeftColumn = 1680;
constexpr float kRightColumn = 6600;
constexpr float Row(int n) { return 360 + 600 * n; }

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame9", .rect = {120, 120, 11520, 6780}, .caption = "Windows 7 Control Center"},
    {.kind = Kind::PictureBox, .name = "Picture1", .parent = "Frame9", .rect = {240, 360, 1200, 1200}},
    {.kind = Kind::Image, .name = "Image1", .parent = "Picture1", .rect = {120, 120, 960, 960},
     .picture = IDB_MAINT_4},
    Link("mkcHyperLinks1", 0, kLeftColumn, Row(0)),
    Link("mkcHyperLinks1", 1, kLeftColumn, Row(1)),
    Link("mkcHyperLinks1", 2, kLeftColumn, Row(2)),
    Link("mkcHyperLinks1", 3, kLeftColumn, Row(3)),
    Link("mkcHyperLinks1", 4, kLeftColumn, Row(4)),
    Link("mkcHyperLinks1", 7, kLeftColumn, Row(5)),
    Link("mkcHyperLinks1", 8, kLeftColumn, Row(6)),
    Link("mkcHyperLinks1", 9, kLeftColumn, Row(7)),
    Link("mkcHyperLinks1", 10, kLeftColumn, Row(8)),
    Link("mkcHyperLinks1", 11, kRightColumn, Row(0)),
    Link("mkcHyperLinks1", 12, kRightColumn, Row(1)),
    Link("mkcHyperLinks1", 14, kRightColumn, Row(2)),
    Link("mkcHyperLinks1", 15, kRightColumn, Row(3)),
    Link("mkcHyperLinks1", 16, kRightColumn, Row(4)),
    Link("mkcHyperLinks1", 17, kRightColumn, Row(5)),
    Link("mkcHyperLinks1", 18, kRightColumn, Row(6)),
    Link("mkcHyperLinks1", 20, kRightColumn, Row(7)),
    Link("mkcHyperLinks2", -1, kRightColumn, Row(8)),
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 7080, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmControl",
                            .caption = "Control Center",
                            .width = 11880,
                            .height = 8040,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

constexpr CaptionLine kCaptions[] = {{{"Command1"}, 64}, {{"Frame9"}, 685}};

// The links to tools: the element of mkcHyperLinks1, its caption's string and the tool it
// starts. Elements 5, 6, 13 and 19 hold no link.
struct ToolLink {
  int index;
  int caption;
  const char* target;
};
constexpr ToolLink kToolLinks[] = {
    {0, 667, "winver.exe"},
    {1, 671, "msinfo32.exe"},
    {2, 682, "iexpress.exe"},
    {3, 674, "taskmgr.exe"},
    {4, 672, "dxdiag.exe"},
    {7, 681, "verifier.exe"},
    {8, 677, "perfmon.exe"},
    {9, 673, "msconfig.exe"},
    {10, 670, "OptionalFeatures.exe"},
    {11, 669, "inetcpl.cpl"},
    {12, 684, "control.exe system"},
    {14, 678, "appwiz.cpl"},
    {15, 683, "eventvwr.exe"},
    {16, 679, "compmgmt.msc"},
    {17, 676, "rstrui.exe"},
    {18, 675, "msra.exe"},
    {20, 668, "cleanmgr.exe"},
};

// The order in which the captions are set; kWindowsUpdate stands for mkcHyperLinks2.
constexpr int kWindowsUpdate = -1;
constexpr int kCaptionOrder[] = {0, 20, 11, 10, 1, 4, 9, 3, 18, 17, 8, 14, 16, kWindowsUpdate, 7, 2, 15, 12};

const ToolLink* ToolLinkAt(int index) {
  for (const ToolLink& link : kToolLinks)
    if (link.index == index) return &link;
  return nullptr;
}

void ReportToolNotStarted(const std::string& message) { MsgBox(message, MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

FrmControl::FrmControl() : Page(kForm, kDesign) {}

void FrmControl::BindEvents() {
  mkcHyperLinks1.ForEach([](ui::HyperLink& link, int) { link.StartFailed = ReportToolNotStarted; });
  mkcHyperLinks2->Click = [this] { mkcHyperLinks2_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmControl::Form_Load() {
  LoadCaptions();
  ResizeControl();
  for (int index : kCaptionOrder) {
    if (index == kWindowsUpdate) {
      mkcHyperLinks2->SetCaption(LoadResString(680));
    } else if (const ToolLink* link = ToolLinkAt(index)) {
      mkcHyperLinks1[index].SetCaption(LoadResString(link->caption));
    }
  }
  // What each link starts, part of its design. The tools are the system's own: on 64-bit
  // Windows they are looked for in its native System32, where some of them only are.
  for (const ToolLink& link : kToolLinks) mkcHyperLinks1[link.index].SetProgramTarget(link.target, Is64BitWindows());
  // The links take the frame's font size, scaled by now.
  for (int index = 0; index <= 20; ++index) {
    if (mkcHyperLinks1.Has(index)) mkcHyperLinks1[index].SetFontSize(Frame9->FontSize());
  }
  mkcHyperLinks2->SetFontSize(Frame9->FontSize());
}

void FrmControl::LoadCaptions() { LoadPageCaptions(*this, 686, kCaptions); }

void FrmControl::ResizeControl() { ScalePageToScreen(*this); }

void FrmControl::Command1_Click() { Unload(); }

void FrmControl::mkcHyperLinks2_Click() { StartWindowsUpdateServices(ctlService1); }
