#include "shell/frmmain.h"

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <cmath>
#include <ctime>
#include <utility>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/system_facts.h"
#include "resources/picture_ids.h"
#include "shell/LayoutScaling.h"
#include "shell/MouseWheel.h"
#include "shell/Pages.h"
#include "shell/passwords/PasswordStore.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/WmiGuard.h"
#include "shell/ColouredMessageBox.h"
#include "tweaks/FolderDelete.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr char kMakerWebPage[] = "https://quenvor.example/";

// ---- design

constexpr float kPanelLeft = 120, kPanelTop = 240, kPanelWidth = 5655, kPanelHeight = 3135;

struct Widget {
  int index;         // element of the category's picture array
  int labelElement;  // element of the label array below it
  float left, top;   // of the picture, in the inner panel
  int picture;
};

constexpr Widget kTweaks[] = {
    {7, 2, 360, 120, IDB_TWEAKS_7},   {0, 0, 2280, 120, IDB_TWEAKS_0},  {1, 1, 4080, 120, IDB_TWEAKS_1},
    {2, 3, 360, 1320, IDB_TWEAKS_2},  {8, 4, 2280, 1320, IDB_TWEAKS_8}, {9, 5, 4080, 1320, IDB_TWEAKS_9},
    {3, 8, 360, 2640, IDB_TWEAKS_3},  {10, 7, 2280, 2640, IDB_TWEAKS_10}, {4, 6, 4080, 2640, IDB_TWEAKS_4},
};
constexpr Widget kMaintenance[] = {
    {0, 0, 360, 120, IDB_MAINT_0},   {1, 1, 2220, 120, IDB_MAINT_1},  {2, 2, 4080, 120, IDB_MAINT_2},
    {3, 3, 360, 1620, IDB_MAINT_3},  {4, 4, 2220, 1620, IDB_MAINT_4}, {5, 5, 4080, 1620, IDB_MAINT_5},
    {6, 6, 1080, 3360, IDB_MAINT_6}, {7, 7, 3120, 3360, IDB_MAINT_7},
};
constexpr Widget kSecurity[] = {
    {0, 0, 240, 240, IDB_SECURITY_0},  {1, 1, 2280, 240, IDB_SECURITY_1},  {2, 2, 4320, 240, IDB_SECURITY_2},
    {3, 3, 240, 1800, IDB_SECURITY_3}, {4, 4, 2280, 1800, IDB_SECURITY_4}, {8, 8, 4320, 1800, IDB_SECURITY_8},
    {6, 6, 240, 3360, IDB_SECURITY_6}, {7, 7, 2280, 3360, IDB_SECURITY_7},
};
constexpr Widget kPasswords[] = {
    {0, 0, 240, 360, IDB_PASSWORDS_0},  {1, 1, 2220, 360, IDB_PASSWORDS_1},
    {2, 2, 4200, 360, IDB_PASSWORDS_2}, {3, 3, 2220, 1800, IDB_PASSWORDS_3},
};

constexpr Def kFixed[] = {
    {.kind = Kind::Label, .name = "Label21", .rect = {120, 60, 11520, 420}, .fontSize = 14, .style = ui::kBold},
    // Category strip.
    {.kind = Kind::Frame, .name = "Frame29", .rect = {120, 540, 6240, 1620}},
    {.kind = Kind::Image, .name = "Image3", .index = 0, .parent = "Frame29", .rect = {120, 240, 960, 960}, .picture = IDB_CATEGORY_0},
    {.kind = Kind::Image, .name = "Image3", .index = 1, .parent = "Frame29", .rect = {1600, 240, 960, 960}, .picture = IDB_CATEGORY_1},
    {.kind = Kind::Image, .name = "Image3", .index = 2, .parent = "Frame29", .rect = {3080, 240, 960, 960}, .picture = IDB_CATEGORY_2},
    {.kind = Kind::Image, .name = "Image3", .index = 3, .parent = "Frame29", .rect = {4560, 240, 960, 960}, .picture = IDB_CATEGORY_3},
    {.kind = Kind::Label, .name = "Label43", .index = 0, .parent = "Frame29", .rect = {0, 1230, 1200, 255}, .style = ui::kCenter},
    {.kind = Kind::Label, .name = "Label43", .index = 1, .parent = "Frame29", .rect = {1480, 1230, 1200, 255}, .style = ui::kCenter},
    {.kind = Kind::Label, .name = "Label43", .index = 2, .parent = "Frame29", .rect = {2960, 1230, 1200, 255}, .style = ui::kCenter},
    {.kind = Kind::Label, .name = "Label43", .index = 3, .parent = "Frame29", .rect = {4440, 1230, 1200, 255}, .style = ui::kCenter},
    // Widget panels, each an outer panel with a taller inner panel that scrolls.
    {.kind = Kind::Frame, .name = "Frame54", .rect = {120, 2280, 6240, 3540}},
    {.kind = Kind::PictureBox, .name = "Picture6", .parent = "Frame54", .rect = {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight}},
    {.kind = Kind::PictureBox, .name = "Picture5", .parent = "Picture6", .rect = {0, 0, kPanelWidth, 3840}},
    {.kind = Kind::PictureBox, .name = "Picture7", .parent = "Frame54", .rect = {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight}},
    {.kind = Kind::PictureBox, .name = "Picture8", .parent = "Picture7", .rect = {0, 0, kPanelWidth, 4500}},
    {.kind = Kind::PictureBox, .name = "Picture2", .parent = "Frame54", .rect = {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight}},
    {.kind = Kind::PictureBox, .name = "Picture9", .parent = "Picture2", .rect = {0, 0, kPanelWidth, 4500}},
    {.kind = Kind::PictureBox, .name = "Picture1", .parent = "Frame54", .rect = {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight}},
    {.kind = Kind::PictureBox, .name = "Picture10", .parent = "Picture1", .rect = {0, 0, kPanelWidth, kPanelHeight}},
    {.kind = Kind::VScrollBar, .name = "VScroll1", .parent = "Frame54", .rect = {5850, 240, 255, 3135},
     .value = 0, .min = 0, .max = 100, .smallChange = 10, .largeChange = 10},
    // Resource monitor.
    {.kind = Kind::Frame, .name = "Frame22", .rect = {6480, 540, 5160, 5280}},
    {.kind = Kind::PictureBox, .name = "Picture11", .parent = "Frame22", .rect = {120, 300, 4935, 4815}},
    {.kind = Kind::Label, .name = "Label4", .index = 0, .parent = "Picture11", .rect = {0, 180, 2415, 255}},
    {.kind = Kind::Label, .name = "Label25", .parent = "Picture11", .rect = {0, 795, 2415, 255}},
    {.kind = Kind::Label, .name = "Label27", .parent = "Picture11", .rect = {0, 1410, 2415, 255}},
    {.kind = Kind::Label, .name = "Label28", .parent = "Picture11", .rect = {0, 2025, 2415, 255}},
    {.kind = Kind::Label, .name = "Label4", .index = 1, .parent = "Picture11", .rect = {0, 2655, 2415, 255}},
    {.kind = Kind::Label, .name = "Label5", .parent = "Picture11", .rect = {0, 3270, 2415, 255}},
    {.kind = Kind::Label, .name = "Label41", .parent = "Picture11", .rect = {0, 3885, 2415, 255}},
    {.kind = Kind::Label, .name = "Label42", .parent = "Picture11", .rect = {0, 4500, 2415, 255}},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 6, .parent = "Picture11", .rect = {2520, 120, 2295, 375}, .customClass = ui::kProgressBarClass},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 0, .parent = "Picture11", .rect = {2520, 735, 2295, 375}, .customClass = ui::kProgressBarClass},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 2, .parent = "Picture11", .rect = {2520, 1350, 2295, 375}, .customClass = ui::kProgressBarClass},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 3, .parent = "Picture11", .rect = {2520, 1965, 2295, 375}, .customClass = ui::kProgressBarClass},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 7, .parent = "Picture11", .rect = {2520, 2595, 2295, 375}, .customClass = ui::kProgressBarClass},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 1, .parent = "Picture11", .rect = {2520, 3210, 2295, 375}, .customClass = ui::kProgressBarClass},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 4, .parent = "Picture11", .rect = {2520, 3825, 2295, 375}, .customClass = ui::kProgressBarClass},
    {.kind = Kind::Custom, .name = "vbalProgressBar1", .index = 5, .parent = "Picture11", .rect = {2520, 4440, 2295, 375}, .customClass = ui::kProgressBarClass},
    // Sounds, help and the maker.
    {.kind = Kind::CheckBox, .name = "Check1", .rect = {6480, 5940, 3300, 255}, .caption = "Disable Clicking Sound"},
    {.kind = Kind::Image, .name = "Image2", .rect = {11160, 5880, 480, 480}, .picture = IDB_HELP},
    {.kind = Kind::PictureBox, .name = "Picture", .rect = {10320, 5880, 720, 720}, .picture = IDB_MAKER},
    {.kind = Kind::Timer, .name = "Timer1", .style = ui::kDisabled, .max = 1000},
    // Menus.
    {.kind = Kind::Menu, .name = "file_menu", .caption = "File"},
    {.kind = Kind::Menu, .name = "mnu_createpass", .parent = "file_menu", .caption = "Create Password"},
    {.kind = Kind::Menu, .name = "mnu_changepass", .parent = "file_menu", .caption = "Change Password"},
    {.kind = Kind::Menu, .name = "mnu_rempassword", .parent = "file_menu", .caption = "Remove Password"},
    {.kind = Kind::Menu, .name = "restore_menu", .parent = "file_menu", .caption = "Create Restore Point"},
    {.kind = Kind::Menu, .name = "mnu_sep", .parent = "file_menu", .caption = "-"},
    {.kind = Kind::Menu, .name = "mnu_exit", .parent = "file_menu", .caption = "Exit"},
    {.kind = Kind::Menu, .name = "help_menu", .caption = "Help"},
    {.kind = Kind::Menu, .name = "help_menu2", .parent = "help_menu", .caption = "Help"},
    {.kind = Kind::Menu, .name = "about_menu", .parent = "help_menu", .caption = "About"},
};

struct Category {
  const char* images;
  const char* labels;
  const char* panel;
  const Widget* widgets;
  int count;
  bool labelByElement;
};

constexpr Category kCategories[] = {
    {"Image4", "Label22", "Picture5", kTweaks, std::size(kTweaks), true},
    {"Image5", "Label44", "Picture8", kMaintenance, std::size(kMaintenance), false},
    {"Image6", "Label1", "Picture9", kSecurity, std::size(kSecurity), false},
    {"Image7", "Label2", "Picture10", kPasswords, std::size(kPasswords), false},
};

constexpr int kWidgetCount = std::size(kTweaks) + std::size(kMaintenance) + std::size(kSecurity) + std::size(kPasswords);

// The fixed rows, then a picture and a centred label for every widget.
constexpr auto kDesign = [] {
  std::array<Def, std::size(kFixed) + 2 * kWidgetCount> rows{};
  size_t n = 0;
  for (const Def& d : kFixed) rows[n++] = d;
  for (const Category& c : kCategories) {
    for (int i = 0; i < c.count; ++i) {
      const Widget& w = c.widgets[i];
      rows[n++] = Def{.kind = Kind::Image, .name = c.images, .index = w.index, .parent = c.panel,
                      .rect = {w.left, w.top, 720, 720}, .picture = w.picture};
      rows[n++] = Def{.kind = Kind::Label, .name = c.labels, .index = w.labelElement, .parent = c.panel,
                      .rect = {w.left - 480, w.top + 750, 1680, 255}, .style = ui::kCenter};
    }
  }
  return rows;
}();

constexpr ui::FormDef kForm{.name = "frmmain",
                            .caption = "Quenvor Pro",
                            .width = 11880,
                            .height = 7080,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

// What each widget opens; true where the main window stays visible.
struct Opens {
  int index;
  ui::Form& (*page)();
  bool mainStays;
};

template <auto& Ref>
ui::Form& FormOf() { return *Ref; }

const Opens kTweakPages[] = {
    {0, FormOf<frmPerformance>, false},   {1, FormOf<frmPerformanceII>, false},
    {2, FormOf<frmStartupManager>, false}, {3, FormOf<frmMoreTweaks>, false},
    {4, FormOf<frmInternetExplorer>, false}, {7, FormOf<frmOneButton>, true},
    {8, FormOf<frmMiscellaneous>, false}, {9, FormOf<frmShellTweaks>, false},
    {10, FormOf<frmServices>, false},
};
const Opens kMaintenancePages[] = {
    {0, FormOf<frmDiskUsage>, false},  {1, FormOf<frmDiskCleaner>, false},
    {2, FormOf<frmSharedDLLs>, false}, {3, FormOf<frmShellBrowser>, false},
    {4, FormOf<frmControl>, false},    {5, FormOf<frmSystemInformation>, false},
    {6, FormOf<frmToolBox>, false},    {7, FormOf<FRMsysRestore>, false},
};
const Opens kSecurityPages[] = {
    {0, FormOf<frmStartMenu>, false},    {1, FormOf<frmSystem>, false},
    {2, FormOf<frmDesktop>, false},      {3, FormOf<frmControlPanel>, false},
    {4, FormOf<frmLoginAuth>, false},    {6, FormOf<frmFirewall>, false},
    {7, FormOf<frmLockDown>, false},     {8, FormOf<frmUAC>, false},
};

void OpenFromWidget(const Opens* pages, size_t count, int index) {
  for (size_t i = 0; i < count; ++i) {
    if (pages[i].index != index) continue;
    ui::Form& page = pages[i].page();
    if (pages[i].mainStays) {
      frmmain->PlayClickSound2();
      page.Show(ui::vbModeless, &*frmmain);
    } else {
      OpenPage(page);
    }
    return;
  }
}

// The user settings key is created when missing, so the answer is kept and the question
// is not asked again at every start.
void RememberRestorePointAnswer() {
  platform::RegKey::Create(HKEY_CURRENT_USER, kSettingsKey, RegWriteAccess).WriteDword("RestorSet", 1);
}

DWORD PasswordSet() {
  platform::RegKey key(HKEY_LOCAL_MACHINE, kSettingsKey, RegReadAccess);
  return key.ReadDword("Password Set", 0);
}

}  // namespace

std::string AppPath() {
  char path[MAX_PATH]{};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  size_t slash = s.find_last_of('\\');
  return slash == std::string::npos ? std::string() : s.substr(0, slash);
}

FrmMain::FrmMain() : Form(kForm, kDesign) {}

void FrmMain::BindEvents() {
  Image3.ForEach([this](ui::Image& c, int i) { c.Click = [this, i] { Image3_Click(i); }; });
  Image4.ForEach([this](ui::Image& c, int i) { c.Click = [this, i] { Image4_Click(i); }; });
  Image5.ForEach([this](ui::Image& c, int i) { c.Click = [this, i] { Image5_Click(i); }; });
  Image6.ForEach([this](ui::Image& c, int i) { c.Click = [this, i] { Image6_Click(i); }; });
  Image7.ForEach([this](ui::Image& c, int i) { c.Click = [this, i] { Image7_Click(i); }; });
  VScroll1->Change = [this] { ScrollWidgets(); };
  VScroll1->Scroll = [this] { ScrollWidgets(); };
  Check1->Click = [this] { Check1_Click(); };
  Image2->Click = [this] { Image2_Click(); };
  Picture->Click = [this] { Picture_Click(); };
  Timer1->Tick = [this] { Timer1_Timer(); };
  Get<ui::Menu>("mnu_createpass").Click = [this] { mnu_createpass_Click(); };
  Get<ui::Menu>("mnu_changepass").Click = [this] { mnu_changepass_Click(); };
  Get<ui::Menu>("mnu_rempassword").Click = [this] { mnu_rempassword_Click(); };
  Get<ui::Menu>("restore_menu").Click = [this] { restore_menu_Click(); };
  Get<ui::Menu>("mnu_exit").Click = [this] { mnu_exit_Click(); };
  Get<ui::Menu>("help_menu2").Click = [this] { help_menu2_Click(); };
  Get<ui::Menu>("about_menu").Click = [this] { about_menu_Click(); };
}

void FrmMain::LoadCaptions() {
  auto caption = [this](const char* name, int index, int res) {
    if (ui::Control* c = Find(name, index)) c->SetCaption(LoadResString(res));
  };
  const std::pair<int, int> tweaks[] = {{0, 346}, {1, 347}, {3, 498}, {8, 305}, {6, 269},
                                        {2, 37},  {4, 298}, {5, 482}, {7, 468}};
  for (auto [element, res] : tweaks) caption("Label22", element, res);
  const int maintenance[] = {173, 171, 479, 481, 72, 512, 561, 425};
  for (int i = 0; i < 8; ++i) caption("Label44", i, maintenance[i]);
  const std::pair<int, int> security[] = {{0, 488}, {1, 510}, {2, 102}, {3, 73},
                                          {4, 286}, {6, 210}, {7, 182}, {8, 1134}};
  for (auto [index, res] : security) caption("Label1", index, res);
  const int passwords[] = {84, 51, 403, 13};
  for (int i = 0; i < 4; ++i) caption("Label2", i, passwords[i]);
  const int categories[] = {570, 292, 459, 343};
  for (int i = 0; i < 4; ++i) caption("Label43", i, categories[i]);
  caption("Frame29", -1, 463);
  caption("Frame22", -1, 517);
  caption("Label4", 0, 564);
  caption("Label25", -1, 587);
  caption("Label27", -1, 41);
  caption("Label28", -1, 220);
  caption("Label4", 1, 515);
  caption("Label5", -1, 586);
  caption("Label41", -1, 40);
  caption("Label42", -1, 219);
  caption("file_menu", -1, 203);
  caption("mnu_createpass", -1, 84);
  caption("mnu_changepass", -1, 51);
  caption("mnu_rempassword", -1, 403);
  caption("restore_menu", -1, 85);
  caption("mnu_exit", -1, 199);
  caption("help_menu", -1, 225);
  caption("help_menu2", -1, 225);
  caption("about_menu", -1, 12);
  Image2->SetToolTipText(LoadResString(796));
  Check1->SetToolTipText("Enables or Disables the clicking sound when using Quenvor Pro");
  Picture->SetToolTipText("Visit the Quenvor Pro web site");
}

void FrmMain::Form_Load() {
  loading_ = true;
  ProgramEnding = false;
  LoadCaptions();
  const std::string title = ProductNameWithVersion();
  SetCaption(title);
  Label21->SetCaption(title);
  Frame54->SetCaption(LoadResString(569));
  {
    platform::RegKey key(HKEY_LOCAL_MACHINE, kSettingsKey, RegReadAccess);
    SoundsDisabled = key.ReadDword("SoundsEnabled", 0) == 2;
    Check1->SetValue(SoundsDisabled ? 1 : 0);  // the stored value stays as it is
  }
  {
    platform::RegKey key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer", RegReadAccess);
    std::string version = key.ReadString("Version", "");
    IEMajorVersion = !version.empty() && version[0] >= '0' && version[0] <= '9' ? version[0] - '0' : 0;
  }
  ArrangeWidgetPanels();
  SetScaleMode(3);
  RestartNeeded = false;
  Timer1->SetEnabled(true);
  PromptRestorePoint();
  LoadResize();
  KeepWidgetLabelsInTheirPanels();
  ShowMainAfterRestore = true;
  loading_ = false;
}

// A widget's label is centred on its picture. Where its text would reach past an edge of
// the panel (a picture near the edge under a long text, such as "Create Password"), the
// label moves just so far that the text starts or ends at that edge: it shows whole.
void FrmMain::KeepWidgetLabelsInTheirPanels() {
  for (const Category& category : kCategories) {
    const float panelWidth = Get<ui::PictureBox>(category.panel).Width();
    for (int i = 0; i < category.count; ++i) {
      auto& label = Get<ui::Label>(category.labels, category.widgets[i].labelElement);
      const float text = label.TextWidth();
      const float textLeft = label.Left() + (label.Width() - text) / 2;
      if (textLeft < 0) {
        label.SetLeft(label.Left() - textLeft);
      } else if (textLeft + text > panelWidth) {
        label.SetLeft(label.Left() - (textLeft + text - panelWidth));
      }
    }
  }
}

// Asks once per user whether a restore point should be made before the program is used.
void FrmMain::PromptRestorePoint() {
  {
    platform::RegKey key(HKEY_CURRENT_USER, kSettingsKey, RegReadAccess);
    if (key.ReadDword("RestorSet", 0) == 1) return;
  }
  if (MsgBox(LoadResString(279), MB_YESNO | MB_ICONQUESTION, kAppTitle) == IDYES) {
    CreateStartupRestorePoint();
  } else {
    RememberRestorePointAnswer();
  }
}

void FrmMain::CreateStartupRestorePoint() {
  RememberRestorePointAnswer();  // stored first: a failed creation does not ask again
  ShowMainAfterRestore = false;
  FRMsysRestore->Hide();
  FRMsysRestore->CmdCreate_Click();
  FRMsysRestore->Unload();
}

void FrmMain::ArrangeWidgetPanels() {
  for (ui::PictureBox* panel : {&*Picture6, &*Picture7, &*Picture2, &*Picture1}) {
    panel->Move(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    panel->SetVisible(panel == &*Picture6);
  }
}

void FrmMain::Form_Activate() { HookMouseWheel(*this); }
void FrmMain::Form_Deactivate() { UnhookMouseWheel(); }

void FrmMain::ShowCategoryPanel(ui::PictureBox& shown) {
  for (ui::PictureBox* panel : {&*Picture6, &*Picture7, &*Picture2, &*Picture1}) {
    panel->SetEnabled(panel == &shown);
    panel->SetVisible(panel == &shown);
  }
}

void FrmMain::Image3_Click(int Index) {
  PlayClickSound1();
  switch (Index) {
    case 0:
      ScrollbarSelect = 0;
      ShowCategoryPanel(*Picture6);
      VScroll1->SetVisible(true);
      VScroll1->SetValue(scroll1);
      Frame54->SetCaption(LoadResString(569));
      break;
    case 1:
      ScrollbarSelect = 1;
      ShowCategoryPanel(*Picture7);
      VScroll1->SetVisible(true);
      VScroll1->SetValue(scroll2);
      Frame54->SetCaption(LoadResString(293));
      break;
    case 2:
      ScrollbarSelect = 2;
      ShowCategoryPanel(*Picture2);
      VScroll1->SetVisible(true);
      VScroll1->SetValue(scroll3);
      Frame54->SetCaption(LoadResString(461));
      break;
    case 3:
      ShowCategoryPanel(*Picture1);
      VScroll1->SetVisible(false);
      Frame54->SetCaption(LoadResString(339));
      break;
  }
}

void FrmMain::ScrollWidgets() {
  ui::PictureBox* outer = nullptr;
  ui::PictureBox* inner = nullptr;
  int16_t* remembered = nullptr;
  switch (ScrollbarSelect) {
    case 0: outer = &*Picture6; inner = &*Picture5; remembered = &scroll1; break;
    case 1: outer = &*Picture7; inner = &*Picture8; remembered = &scroll2; break;
    case 2: outer = &*Picture2; inner = &*Picture9; remembered = &scroll3; break;
    default: return;
  }
  double value = VScroll1->Value();
  inner->SetTop(static_cast<float>(-((inner->Height() - outer->Height()) * value / 100)));
  *remembered = static_cast<int16_t>(value);
}

void FrmMain::MouseWheel(int32_t MouseKeys, int32_t Rotation, int32_t Xpos, int32_t Ypos) {
  int value = VScroll1->Value();
  if (Rotation > 0) {
    value = std::max(value - VScroll1->LargeChange(), VScroll1->Min());
  } else {
    value = std::min(value + VScroll1->LargeChange(), VScroll1->Max());
  }
  VScroll1->SetValue(value);
}

void FrmMain::Image4_Click(int Index) { OpenFromWidget(kTweakPages, std::size(kTweakPages), Index); }
void FrmMain::Image5_Click(int Index) {
  OpenFromWidget(kMaintenancePages, std::size(kMaintenancePages), Index);
}
void FrmMain::Image6_Click(int Index) {
  OpenFromWidget(kSecurityPages, std::size(kSecurityPages), Index);
}

void FrmMain::Image7_Click(int Index) {
  switch (Index) {
    case 0: PlayClickSound2(); mnu_createpass_Click(); break;
    case 1: PlayClickSound2(); mnu_changepass_Click(); break;
    case 2: PlayClickSound2(); mnu_rempassword_Click(); break;
    case 3:
      PlayClickSound2();
      Hide();
      frmAbout->Show(ui::vbModeless, this);
      break;
  }
}

void FrmMain::Check1_Click() {
  if (loading_) return;
  // The settings key is created when missing, so the choice is not lost.
  platform::RegKey key = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kSettingsKey, RegWriteAccess);
  if (Check1->Value() == 1) {
    key.WriteDword("SoundsEnabled", 2);
    SoundsDisabled = true;
  } else {
    key.WriteDword("SoundsEnabled", 1);
    SoundsDisabled = false;
  }
}

void FrmMain::mnu_createpass_Click() {
  if (PasswordSet() == 1) {
    MsgBox(LoadResString(8), MB_OK | MB_ICONINFORMATION, kAppTitle);
  } else {
    frmcreatepass->Show(ui::vbModeless, this);
  }
}

void FrmMain::mnu_changepass_Click() {
  if (PasswordSet() == 1) {
    frmchangepass->Show(ui::vbModeless, this);
  } else {
    MsgBox(LoadResString(9), MB_OK | MB_ICONINFORMATION, kAppTitle);
  }
}

void FrmMain::mnu_rempassword_Click() {
  if (PasswordSet() == 1) {
    frmremovepass->Show(ui::vbModeless, this);
  } else {
    MsgBox(LoadResString(10), MB_OK | MB_ICONINFORMATION, kAppTitle);
  }
}

void FrmMain::restore_menu_Click() { FRMsysRestore->Show(ui::vbModeless, this); }

void FrmMain::mnu_exit_Click() { Unload(); }

// An Auto Tuner run works on pages that closing the main window would unload under it, and
// the restart question would come before the run has done its work: the close waits until
// the run has ended (End Task sends it to the disabled window all the same).
void FrmMain::Form_QueryUnload(int& cancel, int unloadMode) {
  if (frmOneButton.Exists() && frmOneButton->Running()) {
    cancel = 1;
    closeWaiting_ = unloadMode;
  }
}

// Windows asks before a log-off or shut-down. During an Auto Tuner run the answer is no:
// the session would end wherever the run is (halfway through a service preset, say). The
// run gives the main window its reason for Windows to show.
bool FrmMain::OnMessage(UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message != WM_QUERYENDSESSION) return false;
  *result = frmOneButton.Exists() && frmOneButton->HoldsTheProgram() ? FALSE : TRUE;
  return true;
}

void FrmMain::CloseWaitingForTheAutoTuner() {
  if (closeWaiting_ < 0) return;
  const int unloadMode = std::exchange(closeWaiting_, -1);
  if (Loaded()) UnloadBecause(unloadMode);
}

void FrmMain::Form_Unload(int& cancel) {
  if (RestartNeeded) {
    // Without the force flag, so that other programs may ask to save their work.
    ColorNextDialog(RGB(0, 0, 0), MsgBoxShade(), RGB(0, 0, 0), MsgBoxShade());
    platform::dialogs().RestartDialog(hWnd(), "", EWX_REBOOT);
  } else {
    MsgBox(LoadResString(1136), MB_OK | MB_ICONINFORMATION, kAppTitle);
  }
  // Closing the main window ends the program: forms that were left loaded (hidden pages
  // of the Auto Tuner, an about box without owner) go too, without bringing this window
  // back, so that no hidden elevated process stays behind.
  ProgramEnding = true;
  for (ui::Form* form : ui::LoadedForms())
    if (form != this) form->Unload();
}

void FrmMain::help_menu2_Click() {
  if (!hHelp) hHelp = std::make_unique<HTMLHelp>();
  hHelp->CHMFile(AppPath() + "\\Quenvor.chm");
  hHelp->HHDisplayContents();
}

void FrmMain::about_menu_Click() { frmAbout->Show(ui::vbModeless, nullptr); }

void FrmMain::Picture_Click() { platform::webBrowser().Open(kMakerWebPage); }

std::string FrmMain::Encrypt(const std::string& sResult) { return EncryptPasswordText(sResult); }
std::string FrmMain::Decrypt(const std::string& tResult) { return DecryptPasswordText(tResult); }

void FrmMain::Timer1_Timer() { UpdateResourceMonitor(); }

void FrmMain::UpdateResourceMonitor() {
  MEMORYSTATUSEX status{};
  status.dwLength = 64;
  if (!platform::systemFacts().MemoryStatus(&status)) status = MEMORYSTATUSEX{};
  auto bars = ResourceMonitorBars(status.ullTotalPhys, status.ullAvailPhys, status.ullTotalPageFile,
                                  status.ullAvailPageFile);
  for (int i : {0, 2, 3, 6, 7, 1, 4, 5}) {
    ui::ProgressBar& bar = vbalProgressBar1[i];
    bar.SetMax(bars[i].max);
    bar.SetValue(bars[i].value);
    bar.SetText(bars[i].text);
  }
}

void FrmMain::LoadResize() { ScalePageToScreen(*this, 2); }

void FrmMain::Pause(float seconds) {
  const std::time_t t0 = platform::clock().Now();
  do {
    ui::DoEvents();
  } while (std::difftime(platform::clock().Now(), t0) < seconds);
}

void FrmMain::FolderDelete(const std::string& strBaseFolder, bool blnContentOnly, bool blnShowErrors) {
  ::FolderDelete(strBaseFolder, blnContentOnly, blnShowErrors);
}

void FrmMain::CheckWMI() {
  platform::ServiceControl ctlService1;
  wmi_guard::CheckWMI(ctlService1);
}

void FrmMain::StartWMI() {
  platform::ServiceControl ctlService1;
  wmi_guard::StartWMI(ctlService1);
}

void FrmMain::PlayClickSound1() {
  if (!SoundsDisabled) platform::sound().Play(AppPath() + "\\click1.wav", SND_ASYNC);
}

void FrmMain::PlayClickSound2() {
  if (!SoundsDisabled) platform::sound().Play(AppPath() + "\\click2.wav", SND_ASYNC);
}
