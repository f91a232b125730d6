// The Security category's widgets open the restriction pages over the hidden main window,
// each with its own caption, and closing a page brings the main window back.
#include <functional>

#include "page_fixture.h"
#include "security/frmControlPanel.h"
#include "security/frmDesktop.h"
#include "security/frmLockDown.h"
#include "security/frmLoginAuth.h"
#include "security/frmStartMenu.h"
#include "security/frmSystem.h"
#include "security/frmUAC.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"

namespace {

struct WidgetCase {
  int widget;
  std::function<ui::Form&()> page;
  int caption;
};

TEST_F(SecurityPageTest, EachWidgetOpensItsPageWithItsCaption) {
  const WidgetCase cases[] = {
      {0, []() -> ui::Form& { return *frmStartMenu; }, 489},
      {1, []() -> ui::Form& { return *frmSystem; }, 510},
      {2, []() -> ui::Form& { return *frmDesktop; }, 106},
      {3, []() -> ui::Form& { return *frmControlPanel; }, 76},
      {4, []() -> ui::Form& { return *frmLoginAuth; }, 288},
      {7, []() -> ui::Form& { return *frmLockDown; }, 596},
      {8, []() -> ui::Form& { return *frmUAC; }, 603},
  };
  for (const WidgetCase& c : cases) {
    SCOPED_TRACE(c.caption);
    frmmain->Image6_Click(c.widget);
    ui::Form& page = c.page();
    ASSERT_TRUE(page.Loaded());
    EXPECT_TRUE(IsWindowVisible(page.hWnd()));
    EXPECT_FALSE(IsWindowVisible(frmmain->hWnd()));
    char text[128]{};
    GetWindowTextA(page.hWnd(), text, sizeof text);
    EXPECT_EQ(text, LoadResString(c.caption));
    SendMessageA(page.hWnd(), WM_CLOSE, 0, 0);
    ui::DoEvents();
    EXPECT_FALSE(page.Loaded());
    EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  }
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

}  // namespace
