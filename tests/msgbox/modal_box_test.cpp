// Message boxes are modal to the program: while a real box is up, no window of the program
// takes a user's click, whoever owns the box; afterwards every window the box disabled
// takes clicks again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <memory>

#include "shell/ColouredMessageBox.h"
#include "support/real_input.h"
#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::CheckBox, .name = "Check1", .rect = {240, 240, 3000, 315}, .caption = "option"},
};

// Two windows of the program side by side at the top of the screen, where no box covers
// them: the main window and a page it owns.
constexpr ui::FormDef kMain{.name = "frmMainProbe", .caption = "Main", .left = 600, .top = 600,
                            .width = 5400, .height = 2400, .startUp = ui::StartUpPosition::Manual};
constexpr ui::FormDef kPage{.name = "frmPageProbe", .caption = "Page", .left = 6600, .top = 600,
                            .width = 5400, .height = 2400, .startUp = ui::StartUpPosition::Manual};

class Probe : public ui::Form {
 public:
  explicit Probe(const ui::FormDef& def) : Form(def, kDesign) {}
  ui::Ctl<ui::CheckBox> Check1{this, "Check1"};
};

enum class Owner { Page, Main, None };

struct ModalCase {
  const char* name;
  UINT style;
  bool otherProgramInFront;  // no window of ours is active when the box comes
  bool callerNamesMain;      // the caller passes the main window as owner
  bool mainDisabledBefore;   // the program itself had disabled the main window
  Owner owner;
};

class ModalBox : public testing::TestWithParam<ModalCase> {
 protected:
  void SetUp() override {
    main.Show();
    page.Show(ui::vbModeless, &main);
    ui::DoEvents();
  }
  void TearDown() override {
    page.Unload();
    main.Unload();
    ui::DoEvents();
  }
  HWND WindowOf(Owner owner) {
    return owner == Owner::Page ? page.hWnd() : owner == Owner::Main ? main.hWnd() : nullptr;
  }

  Probe main{kMain};
  Probe page{kPage};
};

TEST_P(ModalBox, NoWindowOfTheProgramTakesAClickWhileTheBoxIsUp) {
  const ModalCase& c = GetParam();
  std::unique_ptr<OtherProgramWindow> other;
  if (c.otherProgramInFront) {
    other = std::make_unique<OtherProgramWindow>();
    other->ComeToFront();
    ASSERT_EQ(GetActiveWindow(), nullptr) << "a window of ours is still active";
  }
  if (c.mainDisabledBefore) EnableWindow(main.hWnd(), FALSE);

  bool pageEnabled = true, mainEnabled = true;
  HWND boxOwner = reinterpret_cast<HWND>(-1);
  {
    RealMessageBoxes boxes;
    boxes.Answer(IDOK, [&](HWND box) {
      boxOwner = GetWindow(box, GW_OWNER);
      pageEnabled = IsWindowEnabled(page.hWnd());
      mainEnabled = IsWindowEnabled(main.hWnd());
      RECT covered{};
      GetWindowRect(box, &covered);
      for (Probe* form : {&page, &main}) {
        POINT target = CentreOf(form->Check1->hWnd());
        ASSERT_FALSE(PtInRect(&covered, target)) << "the box covers " << form->Name();
        ASSERT_TRUE(ClickAt(target));
      }
      // A close box of a disabled window does not close it either.
      POINT close = CloseBoxOf(page.hWnd());
      ASSERT_NE(close.x, -1);
      ASSERT_TRUE(ClickAt(close));
    });
    MsgBox("Settings saved.", c.style, "Quenvor Pro", c.callerNamesMain ? main.hWnd() : nullptr);
    EXPECT_EQ(boxes.Answered(), 1);
  }

  EXPECT_EQ(boxOwner, WindowOf(c.owner));
  EXPECT_FALSE(pageEnabled);
  EXPECT_FALSE(mainEnabled);
  EXPECT_EQ(page.Check1->Value(), 0) << "a click reached the page";
  EXPECT_EQ(main.Check1->Value(), 0) << "a click reached the main window";
  EXPECT_TRUE(page.Loaded()) << "the page was closed";

  // Afterwards the same clicks land again, and a window the program had disabled itself
  // stays so.
  EXPECT_TRUE(IsWindowEnabled(page.hWnd()));
  EXPECT_EQ(IsWindowEnabled(main.hWnd()) != 0, !c.mainDisabledBefore);
  ASSERT_TRUE(ClickAt(CentreOf(page.Check1->hWnd())));
  EXPECT_EQ(page.Check1->Value(), 1);
  ASSERT_TRUE(ClickAt(CentreOf(main.Check1->hWnd())));
  EXPECT_EQ(main.Check1->Value(), c.mainDisabledBefore ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Owners, ModalBox,
    testing::Values(
        ModalCase{"OwnedByTheActivePage", MB_OK | MB_ICONINFORMATION, false, false, false, Owner::Page},
        ModalCase{"SystemModalOwnedByTheActivePage", MB_OK | MB_SYSTEMMODAL, false, false, false,
                  Owner::Page},
        ModalCase{"OwnedByTheWindowTheCallerNames", MB_OK, false, true, false, Owner::Main},
        ModalCase{"TaskModalWhileAnotherProgramIsInFront", MB_OK, true, false, false, Owner::None},
        ModalCase{"SystemModalWhileAnotherProgramIsInFront", MB_OK | MB_SYSTEMMODAL, true, false,
                  false, Owner::None},
        ModalCase{"AWindowTheProgramDisabledStaysDisabled", MB_OK, false, false, true, Owner::Page}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
