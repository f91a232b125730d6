// The services page's listings and actions on the real service manager of the test
// prefix, over the 144 known services (the prefix's own and the fixture's dummies, which
// run as this test program when started). Only dummies are ever ticked.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "services/KnownServices.h"
#include "services/frmServices.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "shell/frmprogress.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/known_service_dummies.h"
#include "support/main_window.h"
#include "support/scoped_environment.h"
#include "support/test_service.h"

namespace {

using services::kKnownServices;

// The rows of the page's list, top to bottom.
std::vector<std::string> Rows(FrmServices& page) {
  std::vector<std::string> rows;
  for (int i = 1; i <= page.ListView1->ItemCount(); ++i) rows.push_back(page.ListView1->Item(i).Text());
  return rows;
}

// The display names of the known services in a state, in table order, read from the
// service manager directly.
std::vector<std::string> KnownServicesWhere(bool (*test)(const ServiceFacts&)) {
  std::vector<std::string> names;
  for (const auto& service : kKnownServices) {
    ServiceFacts facts = ReadServiceFacts(service.key);
    if (facts.exists && test(facts)) names.push_back(service.displayName);
  }
  return names;
}
bool IsRunning(const ServiceFacts& f) { return f.state == SERVICE_RUNNING; }
bool IsStoppedNotDisabled(const ServiceFacts& f) {
  return f.state == SERVICE_STOPPED && f.startType != SERVICE_DISABLED;
}

int RowOf(FrmServices& page, const std::string& displayName) {
  for (int i = 1; i <= page.ListView1->ItemCount(); ++i)
    if (page.ListView1->Item(i).Text() == displayName) return i;
  return 0;
}

class ServicesPage : public KnownServicesTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dummies->Ready());
    RestartNeeded = false;
    closingsBefore_ = frmprogress->Closings();
  }
  void TearDown() override {
    for (const std::string& key : started_) ArrangeService(key, SERVICE_DEMAND_START, false);
    RestartNeeded = false;
    CloseMainWindow();
    dummies->Reset();
  }

  FrmServices& Page() { return *frmServices; }
  int ProgressRuns() const { return frmprogress->Closings() - closingsBefore_; }
  // A dummy brought to running (it is stopped again after the test).
  void Run(const std::string& key) {
    started_.push_back(key);
    ASSERT_TRUE(ArrangeService(key, SERVICE_DEMAND_START, true)) << key;
  }
  void Tick(const std::string& displayName) {
    int row = RowOf(Page(), displayName);
    ASSERT_NE(row, 0) << displayName << " is not listed";
    Page().ListView1->Item(row).SetChecked(true);
  }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  std::vector<std::string> started_;
  int closingsBefore_ = 0;
};

// ---- the page -------------------------------------------------------------------------------

TEST_F(ServicesPage, OpensFromItsWidgetWithItsTextsAndAnEmptyList) {
  frmmain->Image4_Click(10);
  ASSERT_TRUE(Page().Visible());
  EXPECT_FALSE(frmmain->Visible());
  EXPECT_EQ(Page().Caption(), "7 Service Manager");
  EXPECT_EQ(Page().ListView1->ItemCount(), 0);
  EXPECT_EQ(Page().Frame45[1].Caption(), "Services AutoTuner");
  EXPECT_EQ(Page().Command17->Caption(), "Query Stopped Services");
  EXPECT_EQ(Page().Command17->ToolTipText(), "Check which  services are not running");
  EXPECT_EQ(Page().Command16->ToolTipText(), "Select all services listed on your left");
  EXPECT_EQ(Page().Command65->Caption(), "Default");
  // The listings' own names are shown nowhere.
  Page().Command12_Click();
  Page().Command17_Click();
  for (int i = 0; i < Page().ControlCount(); ++i) {
    const std::string caption = Page().Controls(i).Caption();
    EXPECT_NE(caption, LoadResString(442));
    EXPECT_NE(caption, LoadResString(505));
  }
  EXPECT_EQ(Page().Caption(), "7 Service Manager");

  Page().Command1_Click();
  EXPECT_FALSE(Page().Loaded());
  EXPECT_TRUE(frmmain->Visible());
}

// ---- listings ------------------------------------------------------------------------------

TEST_F(ServicesPage, EachListingShowsItsServicesInTableOrderAndADisabledOneInNeither) {
  Run("AxInstSV");
  Run("SensrSvc");
  ASSERT_TRUE(ArrangeService("AeLookupSvc", SERVICE_DISABLED, false));

  Page().Command12_Click();
  std::vector<std::string> running = Rows(Page());
  EXPECT_EQ(running, KnownServicesWhere(IsRunning));
  ASSERT_GE(running.size(), 2u);
  EXPECT_EQ(running[0], "ActiveX Installer");
  EXPECT_EQ(running[1], "Adaptive Brightness");

  Page().Command17_Click();
  std::vector<std::string> stopped = Rows(Page());
  EXPECT_EQ(stopped, KnownServicesWhere(IsStoppedNotDisabled));
  EXPECT_EQ(RowOf(Page(), "ActiveX Installer"), 0);
  EXPECT_LT(RowOf(Page(), "COM+ Event System"), RowOf(Page(), "Computer Browser"));
  for (const auto& rows : {running, stopped}) {
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "Application Experience"), 0);
  }
  // Nothing is changed or shown by a listing.
  EXPECT_EQ(ProgressRuns(), 0);
  EXPECT_FALSE(RestartNeeded);
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(ServicesPage, ASecondListingReplacesTheFirstTicksAndKeysIncluded) {
  Run("AxInstSV");
  Page().Command12_Click();
  Tick("ActiveX Installer");  // row 1 of the running listing

  Page().Command17_Click();
  for (int i = 1; i <= Page().ListView1->ItemCount(); ++i) EXPECT_FALSE(Page().ListView1->Item(i).Checked()) << i;
  // Row 1 now stands for the first stopped service, not for the one it showed before.
  ASSERT_EQ(Page().ListView1->Item(1).Text(), "Adaptive Brightness");
  Page().ListView1->Item(1).SetChecked(true);
  Page().Command14_Click();
  EXPECT_EQ(ReadServiceFacts("SensrSvc").startType, static_cast<DWORD>(SERVICE_DISABLED));
  ServiceFacts first = ReadServiceFacts("AxInstSV");
  EXPECT_EQ(first.state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(first.startType, static_cast<DWORD>(SERVICE_DEMAND_START));
}

// ---- actions ----------------------------------------------------------------------------

struct ActionCase {
  const char* name;
  void (FrmServices::*list)();
  void (FrmServices::*click)();
  int progress;  // string
  DWORD state;
  DWORD startType;
  bool restartNeeded;
};

class Action : public ServicesPage, public testing::WithParamInterface<ActionCase> {};

TEST_P(Action, ActsOnTheTickedRowsOnlyAndKeepsTheList) {
  const ActionCase& c = GetParam();
  // Two dummies in the listing's state: the first ticked, the second not.
  const bool running = c.list == &FrmServices::Command12_Click;
  if (running) {
    Run("AxInstSV");
    Run("SensrSvc");
  }
  const ServiceFacts untouched = ReadServiceFacts("SensrSvc");
  auto same = [](const ServiceFacts& a, const ServiceFacts& b) {
    return a.exists == b.exists && a.state == b.state && a.startType == b.startType;
  };
  (Page().*c.list)();
  const std::vector<std::string> rows = Rows(Page());
  Tick("ActiveX Installer");
  if (!running) started_.push_back("AxInstSV");  // the start action runs it

  (Page().*c.click)();

  ServiceFacts ticked = ReadServiceFacts("AxInstSV");
  EXPECT_EQ(ticked.state, c.state);
  EXPECT_EQ(ticked.startType, c.startType);
  EXPECT_TRUE(same(ReadServiceFacts("SensrSvc"), untouched));
  // The list stays as it was, ticks included.
  EXPECT_EQ(Rows(Page()), rows);
  EXPECT_TRUE(Page().ListView1->Item(RowOf(Page(), "ActiveX Installer")).Checked());
  // One progress window, one step per row.
  EXPECT_EQ(ProgressRuns(), 1);
  EXPECT_EQ(frmprogress->LastClosing().caption, LoadResString(c.progress));
  EXPECT_EQ(frmprogress->LastClosing().max, static_cast<double>(rows.size()));
  EXPECT_EQ(frmprogress->LastClosing().value, static_cast<double>(rows.size()));
  EXPECT_EQ(RestartNeeded, c.restartNeeded);
  EXPECT_TRUE(dialogs.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, Action,
    testing::Values(
        ActionCase{"Stop", &FrmServices::Command12_Click, &FrmServices::Command13_Click, 506,
                   SERVICE_STOPPED, SERVICE_DEMAND_START, false},
        ActionCase{"StopAndDisable", &FrmServices::Command12_Click, &FrmServices::Command14_Click, 506,
                   SERVICE_STOPPED, SERVICE_DISABLED, true},
        ActionCase{"SetToManual", &FrmServices::Command12_Click, &FrmServices::Command16_Click, 54,
                   SERVICE_STOPPED, SERVICE_DEMAND_START, true},
        ActionCase{"Start", &FrmServices::Command17_Click, &FrmServices::Command18_Click, 497,
                   SERVICE_RUNNING, SERVICE_AUTO_START, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServicesPage, ActionsOnAnEmptyListChangeNoServiceAndStillAskForARestart) {
  struct Case {
    void (FrmServices::*click)();
    bool restartNeeded;
  };
  const Case cases[] = {{&FrmServices::Command13_Click, false},
                        {&FrmServices::Command14_Click, true},
                        {&FrmServices::Command16_Click, true},
                        {&FrmServices::Command18_Click, true}};
  for (const Case& c : cases) {
    RestartNeeded = false;
    const int before = ProgressRuns();
    (Page().*c.click)();
    EXPECT_EQ(ProgressRuns(), before + 1);
    EXPECT_EQ(frmprogress->LastClosing().max, 0);
    EXPECT_EQ(frmprogress->LastClosing().value, 0);
    EXPECT_EQ(RestartNeeded, c.restartNeeded);
  }
  EXPECT_EQ(Page().ListView1->ItemCount(), 0);
}

std::set<std::string> Disabled() {
  std::set<std::string> keys;
  for (const auto& service : kKnownServices)
    if (ReadServiceFacts(service.key).startType == SERVICE_DISABLED) keys.insert(service.key);
  return keys;
}

// More rows than the 130 the page once had room for: each row acts on its own service,
// the last included.
TEST_F(ServicesPage, EveryRowOfALongListingActsOnItsOwnService) {
  for (const std::string& key : dummies->Dummies())
    ASSERT_TRUE(ArrangeKnownService(key, SERVICE_DEMAND_START, std::nullopt)) << key;
  Page().Command17_Click();
  const int rows = Page().ListView1->ItemCount();
  ASSERT_GT(rows, 130);
  ASSERT_EQ(Page().ListView1->Item(1).Text(), "ActiveX Installer");
  ASSERT_EQ(Page().ListView1->Item(rows).Text(), "WWAN AutoConfig");
  Page().ListView1->Item(1).SetChecked(true);
  Page().ListView1->Item(rows).SetChecked(true);
  std::set<std::string> disabledBefore = Disabled();  // the prefix's own disabled ones
  disabledBefore.insert({"AxInstSV", "WwanSvc"});

  Page().Command14_Click();

  EXPECT_EQ(Disabled(), disabledBefore);
}

// ---- what the Default preset does to the list ----------------------------------------------

TEST_F(ServicesPage, DefaultEmptiesTheListOnlyWhenItRuns) {
  ScratchFolder windows;  // no prefetch files to lose
  ScopedEnvironmentVariable windir("windir", Narrow(windows.Path()).c_str());
  Page().Command17_Click();
  const std::vector<std::string> rows = Rows(Page());
  ASSERT_FALSE(rows.empty());

  dialogs.AnswerMessageBox(IDNO);
  Page().Command65_Click();
  EXPECT_EQ(Rows(Page()), rows);

  for (auto click : {&FrmServices::Command67_Click, &FrmServices::Command68_Click}) {
    dialogs.AnswerMessageBox(IDYES);
    dialogs.AnswerMessageBox(IDOK);
    (Page().*click)();
    EXPECT_EQ(Rows(Page()), rows);
  }

  AutoTuneMode = true;
  Page().Command65_Click();
  AutoTuneMode = false;
  EXPECT_EQ(Page().ListView1->ItemCount(), 0);
}

}  // namespace
