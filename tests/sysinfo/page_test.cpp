// The System Information page: its categories on a scripted WMI, the list and its columns,
// the report button, and the WMI guard on the test prefix's own "winmgmt".
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <wbemcli.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "shell/Pages.h"
#include "shell/frmmain.h"
#include "support/fake_wmi.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/scoped_environment.h"
#include "support/main_window.h"
#include "support/test_service.h"
#include "sysinfo/frmSystemInformation.h"

namespace {

using platform::WmiObject;
using platform::WmiValue;
using Texts = std::vector<std::string>;

const char kSep[] = "---------------------";

// The category texts in the order the combo lists them, and the class each one reads.
struct Item {
  const char* text;
  const char* wmiClass;  // nullptr: the prompt
  const char* property;  // one the category lists, and its label
  const char* label;
};
const Item kItems[] = {
    {"Select what information to display:", nullptr, nullptr, nullptr},
    {"BIOS Information", "Win32_BIOS", "Name", "Name: "},
    {"Computer BaseBoard Information", "Win32_BaseBoard", "Name", "Name: "},
    {"Computer Fan Information", "Win32_Fan", "Name", "Name: "},
    {"Installed Hotfixes Information", "Win32_QuickFixEngineering", "HotFixID", "Hot Fix ID: "},
    {"Modem Information", "Win32_POTSModem", "Name", "Name: "},
    {"Monitor Information", "Win32_DesktopMonitor", "Name", "Name: "},
    {"On-Board Devices Information", "Win32_OnBoardDevice", "Name", "Name: "},
    {"Operating System Information", "Win32_OperatingSystem", "Caption", "Caption: "},
    {"Physical Memory Configuration Information", "Win32_PhysicalMemory", "Name", "Name: "},
    {"Plug and Play Devices", "Win32_PnPEntity", "Name", "Name: "},
    {"Possible Video Resolution Information", "CIM_VideoControllerResolution", "SettingID", "Setting ID: "},
    {"Processor Information", "Win32_Processor", "Name", "Name: "},
    {"Sound Card Information", "Win32_SoundDevice", "Name", "Name: "},
    {"Start Menu Information", "Win32_LogicalProgramGroupItem", "Name", "Name: "},
    {"Video Controller Information", "Win32_VideoController", "Name", "Name: "},
};

std::string Query(const char* wmiClass) { return std::string("Select * from ") + wmiClass; }

// What the list window itself shows in a cell.
std::string CellText(HWND list, int row, int column) {
  char text[512] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

class SystemInformationPageTest : public testing::Test {
 protected:
  void SetUp() override {
    // Every class answers with nothing unless a test says otherwise.
    for (const Item& item : kItems) {
      if (item.wmiClass) wmi.ScriptQuery("root\\cimv2", Query(item.wmiClass), {});
    }
    ASSERT_FALSE(frmSystemInformation->Loaded());
  }
  void TearDown() override {
    frmSystemInformation->Unload();
    CloseMainWindow();
  }
  FrmSystemInformation& Page() { return *frmSystemInformation; }
  void Open() { frmmain->Image5_Click(5); }
  void Choose(int index) { Page().Combo5->SetListIndex(index); }
  void Script(const char* wmiClass, std::vector<WmiObject> rows, HRESULT hr = S_OK) {
    wmi.ScriptQuery("root\\cimv2", Query(wmiClass), std::move(rows), hr);
  }
  // The rows as "label|value", from the list's window.
  Texts Rows() {
    HWND list = Page().vbalListViewCtl2->hWnd();
    Texts rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(count, Page().vbalListViewCtl2->ItemCount());
    for (int i = 0; i < count; ++i) rows.push_back(CellText(list, i, 0) + "|" + CellText(list, i, 1));
    return rows;
  }

  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi{wmi};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeWebBrowser browser;
  platform::Override<platform::WebBrowser> useBrowser{browser};
};

TEST_F(SystemInformationPageTest, OpensFromMaintenanceWithThePromptAndAnEmptyListUnderTwoHeaders) {
  Open();
  ASSERT_TRUE(Page().Visible());
  EXPECT_FALSE(frmmain->Visible());
  EXPECT_EQ(Page().Caption(), "Quenvor Pro System Information");
  EXPECT_EQ(Page().Frame39->Caption(), "Quenvor System Information");
  EXPECT_EQ(Page().Command15->Caption(), "View Report in Browser");
  EXPECT_EQ(Page().Command1->Caption(), "Close This Window");
  EXPECT_EQ(Page().Label26->Caption(),
            "Quenvor uses the Windows Management Instrumentation (WMI) service to get your system "
            "information.  If this service is disabled, Quenvor will attempt to start it.  If WMI is "
            "damaged or malfunctioning on your computer, then the system information may be "
            "incorrect or not display at all.");
  ASSERT_EQ(Page().Combo5->ListCount(), static_cast<int>(std::size(kItems)));
  for (int i = 0; i < Page().Combo5->ListCount(); ++i) EXPECT_EQ(Page().Combo5->List(i), kItems[i].text);
  EXPECT_EQ(Page().Combo5->Text(), "Select what information to display:");
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(wmi.Queries().empty());  // the prompt reads nothing

  ui::ListView& list = *Page().vbalListViewCtl2;
  ASSERT_EQ(list.ColumnCount(), 2);
  EXPECT_EQ(list.Column(1).Key(), "DESCRIPTION");
  EXPECT_EQ(list.Column(1).Text(), "Description");
  EXPECT_EQ(list.Column(1).Tag(), "Description");
  EXPECT_EQ(list.Column(2).Key(), "VALUE");
  EXPECT_EQ(list.Column(2).Text(), "Value");
  EXPECT_EQ(list.Column(2).Tag(), "Value");
  HWND header = reinterpret_cast<HWND>(SendMessageA(list.hWnd(), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_TRUE(IsWindowVisible(list.hWnd()));

  SendMessageA(Page().Command1->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();
  EXPECT_FALSE(Page().Loaded());
  EXPECT_TRUE(frmmain->Visible());
}

TEST_F(SystemInformationPageTest, EachCategoryRunsItsOwnQueryAndListsWhatItGives) {
  Open();
  for (int i = 1; i < static_cast<int>(std::size(kItems)); ++i) {
    SCOPED_TRACE(kItems[i].text);
    Script(kItems[i].wmiClass, {FakeWmi::Row({{kItems[i].property, std::string(kItems[i].wmiClass)}})});
    const size_t before = wmi.Queries().size();
    Choose(i);
    ASSERT_EQ(wmi.Queries().size(), before + 1);
    EXPECT_EQ(wmi.Queries().back().wql, Query(kItems[i].wmiClass));
    // One property; the baseboard adds its option row, the operating system its two dates,
    // the Start menu no separator.
    Texts rows = Rows();
    const std::string row = std::string(kItems[i].label) + "|" + kItems[i].wmiClass;
    EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end());
    const bool separator = std::string(kItems[i].wmiClass) != "Win32_LogicalProgramGroupItem";
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), separator ? std::string(kSep) + "|" + kSep : row);
  }
}

TEST_F(SystemInformationPageTest, ThePromptKeepsTheRowsAndACategoryChosenTwiceListsItsRowsOnce) {
  Script("Win32_BIOS", {FakeWmi::Row({{"Manufacturer", std::string("The Wine Project")},
                                      {"ReleaseDate", std::string("20120608000000.000000+000")}})});
  const Texts bios{"Manufacturer: |The Wine Project", "Release Date: |6/8/2012", std::string(kSep) + "|" + kSep};
  Open();
  Choose(1);
  EXPECT_EQ(Rows(), bios);
  Choose(0);
  EXPECT_EQ(Rows(), bios);
  Choose(1);
  Choose(1);
  EXPECT_EQ(Rows(), bios);
  // No modem: the list empties.
  Choose(5);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(SystemInformationPageTest, AFailedQueryShowsTheSeparatorAloneAndNoMessage) {
  Script("Win32_Processor", {}, WBEM_E_FAILED);
  Script("Win32_OperatingSystem", {}, WBEM_E_ACCESS_DENIED);
  Open();
  Choose(12);
  EXPECT_EQ(Rows(), (Texts{std::string(kSep) + "|" + kSep}));
  Choose(8);
  EXPECT_EQ(Rows(), (Texts{"Install Date: |", "Last Bootup Time: |", std::string(kSep) + "|" + kSep}));
  // A monitor query that fails leaves the list empty.
  Script("Win32_DesktopMonitor", {}, WBEM_E_FAILED);
  Choose(6);
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(SystemInformationPageTest, TheListShowsValuesAsTheyAreAndNullOrAListEmpty) {
  Script("Win32_OperatingSystem",
         {FakeWmi::Row({{"Organization", std::string("A&B <x> \"q\"")}, {"RegisteredUser", WmiValue{}},
                        {"Primary", true}, {"OSLanguage", int64_t{1033}}, {"BootDevice", Texts{"a", "b"}},
                        {"ServicePackMajorVersion", int64_t{1}}})});
  Open();
  Choose(8);
  EXPECT_EQ(Rows(), (Texts{"Boot Device: |", "Install Date: |", "Organization: |A&B <x> \"q\"",
                           "OS Language: |1033", "Primary: |True", "Registered User: |",
                           "Last Bootup Time: |", "Service Pack: |SP1", std::string(kSep) + "|" + kSep}));
}

TEST_F(SystemInformationPageTest, TheColumnsShareTheListsWidthAfterScaling) {
  struct ScreenCase {
    int width, height;
    float factor;  // of the design width
  };
  const ScreenCase cases[] = {{1024, 768, 1.0f}, {2048, 1536, 2.0f}};
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.width);
    FakeSystemFacts facts;
    facts.screenWidth = c.width;
    facts.screenHeight = c.height;
    platform::Override<platform::SystemFacts> useFacts{facts};
    Open();
    ui::ListView& list = *Page().vbalListViewCtl2;
    const float designWidth = 9240;
    EXPECT_FLOAT_EQ(list.Width(), designWidth * c.factor);
    EXPECT_FLOAT_EQ(list.Column(1).Width(), designWidth * c.factor * 0.35f);
    EXPECT_FLOAT_EQ(list.Column(2).Width(), designWidth * c.factor * 0.64f);
    // The window's columns in pixels (15 twips each).
    EXPECT_NEAR(SendMessageA(list.hWnd(), LVM_GETCOLUMNWIDTH, 0, 0), designWidth * c.factor * 0.35f / 15, 1);
    EXPECT_NEAR(SendMessageA(list.hWnd(), LVM_GETCOLUMNWIDTH, 1, 0), designWidth * c.factor * 0.64f / 15, 1);
    Page().Unload();
  }
}

// ---- the report button

class ReportButtonTest : public SystemInformationPageTest {
 protected:
  void Press() { SendMessageA(Page().Command15->hWnd(), BM_CLICK, 0, 0); }
  ScratchFolder scratch;
  const std::string folder = Narrow(scratch.Path());
  ScopedEnvironmentVariable temp{"TEMP", folder.c_str()};
  const std::string report = folder + "\\report.html";
};

TEST_F(ReportButtonTest, WritesTheReportAndHasTheShellOpenIt) {
  Open();
  Press();
  EXPECT_NE(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(browser.opened, Texts{report});
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(ReportButtonTest, AReportThatCannotBeWrittenIsNotOpenedAndTheUserIsTold) {
  ASSERT_TRUE(CreateDirectoryA(report.c_str(), nullptr));  // the report's place is a folder
  Open();
  dialogs.AnswerMessageBox(IDOK);
  Press();
  EXPECT_TRUE(browser.opened.empty());
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  const auto box = dialogs.MessageBoxes()[0];
  EXPECT_NE(box.text.find(report), std::string::npos) << box.text;
  EXPECT_NE(box.text.find("could not be written"), std::string::npos) << box.text;
  EXPECT_EQ(box.title, "Quenvor Pro");
  EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_TRUE(box.coloured);
}

TEST_F(ReportButtonTest, AReportNoProgramOpensIsNamedToTheUser) {
  // ShellExecute's "file not found" and "no association".
  for (INT_PTR result : {INT_PTR{2}, INT_PTR{31}}) {
    SCOPED_TRACE(result);
    browser.result = result;
    browser.opened.clear();
    Open();
    dialogs.AnswerMessageBox(IDOK);
    Press();
    EXPECT_EQ(browser.opened, Texts{report});
    ASSERT_FALSE(dialogs.MessageBoxes().empty());
    const auto box = dialogs.MessageBoxes().back();
    EXPECT_NE(box.text.find(report), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("no program could open it"), std::string::npos) << box.text;
    Page().Unload();
  }
}

// ---- the WMI guard on the prefix's own service

class WmiGuardOnPageTest : public SystemInformationPageTest {
 protected:
  void SetUp() override {
    SystemInformationPageTest::SetUp();
    original = ReadServiceFacts("winmgmt");
    ASSERT_TRUE(original.exists);
  }
  void TearDown() override {
    SystemInformationPageTest::TearDown();
    EXPECT_TRUE(ArrangeService("winmgmt", original.startType, original.state == SERVICE_RUNNING));
  }
  ServiceFacts original;
};

TEST_F(WmiGuardOnPageTest, OpeningAndEveryChoiceStartAStoppedWmiService) {
  ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DEMAND_START, false));
  Open();
  ServiceFacts facts = ReadServiceFacts("winmgmt");
  EXPECT_EQ(facts.startType, static_cast<DWORD>(SERVICE_AUTO_START));
  EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
  for (int item : {0, 1}) {
    SCOPED_TRACE(item);
    ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DISABLED, false));
    Choose(item);
    facts = ReadServiceFacts("winmgmt");
    EXPECT_EQ(facts.startType, static_cast<DWORD>(SERVICE_AUTO_START));
    EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
  }
}

}  // namespace
