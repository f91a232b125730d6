#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/seam.h"
#include "support/fakes.h"
#include "ui/HyperLink.h"
#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::TextBox, .name = "Text1", .rect = {240, 240, 2400, 315}},
    {.kind = Kind::Custom, .name = "Link1", .rect = {240, 720, 3000, 255}, .caption = "Our home page",
     .customClass = ui::kHyperLinkClass},
};
constexpr ui::FormDef kForm{.name = "frmLinks", .caption = "Links", .width = 4800, .height = 2400};

class FrmLinks : public ui::Form {
 public:
  FrmLinks() : Form(kForm, kDesign) {}
  ui::Ctl<ui::HyperLink> Link1{this, "Link1"};
  int clicks = 0;
  bool unloadOnClick = false;

 protected:
  void BindEvents() override {
    Link1->Click = [this] {
      ++clicks;
      if (unloadOnClick) Unload();
    };
  }
};

class HyperLinkTest : public testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    form.Link1->SetTarget("https://quenvor.example/");
    ui::DoEvents();
  }
  void TearDown() override {
    form.Unload();
    ui::DoEvents();
  }
  HWND Link() { return form.Link1->hWnd(); }
  std::string WindowText(HWND hwnd) {
    char buffer[256]{};
    SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  // A left click: pressed at `down`, released at `up` (client pixels of the link).
  void Click(POINT down, POINT up) {
    SendMessageA(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    SendMessageA(Link(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    ui::DoEvents();
  }

  FakeWebBrowser browser;
  platform::Override<platform::WebBrowser> useBrowser{browser};
  FrmLinks form;
};

TEST_F(HyperLinkTest, IsAWindowOfItsOwnWhoseTextReadsBack) {
  char className[64]{};
  GetClassNameA(Link(), className, sizeof className);
  EXPECT_STREQ(className, "QuenvorHyperLink");
  EXPECT_TRUE(GetWindowLongA(Link(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(WindowText(Link()), "Our home page");
  form.Link1->SetCaption("Elsewhere");
  EXPECT_EQ(WindowText(Link()), "Elsewhere");
  EXPECT_EQ(form.Link1->Caption(), "Elsewhere");
  // Its font is the form's font, as the form sets it.
  EXPECT_NE(SendMessageA(Link(), WM_GETFONT, 0, 0), 0);
}

TEST_F(HyperLinkTest, AClickOpensTheTargetThroughTheBrowserSeam) {
  Click({5, 5}, {6, 6});
  ASSERT_EQ(browser.opened.size(), 1u);
  EXPECT_EQ(browser.opened[0], "https://quenvor.example/");
  EXPECT_EQ(form.clicks, 1);

  // Pressed on the link but released outside it: no click.
  Click({5, 5}, {5, 500});
  EXPECT_EQ(browser.opened.size(), 1u);
  EXPECT_EQ(form.clicks, 1);

  // Space while it has the focus.
  SetFocus(Link());
  PostMessageA(Link(), WM_KEYDOWN, VK_SPACE, 0);
  ui::DoEvents();
  EXPECT_EQ(browser.opened.size(), 2u);
  EXPECT_EQ(form.clicks, 2);
}

TEST_F(HyperLinkTest, WithoutATargetOnlyTheClickEventIsRaised) {
  form.Link1->SetTarget("");
  Click({5, 5}, {5, 5});
  EXPECT_TRUE(browser.opened.empty());
  EXPECT_EQ(form.clicks, 1);
}

TEST_F(HyperLinkTest, AClickThatUnloadsTheFormIsSafe) {
  form.unloadOnClick = true;
  Click({5, 5}, {5, 5});
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(browser.opened.size(), 1u);
  // Reloaded, the link starts from its design: no target until the form sets one.
  form.Show();
  EXPECT_EQ(form.Link1->Target(), "");
  EXPECT_EQ(WindowText(Link()), "Our home page");
}

}  // namespace
