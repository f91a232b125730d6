// The real firewall under Wine: its objects are made and answer, but the authorized
// applications cannot be listed, and additions and removals change nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/firewall.h"
#include "platform/seam.h"
#include "security/frmFirewall.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/test_service.h"

namespace {

constexpr const char* kProgram = "C:\\Program Files\\Two Words\\app.exe";

TEST(RealFirewallTest, TheObjectsAnswerAndAListThatCannotBeHadIsAFailure) {
  platform::Firewall& real = platform::Firewall::Real();
  std::vector<platform::FirewallApplication> listed;
  EXPECT_FALSE(real.List(&listed));
  EXPECT_TRUE(listed.empty());
  // Manager, policy, profile, collection and a new application are all made, and the
  // collection takes the addition, although one of the properties (the remote addresses)
  // is refused on the way.
  EXPECT_EQ(real.Add({.name = "app.exe", .processImageFileName = kProgram}), S_OK);
  real.Remove(kProgram);  // returns; whether Wine calls it done does not matter here
  EXPECT_FALSE(real.List(&listed));
  EXPECT_TRUE(listed.empty());
}

TEST(RealFirewallTest, WithTheServiceRunningThePageSaysItCannotReadTheList) {
  ScopedTestService service("MpsSvc", SERVICE_DEMAND_START);
  ASSERT_TRUE(ArrangeService("MpsSvc", SERVICE_DEMAND_START, true));
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs(dialogs);
  dialogs.AnswerMessageBox(IDOK);
  frmFirewall->Load();
  auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "Windows Firewall's authorized applications could not be read, so the list may be incomplete.");
  EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_TRUE(frmFirewall->vbalListViewCtl3->Enabled());
  EXPECT_TRUE(frmFirewall->Command70->Enabled());
  EXPECT_EQ(frmFirewall->vbalListViewCtl3->ItemCount(), 0);
  frmFirewall->Unload();
  CloseMainWindow();
}

}  // namespace
