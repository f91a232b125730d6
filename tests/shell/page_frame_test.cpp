#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <functional>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/PageFrame.h"
#include "shell/ProgramState.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/registry_fixture.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::CheckBox, .name = "Check1", .rect = {240, 240, 3000, 255}, .caption = "Setting"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {240, 900, 1200, 375}, .caption = "Close"},
    {.kind = Kind::CommandButton, .name = "Command2", .rect = {1600, 900, 1200, 375}, .caption = "Back"},
};
constexpr ui::FormDef kForm{.name = "frmStandIn", .caption = "Stand-in", .width = 4800, .height = 2400};

// A page in the frame's shape: reads one registry value at load, a plain close button and
// a close-and-return button.
class FrmStandIn : public Page {
 public:
  explicit FrmStandIn(const ScopedTestKey& key) : Page(kForm, kDesign), key_(key) {}
  ui::Ctl<ui::CheckBox> Check1{this, "Check1"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  int reads = 0;

 protected:
  void BindEvents() override {
    Command1->Click = [this] { Unload(); };
    Command2->Click = [this] { CloseAndReturn(*this); };
  }
  void Form_Load() override {
    ++reads;
    platform::RegKey k(key_.Root(), key_.Path(), KEY_QUERY_VALUE);
    Check1->SetValue(k.ReadDword("Setting", 0) == 1 ? 1 : 0);
  }

 private:
  const ScopedTestKey& key_;
};

class PageFrameTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::RegKey::Create(key.Root(), key.Path(), 0).WriteDword("Setting", 1);
    frmmain->Show();
  }
  void TearDown() override {
    page.Unload();
    CloseMainWindow();
  }
  void SetSetting(DWORD v) { platform::RegKey(key.Root(), key.Path(), KEY_SET_VALUE).WriteDword("Setting", v); }
  bool MainVisible() { return IsWindowVisible(frmmain->hWnd()) != 0; }

  ScopedTestKey key;
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FrmStandIn page{key};
};

TEST_F(PageFrameTest, OpeningHidesTheMainWindowAndShowsThePageOwnedByIt) {
  OpenPage(page);
  EXPECT_FALSE(MainVisible());
  EXPECT_TRUE(IsWindowVisible(page.hWnd()));
  EXPECT_EQ(GetWindow(page.hWnd(), GW_OWNER), frmmain->hWnd());
  EXPECT_EQ(page.Check1->Value(), 1);
  ASSERT_EQ(sound.played.size(), 1u);
  EXPECT_EQ(sound.played[0].path, AppPath() + "\\click2.wav");
  EXPECT_EQ(sound.played[0].flags, static_cast<UINT>(SND_ASYNC));
}

TEST_F(PageFrameTest, EveryWayOfClosingBringsTheMainWindowBack) {
  struct Way {
    const char* name;
    std::function<void(FrmStandIn&)> close;
  };
  const Way ways[] = {
      {"close box", [](FrmStandIn& p) { SendMessageA(p.hWnd(), WM_CLOSE, 0, 0); }},
      {"plain close button", [](FrmStandIn& p) { SendMessageA(p.Command1->hWnd(), BM_CLICK, 0, 0); }},
      {"close-and-return button", [](FrmStandIn& p) { SendMessageA(p.Command2->hWnd(), BM_CLICK, 0, 0); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    OpenPage(page);
    ASSERT_FALSE(MainVisible());
    way.close(page);
    ui::DoEvents();
    EXPECT_FALSE(page.Loaded());
    EXPECT_TRUE(MainVisible());
    EXPECT_EQ(ui::LoadedFormCount(), 1);
  }
}

TEST_F(PageFrameTest, AReopenedPageReadsItsSettingsAgain) {
  OpenPage(page);
  page.Unload();
  SetSetting(0);
  OpenPage(page);
  EXPECT_EQ(page.reads, 2);
  EXPECT_EQ(page.Check1->Value(), 0);
}

TEST_F(PageFrameTest, APageLoadedHiddenKeepsItsStateWhenShown) {
  page.Hide();  // as the Auto Tuner loads a page
  page.Check1->SetValue(0);
  SetSetting(1);
  OpenPage(page);
  EXPECT_EQ(page.reads, 1);
  EXPECT_EQ(page.Check1->Value(), 0);
  EXPECT_TRUE(IsWindowVisible(page.hWnd()));
}

TEST_F(PageFrameTest, NoSoundWhileSoundsAreDisabled) {
  SoundsDisabled = true;
  OpenPage(page);
  SoundsDisabled = false;
  EXPECT_TRUE(sound.played.empty());
}

}  // namespace
