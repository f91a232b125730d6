// The restore-point page, as a page and as the silent service other pages use. Restore
// points are scripted; the service checks ("winmgmt", "VSS") run against the real service
// manager of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <wbemcli.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "shell/FRMsysRestore.h"
#include "shell/PageFrame.h"
#include "shell/Pages.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/main_window.h"
#include "support/fake_restore_points.h"
#include "support/fakes.h"
#include "support/test_service.h"

namespace {

constexpr HRESULT kServiceDisabled = static_cast<HRESULT>(0x80070422);
constexpr HRESULT kWmiFailed = static_cast<HRESULT>(WBEM_E_FAILED);

std::string CreatedText(const std::string& description) {
  return LoadResString(701) + description + LoadResString(702);
}
std::string NotCreatedText(const std::string& description) {
  return LoadResString(701) + description + LoadResString(703);
}

std::vector<std::string> ListedPoints() {
  std::vector<std::string> items;
  for (int i = 0; i < FRMsysRestore->ListPoints->ListCount(); ++i) items.push_back(FRMsysRestore->ListPoints->List(i));
  return items;
}

bool Visible(ui::Form& form) { return form.Loaded() && IsWindowVisible(form.hWnd()); }

class RestorePageTest : public testing::Test {
 protected:
  void SetUp() override {
    winmgmt = ReadServiceFacts("winmgmt");
    ShowMainAfterRestore = true;  // as once the main window has loaded
  }
  void TearDown() override {
    CloseMainWindow();
    ShowMainAfterRestore = false;
    EXPECT_TRUE(ArrangeService("winmgmt", winmgmt.startType, winmgmt.state == SERVICE_RUNNING));
  }
  // One result box answered with OK.
  void ExpectBoxes(int count) {
    for (int i = 0; i < count; ++i) dialogs.AnswerMessageBox(IDOK);
  }
  ServiceFacts winmgmt;
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeRestorePoints points;
  platform::Override<platform::RestorePoints> usePoints{points};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
};

TEST_F(RestorePageTest, LoadingFillsTheTextsSelectsModifySettingsAndStartsWmi) {
  ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DEMAND_START, false));
  FRMsysRestore->Hide();
  FrmSysRestore& page = *FRMsysRestore;
  EXPECT_FALSE(IsWindowVisible(page.hWnd()));

  const std::pair<ui::Control*, int> captions[] = {
      {&*page.lblTitle, 44},     {&*page.txtRPName, 607},  {&*page.lblOptions, 476},
      {&page.OptRP[0], 26},      {&page.OptRP[1], 29},     {&page.OptRP[2], 109},
      {&page.OptRP[3], 301},     {&*page.frameInfo, 424},  {&*page.lblListPoints, 284},
      {&*page.cmdListPoints, 283}, {&*page.CmdCreate, 86}, {&*page.Command1, 49},
  };
  for (auto [control, res] : captions) EXPECT_EQ(control->Caption(), LoadResString(res)) << control->Name();
  EXPECT_EQ(page.Caption(), LoadResString(88));
  EXPECT_EQ(page.cmdListPoints->ToolTipText(), LoadResString(874));
  EXPECT_EQ(page.CmdCreate->ToolTipText(), LoadResString(875));

  EXPECT_TRUE(page.OptRP[3].Value());
  for (int i : {0, 1, 2}) EXPECT_FALSE(page.OptRP[i].Value());
  EXPECT_EQ(page.lblInfo->Caption(), LoadResString(584));
  EXPECT_EQ(page.OptSel, 12);
  EXPECT_EQ(page.ListPoints->ListCount(), 0);  // listed only when asked
  EXPECT_EQ(points.lists, 0);

  // Form_Load ran the main window's WMI guard.
  ServiceFacts facts = ReadServiceFacts("winmgmt");
  EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(facts.startType, static_cast<DWORD>(SERVICE_AUTO_START));
}

struct TypeCase {
  int index;
  int16_t type;
  int info;
};

TEST_F(RestorePageTest, EachOptionSetsItsTypeAndInformationAndTheCreationUsesIt) {
  const TypeCase cases[] = {{0, 0, 581}, {1, 1, 582}, {2, 10, 583}, {3, 12, 584}};
  for (const TypeCase& c : cases) {
    SCOPED_TRACE(c.index);
    FRMsysRestore->Hide();
    FRMsysRestore->OptRP[c.index].UserClick();
    for (int i : FRMsysRestore->OptRP.Indices()) EXPECT_EQ(FRMsysRestore->OptRP[i].Value(), i == c.index);
    EXPECT_EQ(FRMsysRestore->lblInfo->Caption(), LoadResString(c.info));
    EXPECT_EQ(FRMsysRestore->OptSel, c.type);
    ExpectBoxes(1);
    FRMsysRestore->CmdCreate_Click();
    ASSERT_FALSE(points.requests.empty());
    EXPECT_EQ(points.requests.back().type, c.type);
    EXPECT_FALSE(FRMsysRestore->Loaded());
  }
  // The handler sets the type also for a button that is not selected.
  FRMsysRestore->Hide();
  FRMsysRestore->OptRP_Click(2);
  EXPECT_EQ(FRMsysRestore->OptSel, 10);
  EXPECT_EQ(FRMsysRestore->lblInfo->Caption(), LoadResString(583));
  EXPECT_TRUE(FRMsysRestore->OptRP[3].Value());
}

struct ListCase {
  const char* name;
  std::vector<std::string> points;
  HRESULT result;
  std::vector<std::string> listed;
};

TEST_F(RestorePageTest, ListingShowsTheDescriptionsOrSaysThereAreNone) {
  const std::string none = LoadResString(322);
  const ListCase cases[] = {
      {"several", {"Installed drivers", "Quenvor settings change", "Windows Update"}, S_OK,
       {"Installed drivers", "Quenvor settings change", "Windows Update"}},
      {"none", {}, S_OK, {none}},
      {"query failed", {}, kWmiFailed, {none}},
      {"failed after one", {"Installed drivers"}, kWmiFailed, {"Installed drivers"}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    points.points = c.points;
    points.listResult = c.result;
    FRMsysRestore->Hide();
    FRMsysRestore->cmdListPoints->PerformClick();
    EXPECT_EQ(ListedPoints(), c.listed);
    FRMsysRestore->cmdListPoints->PerformClick();  // cleared first, not doubled
    EXPECT_EQ(ListedPoints(), c.listed);
    FRMsysRestore->Unload();
  }
}

struct CreateCase {
  const char* name;
  platform::RestorePointResult result;
  int extraMessage;  // shown before the result, 0 for none
  bool created;
};

TEST_F(RestorePageTest, OnlyAPointThatWasMadeIsReportedAsCreated) {
  const std::string description = LoadResString(607);
  const CreateCase cases[] = {
      {"created", {S_OK, 0}, 0, true},
      {"non-zero return value", {S_OK, 1058}, 0, false},
      {"no return value", {S_OK, std::nullopt}, 0, false},
      {"failed call", {kWmiFailed, std::nullopt}, 0, false},
      {"service disabled", {kServiceDisabled, std::nullopt}, 614, false},
  };
  for (const CreateCase& c : cases) {
    SCOPED_TRACE(c.name);
    points.createResult = c.result;
    size_t before = dialogs.MessageBoxes().size();
    ExpectBoxes(c.extraMessage ? 2 : 1);
    FRMsysRestore->CmdCreate_Click();  // loads the page hidden, as a silent caller would
    EXPECT_EQ(FRMsysRestore->LastCreateSucceeded, c.created);
    EXPECT_FALSE(FRMsysRestore->Loaded());
    ASSERT_EQ(points.requests.size(), 1u);
    EXPECT_EQ(points.requests[0].description, description);
    EXPECT_EQ(points.requests[0].type, 12);
    points.requests.clear();

    auto boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size(), before + (c.extraMessage ? 2 : 1));
    if (c.extraMessage) {
      const auto& extra = boxes[before];
      EXPECT_EQ(extra.text, LoadResString(c.extraMessage));
      EXPECT_EQ(extra.style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
      EXPECT_EQ(extra.title, "Quenvor Pro");
      EXPECT_TRUE(extra.coloured);
    }
    const auto& result = boxes.back();
    EXPECT_EQ(result.text, c.created ? CreatedText(description) : NotCreatedText(description));
    EXPECT_EQ(result.style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(result.title, "Quenvor Pro");
    EXPECT_TRUE(result.coloured);
  }
}

TEST_F(RestorePageTest, ADisabledShadowCopyServiceRefusesTheRestorePoint) {
  ScopedTestService vss("VSS", SERVICE_DISABLED);
  ASSERT_TRUE(vss.Created());
  ExpectBoxes(2);
  FRMsysRestore->CmdCreate_Click();
  EXPECT_TRUE(points.requests.empty());
  EXPECT_FALSE(FRMsysRestore->LastCreateSucceeded);
  auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, LoadResString(531));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(boxes[0].title, "Quenvor Pro");
  EXPECT_TRUE(boxes[0].coloured);
  EXPECT_EQ(boxes[1].text, NotCreatedText(LoadResString(607)));

  // Only "Disabled" refuses: a stopped service with another start type lets it go ahead.
  ASSERT_TRUE(ArrangeService("VSS", SERVICE_DEMAND_START, false));
  ExpectBoxes(1);
  FRMsysRestore->CmdCreate_Click();
  EXPECT_EQ(points.requests.size(), 1u);
  EXPECT_TRUE(FRMsysRestore->LastCreateSucceeded);
}

TEST_F(RestorePageTest, AnEmptyDescriptionCreatesNothingButBlanksAreADescription) {
  FRMsysRestore->Hide();
  FRMsysRestore->txtRPName->SetText("");
  ExpectBoxes(1);
  FRMsysRestore->CmdCreate_Click();
  EXPECT_TRUE(points.requests.empty());
  EXPECT_FALSE(FRMsysRestore->Loaded());
  EXPECT_FALSE(FRMsysRestore->LastCreateSucceeded);
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  const FakeDialogs::Call box = dialogs.MessageBoxes()[0];
  EXPECT_EQ(box.text, LoadResString(197));
  EXPECT_EQ(box.title, "\"Error!\" No Name Specified:");
  EXPECT_EQ(box.style, static_cast<UINT>(MB_OK));
  EXPECT_TRUE(box.coloured);

  FRMsysRestore->Hide();
  FRMsysRestore->txtRPName->SetText("   ");
  ExpectBoxes(1);
  FRMsysRestore->CmdCreate_Click();
  ASSERT_EQ(points.requests.size(), 1u);
  EXPECT_EQ(points.requests[0].description, "   ");
  EXPECT_EQ(dialogs.MessageBoxes().back().text, CreatedText("   "));
}

TEST_F(RestorePageTest, ASilentCreationLeavesTheMainWindowHiddenAndTellsItsResult) {
  frmmain->Show();
  OpenPage(*frmStartupManager);  // a page that asks for a restore point; main window hidden
  ASSERT_FALSE(Visible(*frmmain));
  bool pageShownDuringCreation = true;
  points.onCreate = [&] { pageShownDuringCreation = Visible(*FRMsysRestore); };

  for (bool made : {true, false}) {
    SCOPED_TRACE(made ? "made" : "not made");
    points.createResult = made ? platform::RestorePointResult{S_OK, 0}
                               : platform::RestorePointResult{kWmiFailed, std::nullopt};
    ExpectBoxes(1);
    EXPECT_EQ(CreateRestorePointQuietly(LoadResString(385)), made);
    EXPECT_FALSE(pageShownDuringCreation);
    EXPECT_FALSE(FRMsysRestore->Loaded());
    EXPECT_FALSE(Visible(*frmmain));
    EXPECT_TRUE(Visible(*frmStartupManager));
    EXPECT_EQ(FRMsysRestore->LastCreateSucceeded, made);
    EXPECT_EQ(points.requests.back().description, LoadResString(385));
    EXPECT_EQ(dialogs.MessageBoxes().back().text,
              made ? CreatedText(LoadResString(385)) : NotCreatedText(LoadResString(385)));
  }
}

TEST_F(RestorePageTest, APageOpenFromTheMenuIsHiddenUsedAndUnloadedByASilentCreation) {
  frmmain->Show();
  frmmain->restore_menu_Click();
  ASSERT_TRUE(Visible(*FRMsysRestore));
  FRMsysRestore->OptRP[2].UserClick();  // the user's choice is kept
  points.onCreate = [&] { EXPECT_FALSE(Visible(*FRMsysRestore)); };
  ExpectBoxes(1);
  EXPECT_TRUE(CreateRestorePointQuietly(LoadResString(386)));
  ASSERT_EQ(points.requests.size(), 1u);
  EXPECT_EQ(points.requests[0].description, LoadResString(386));
  EXPECT_EQ(points.requests[0].type, 10);
  EXPECT_FALSE(FRMsysRestore->Loaded());
  EXPECT_TRUE(Visible(*frmmain));
}

TEST_F(RestorePageTest, FromAWidgetItIsAPageFromTheMenuItOpensOverTheMainWindow) {
  frmmain->Show();
  frmmain->Image5_Click(7);
  EXPECT_TRUE(Visible(*FRMsysRestore));
  EXPECT_EQ(GetWindow(FRMsysRestore->hWnd(), GW_OWNER), frmmain->hWnd());
  EXPECT_FALSE(Visible(*frmmain));
  FRMsysRestore->Command1->PerformClick();  // Cancel
  EXPECT_FALSE(FRMsysRestore->Loaded());
  EXPECT_TRUE(Visible(*frmmain));

  frmmain->restore_menu_Click();
  EXPECT_TRUE(Visible(*FRMsysRestore));
  EXPECT_EQ(GetWindow(FRMsysRestore->hWnd(), GW_OWNER), frmmain->hWnd());
  EXPECT_TRUE(Visible(*frmmain));
  SendMessageA(FRMsysRestore->hWnd(), WM_CLOSE, 0, 0);
  ui::DoEvents();
  EXPECT_FALSE(FRMsysRestore->Loaded());
  EXPECT_TRUE(Visible(*frmmain));

  // Closed while a silent creation holds the main window back, it stays hidden.
  frmmain->Image5_Click(7);
  ShowMainAfterRestore = false;
  FRMsysRestore->Command1->PerformClick();
  EXPECT_FALSE(Visible(*frmmain));
}

}  // namespace
