#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "platform/seam.h"
#include "shell/LayoutScaling.h"
#include "support/fakes.h"
#include "ui/DriveList.h"
#include "ui/ListView.h"
#include "ui/TreeView.h"
#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame1", .rect = {120, 120, 4800, 3000}, .caption = "Frame"},
    {.kind = Kind::Label, .name = "Label1", .parent = "Frame1", .rect = {240, 360, 3000, 300}},
    {.kind = Kind::ComboBox, .name = "Combo1", .rect = {120, 3300, 2400, 315}, .style = ui::kDropDownList},
    {.kind = Kind::Custom, .name = "Drive1", .rect = {2640, 3300, 2400, 315},
     .customClass = ui::kDriveListClass},
    {.kind = Kind::Line, .name = "Line1", .rect = {120, 3900, 4920, 3900}},
    {.kind = Kind::Image, .name = "Image1", .rect = {5100, 120, 720, 720}},
    {.kind = Kind::Timer, .name = "Timer1", .max = 1000},
    {.kind = Kind::Custom, .name = "List1", .rect = {120, 4000, 4800, 600}, .value = ui::kListReport,
     .customClass = ui::kListViewClass},
    {.kind = Kind::Custom, .name = "Tree1", .rect = {5100, 900, 800, 3000}, .customClass = ui::kTreeViewClass},
    {.kind = Kind::Menu, .name = "mnuFile", .caption = "File"},
};

constexpr ui::FormDef kForm{.name = "frmScaled", .caption = "Scaled", .left = 600, .top = 300,
                            .width = 6000, .height = 4800, .startUp = ui::StartUpPosition::Manual};

class FrmScaled : public ui::Form {
 public:
  FrmScaled() : Form(kForm, kDesign) {}
  ui::Ctl<ui::Label> Label1{this, "Label1"};
  ui::Ctl<ui::Frame> Frame1{this, "Frame1"};
  ui::Ctl<ui::ComboBox> Combo1{this, "Combo1"};
  ui::Ctl<ui::DriveList> Drive1{this, "Drive1"};
  ui::Ctl<ui::Line> Line1{this, "Line1"};
  ui::Ctl<ui::Image> Image1{this, "Image1"};
  ui::Ctl<ui::ListView> List1{this, "List1"};
  ui::Ctl<ui::TreeView> Tree1{this, "Tree1"};
};

struct ScreenCase {
  const char* name;
  int width, height, dpi;
  bool scaled;
  float sx, sy, font;  // the factors as the scaler computes them (single precision)
};

// Factors written as the single-precision results the scaler must produce.
const ScreenCase kScreens[] = {
    {"1024x768", 1024, 768, 96, false, 1, 1, 1},
    {"800x600", 800, 600, 96, false, 1, 1, 1},
    {"1280x1024_96dpi", 1280, 1024, 96, true, 1.25f, 1.3333334f, 1.1742425f},
    {"1920x1080_144dpi_shrinks", 1920, 1080, 144, true, 0.53333336f, 0.7111111f, 0.5656566f},
    {"1366x768_96dpi", 1366, 768, 96, true, 1.3339844f, 1.0f, 1.060902f},
};

class ScalingTest : public testing::TestWithParam<ScreenCase> {
 protected:
  void SetUp() override {
    facts.screenWidth = GetParam().width;
    facts.screenHeight = GetParam().height;
    facts.logPixelsX = GetParam().dpi;
  }
  void TearDown() override { form.Unload(); }
  FakeSystemFacts facts;
  platform::Override<platform::SystemFacts> useFacts{facts};
  FrmScaled form;
};

TEST_P(ScalingTest, PageScalerScalesEveryControlAndTheForm) {
  const ScreenCase& c = GetParam();
  form.Load();
  form.List1->AddColumn("NAME", "Name").SetWidth(1500);
  form.List1->AddColumn("PATH", "Path").SetWidth(3000);
  ScalePageToScreen(form);

  EXPECT_EQ(ScreenWidthPx, c.width);
  EXPECT_EQ(ScreenHeightPx, c.height);
  EXPECT_EQ(TwipsPerPixelX, 1440 / c.dpi);
  EXPECT_EQ(DpiIsNormal, c.dpi == 96);
  // Design values times the factors, in single precision.
  EXPECT_FLOAT_EQ(form.Label1->Left(), 240 * c.sx);
  EXPECT_FLOAT_EQ(form.Label1->Top(), 360 * c.sy);
  EXPECT_FLOAT_EQ(form.Label1->Width(), 3000 * c.sx);
  EXPECT_FLOAT_EQ(form.Label1->Height(), 300 * c.sy);
  EXPECT_FLOAT_EQ(form.Label1->FontSize(), 8 * c.font);
  EXPECT_FLOAT_EQ(form.Frame1->Width(), 4800 * c.sx);
  // A combo box grows in width only.
  EXPECT_FLOAT_EQ(form.Combo1->Width(), 2400 * c.sx);
  EXPECT_FLOAT_EQ(form.Combo1->Height(), 315);
  EXPECT_FLOAT_EQ(form.Combo1->FontSize(), 8 * c.font);
  // So does a drive list.
  EXPECT_FLOAT_EQ(form.Drive1->Left(), 2640 * c.sx);
  EXPECT_FLOAT_EQ(form.Drive1->Top(), 3300 * c.sy);
  EXPECT_FLOAT_EQ(form.Drive1->Width(), 2400 * c.sx);
  EXPECT_FLOAT_EQ(form.Drive1->Height(), 315);
  EXPECT_FLOAT_EQ(form.Drive1->FontSize(), 8 * c.font);
  EXPECT_FLOAT_EQ(form.Line1->X2(), 4920 * c.sx);
  EXPECT_FLOAT_EQ(form.Line1->Y1(), 3900 * c.sy);
  EXPECT_FLOAT_EQ(form.Image1->Width(), 720 * c.sx);
  EXPECT_EQ(form.Image1->Stretch(), c.scaled && c.dpi != 96);
  // A list view is sized like a box, and its columns keep their share of its width.
  EXPECT_FLOAT_EQ(form.List1->Width(), 4800 * c.sx);
  EXPECT_FLOAT_EQ(form.List1->Height(), 600 * c.sy);
  EXPECT_FLOAT_EQ(form.List1->FontSize(), 8 * c.font);
  EXPECT_FLOAT_EQ(form.List1->Column(1).Width(), 1500 * c.sx);
  EXPECT_FLOAT_EQ(form.List1->Column(2).Width(), 3000 * c.sx);
  EXPECT_EQ(SendMessageA(form.List1->hWnd(), LVM_GETCOLUMNWIDTH, 1, 0),
            std::lround(3000 * c.sx / (1440.0f / c.dpi)));
  // A tree view is sized like a box, its font with the others.
  EXPECT_FLOAT_EQ(form.Tree1->Left(), 5100 * c.sx);
  EXPECT_FLOAT_EQ(form.Tree1->Height(), 3000 * c.sy);
  EXPECT_FLOAT_EQ(form.Tree1->FontSize(), 8 * c.font);
  EXPECT_FLOAT_EQ(form.Width(), 6000 * c.sx);
  EXPECT_FLOAT_EQ(form.Height(), 4800 * c.sy);
  EXPECT_FLOAT_EQ(form.Left(), 600 * c.sx);
  EXPECT_EQ(form.ScaleMode(), 1);
}

TEST_P(ScalingTest, ScalingStartsAgainFromTheDesignAfterUnload) {
  const ScreenCase& c = GetParam();
  form.Load();
  ScalePageToScreen(form);
  form.Unload();
  form.Load();
  EXPECT_FLOAT_EQ(form.Label1->Width(), 3000);
  ScalePageToScreen(form);
  EXPECT_FLOAT_EQ(form.Label1->Width(), 3000 * c.sx);
}

INSTANTIATE_TEST_SUITE_P(Screens, ScalingTest, testing::ValuesIn(kScreens),
                         [](const auto& info) { return std::string(info.param.name); });

class DialogScalingTest : public testing::Test {
 protected:
  void SetUp() override { DpiIsNormal = false; }
  void TearDown() override {
    page.Unload();
    dialog.Unload();
    DpiIsNormal = false;
  }
  FakeSystemFacts facts;
  platform::Override<platform::SystemFacts> useFacts{facts};
  FrmScaled page;
  FrmScaled dialog;
};

TEST_F(DialogScalingTest, ADialogBeforeAnyPageStretchesItsImagesEvenAt96Dpi) {
  dialog.Load();
  ScaleDialogToScreen(dialog);
  EXPECT_TRUE(dialog.Image1->Stretch());
  EXPECT_FLOAT_EQ(dialog.Width(), 6000 * 1.25f);
}

TEST_F(DialogScalingTest, ADialogFollowsTheDpiTheLastPageStored) {
  facts.logPixelsX = 120;
  page.Load();
  ScalePageToScreen(page);
  EXPECT_FALSE(DpiIsNormal);
  facts.logPixelsX = 96;  // the dialog does not look again
  dialog.Load();
  ScaleDialogToScreen(dialog);
  EXPECT_TRUE(dialog.Image1->Stretch());

  facts.logPixelsX = 96;
  page.Unload();
  page.Load();
  ScalePageToScreen(page);
  EXPECT_TRUE(DpiIsNormal);
  dialog.Unload();
  dialog.Load();
  ScaleDialogToScreen(dialog);
  EXPECT_FALSE(dialog.Image1->Stretch());
}

TEST(RealScreenScaling, TheXvfbScreenEnlargesByAQuarterAndAThird) {
  FrmScaled form;
  form.Load();
  ScalePageToScreen(form, 2);
  EXPECT_EQ(ScreenWidthPx, 1280);
  EXPECT_EQ(ScreenHeightPx, 1024);
  EXPECT_EQ(TwipsPerPixelX, 15);
  EXPECT_FLOAT_EQ(form.Label1->Width(), 3000 * 1.25f);
  EXPECT_EQ(form.ScaleMode(), 2);
  // The real window follows the model: 3750 twips are 250 pixels.
  RECT r{};
  GetClientRect(form.Label1->hWnd(), &r);
  EXPECT_EQ(r.right, 250);
  form.Unload();
}

}  // namespace
