#include "security/frmLockDown.h"

#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/Strings.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

// One drive class: its group frame and the white background that holds its two options
// and its information label.
#define DRIVE_GROUP(frame, left, top, picture, enable, disable, label)                          \
  {.kind = Kind::Frame, .name = "Frame2", .index = frame, .parent = "Picture5",                 \
   .rect = {left, top, 3960, 2040}},                                                             \
  {.kind = Kind::PictureBox, .name = picture, .parent = "Frame2", .parentIndex = frame,           \
   .rect = {120, 240, 3720, 1680}, .backColor = kWhite},                                         \
  {.kind = Kind::OptionButton, .name = enable, .parent = picture, .rect = {120, 120, 3480, 300}, \
   .caption = "Enable Access", .backColor = kWhite},                                             \
  {.kind = Kind::OptionButton, .name = disable, .parent = picture, .rect = {120, 480, 3480, 300}, \
   .caption = "Disable Access", .backColor = kWhite},                                            \
  {.kind = Kind::Label, .name = label, .parent = picture, .rect = {120, 1140, 1500, 255},        \
   .caption = "More Info...", .foreColor = kLinkBlue, .backColor = kWhite,                       \
   .pointer = ui::Pointer::Hand}

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame1", .rect = {120, 120, 8520, 4800}, .caption = "Lock-Down"},
    {.kind = Kind::PictureBox, .name = "Picture5", .parent = "Frame1", .rect = {120, 240, 8280, 4440},
     .backColor = kWhite},
    DRIVE_GROUP(0, 120, 120, "Picture1", "Option1", "Option2", "Label1"),  // USB
    DRIVE_GROUP(1, 4200, 120, "Picture2", "Option5", "Option6", "Label3"),  // CD-ROM/DVD
    DRIVE_GROUP(2, 120, 2280, "Picture3", "Option3", "Option4", "Label2"),  // floppy
    DRIVE_GROUP(3, 4200, 2280, "Picture4", "Option7", "Option8", "Label4"),  // high-capacity floppy
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {120, 5100, 2520, 435},
     .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command2", .rect = {6120, 5100, 2520, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};
#undef DRIVE_GROUP

constexpr ui::FormDef kForm{.name = "frmLockDown",
                            .caption = "Kestamund",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 8760,
                            .clientHeight = 5700};

constexpr CaptionLine kCaptions[] = {
    {{"Frame1"}, 285},     {{"Frame2", 0}, 574},  {{"Frame2", 1}, 48},   {{"Frame2", 2}, 212},
    {{"Frame2", 3}, 252},  {{"Option1"}, 187},    {{"Option2"}, 114},    {{"Option5"}, 187},
    {{"Option6"}, 114},    {{"Option3"}, 187},    {{"Option4"}, 114},    {{"Option7"}, 187},
    {{"Option8"}, 114},    {{"Label1"}, 304},     {{"Label2"}, 304},     {{"Label3"}, 304},
    {{"Label4"}, 304},     {{"Command1"}, 446},   {{"Command2"}, 64},
};

// The four drivers in reading and writing order; a row's caption (its group frame's) names
// the drive class when it could not be saved.
constexpr const char* kUsbKey = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
constexpr const char* kCdromKey = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";
constexpr const char* kFloppyKey = "SYSTEM\\CurrentControlSet\\Services\\Flpydisk";
constexpr const char* kHighCapacityKey = "SYSTEM\\CurrentControlSet\\Services\\Sfloppy";

constexpr TweakBinding kSaveDriveLockSettings[] = {
    {.control = {"Option1"}, .other = {"Option2"}, .caption = 574, .root = HKLM, .key = kUsbKey,
     .value = "Start", .kind = ServiceStart, .ticked = Dword(3)},
    {.control = {"Option5"}, .other = {"Option6"}, .caption = 48, .root = HKLM, .key = kCdromKey,
     .value = "Start", .kind = ServiceStart, .ticked = Dword(1)},
    {.control = {"Option3"}, .other = {"Option4"}, .caption = 212, .root = HKLM, .key = kFloppyKey,
     .value = "Start", .kind = ServiceStart, .ticked = Dword(3)},
    {.control = {"Option7"}, .other = {"Option8"}, .caption = 252, .root = HKLM,
     .key = kHighCapacityKey, .value = "Start", .kind = ServiceStart, .ticked = Dword(3)},
};

constexpr std::span<const TweakBinding> kReaders[] = {kSaveDriveLockSettings};

constexpr SaveStep kSaveSteps[] = {
    {Step::Write, kSaveDriveLockSettings},
    {Step::SetRestartNeeded},
    {Step::Message},
    {Step::Unload},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 183};

constexpr RestrictionPage::Contents kContents{
    .windowCaption = 596, .captions = kCaptions, .readers = kReaders, .save = &kSave};

void ShowInformation(const std::string& text, const std::string& title) {
  MsgBox(text, MB_OK | MB_ICONINFORMATION, title);
}

}  // namespace

FrmLockDown::FrmLockDown() : RestrictionPage(kForm, kDesign, kContents) {}

void FrmLockDown::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  Label1->Click = [this] { Label1_Click(); };
  Label2->Click = [this] { Label2_Click(); };
  Label3->Click = [this] { Label3_Click(); };
  Label4->Click = [this] { Label4_Click(); };
}

void FrmLockDown::ScaleToScreen() { ScaleDialogToScreen(*this); }

void FrmLockDown::Command1_Click() { Save(); }

void FrmLockDown::Command2_Click() { Unload(); }

void FrmLockDown::Label1_Click() { ShowInformation(LoadResString(170), LoadResString(575)); }
void FrmLockDown::Label2_Click() { ShowInformation(LoadResString(168), LoadResString(211)); }
void FrmLockDown::Label3_Click() { ShowInformation(LoadResString(167), "CD-ROM\\DVD Drive Info"); }
void FrmLockDown::Label4_Click() { ShowInformation(LoadResString(169), LoadResString(251)); }
