// The drive lock-down page against driver keys made in the test prefix (which has none):
// which option each Start value selects, what Save writes, that Save closes the page, and
// the information boxes.
#include <functional>

#include "page_fixture.h"
#include "platform/registry.h"
#include "security/frmLockDown.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"

namespace {

constexpr const char* kUsb = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
constexpr const char* kCdrom = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";
constexpr const char* kFloppy = "SYSTEM\\CurrentControlSet\\Services\\Flpydisk";
constexpr const char* kHighCapacity = "SYSTEM\\CurrentControlSet\\Services\\Sfloppy";

const Setting kDrivers[] = {
    {HKLM, kUsb, "Start"}, {HKLM, kCdrom, "Start"}, {HKLM, kFloppy, "Start"}, {HKLM, kHighCapacity, "Start"}};

class LockDownTest : public SecurityPageTest {
 protected:
  FrmLockDown& Page() { return *frmLockDown; }
  // The selected options, in the order the page visits them.
  std::string Selected() {
    std::string s;
    for (const char* name : {"Option1", "Option2", "Option5", "Option6", "Option3", "Option4", "Option7", "Option8"})
      if (Page().Get<ui::OptionButton>(name).Value()) s += std::string(name) + " ";
    return s;
  }
  // Opens the page from its widget, as a user does.
  void Open() { frmmain->Image6_Click(7); }

  ScopedRegistryValues registry{WatchedKeysOf(kDrivers)};
};

struct DriverCase {
  const char* name;
  std::function<void(ScopedRegistryValues&)> arrange;
  const char* selects;
};

class LockDownReading : public LockDownTest, public testing::WithParamInterface<DriverCase> {};

TEST_P(LockDownReading, EachStartValueSelectsItsOption) {
  GetParam().arrange(registry);
  Open();
  EXPECT_EQ(Selected(), GetParam().selects);
}

INSTANTIATE_TEST_SUITE_P(
    StartValues, LockDownReading,
    testing::Values(
        DriverCase{"NoValues", [](auto&) {}, ""},
        DriverCase{"UsbOnDemand", [](auto&) { SetDword(HKLM, kUsb, "Start", 3); }, "Option1 "},
        DriverCase{"UsbDisabled", [](auto&) { SetDword(HKLM, kUsb, "Start", 4); }, "Option2 "},
        DriverCase{"UsbAutomatic", [](auto&) { SetDword(HKLM, kUsb, "Start", 2); }, ""},
        DriverCase{"UsbKeyMissing", [](auto& r) { r.MakeMissing(HKLM, kUsb); }, ""},
        // A text "3" is not the number 3.
        DriverCase{"UsbAsText", [](auto&) { SetText(HKLM, kUsb, "Start", "3"); }, ""},
        DriverCase{"CdromWithTheSystem", [](auto&) { SetDword(HKLM, kCdrom, "Start", 1); }, "Option5 "},
        DriverCase{"CdromOnDemandIsNeither", [](auto&) { SetDword(HKLM, kCdrom, "Start", 3); }, ""},
        DriverCase{"EveryGroup",
                 [](auto&) {
                   SetDword(HKLM, kUsb, "Start", 4);
                   SetDword(HKLM, kCdrom, "Start", 4);
                   SetDword(HKLM, kFloppy, "Start", 3);
                   SetDword(HKLM, kHighCapacity, "Start", 3);
                 },
                 "Option2 Option6 Option3 Option7 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LockDownTest, SaveWritesTheSelectedOptionsReportsAndClosesThePage) {
  SetDword(HKLM, kUsb, "Start", 3);
  SetDword(HKLM, kFloppy, "Start", 2);  // neither option: left as it is
  SetDword(HKLM, kHighCapacity, "Start", 4);
  Open();
  EXPECT_FALSE(IsWindowVisible(frmmain->hWnd()));
  Page().Option2->SetValue(true);
  Page().Option5->SetValue(true);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command1->PerformClick();

  EXPECT_EQ(Dump(kDrivers), "Start=dword:4\nStart=dword:1\nStart=dword:2\nStart=dword:4\n");
  EXPECT_TRUE(RestartNeeded);
  ExpectOneMessage(LoadResString(183));
  EXPECT_FALSE(Page().Loaded()) << "Save closes the page";
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));

  Open();  // opened again, the page shows what was written
  EXPECT_EQ(Selected(), "Option2 Option5 Option8 ");
}

TEST_F(LockDownTest, AMissingDriverKeyIsNamedNotCreatedAndTheOthersAreWritten) {
  registry.MakeMissing(HKLM, kHighCapacity);
  Open();
  Page().Option1->SetValue(true);
  Page().Option7->SetValue(true);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command1_Click();

  EXPECT_FALSE(KeyExists(HKLM, kHighCapacity));
  EXPECT_EQ(StoredValue(HKLM, kUsb, "Start"), "dword:3");
  ExpectOneMessage(NotSavedText({252}), MB_ICONEXCLAMATION);
  EXPECT_TRUE(RestartNeeded);
  EXPECT_FALSE(Page().Loaded());
}

TEST_F(LockDownTest, CloseWritesNothing) {
  Open();
  Page().Option2->SetValue(true);
  Page().Command2->PerformClick();
  EXPECT_FALSE(Page().Loaded());
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  EXPECT_EQ(StoredValue(HKLM, kUsb, "Start"), "missing");
  EXPECT_FALSE(RestartNeeded);
}

TEST_F(LockDownTest, CaptionsAndLinkLabels) {
  Open();
  EXPECT_EQ(Page().Caption(), LoadResString(596));
  EXPECT_EQ(Page().Frame2[1].Caption(), LoadResString(48));
  EXPECT_EQ(Page().Option6->Caption(), LoadResString(114));
  for (ui::Label* label : {&*Page().Label1, &*Page().Label2, &*Page().Label3, &*Page().Label4}) {
    EXPECT_EQ(label->Caption(), LoadResString(304));
    EXPECT_EQ(label->ForeColor(), RGB(0, 0, 255));
    EXPECT_EQ(label->MousePointer(), ui::Pointer::Hand);
  }
}

struct InfoCase {
  const char* label;
  int text;
  std::string title;
};

TEST_F(LockDownTest, EachLabelShowsItsDriveClassInformation) {
  const InfoCase cases[] = {
      {"Label1", 170, LoadResString(575)},
      {"Label2", 168, LoadResString(211)},
      {"Label3", 167, "CD-ROM\\DVD Drive Info"},
      {"Label4", 169, LoadResString(251)},
  };
  Open();
  for (const InfoCase& c : cases) {
    dialogs.AnswerMessageBox(IDOK);
    Page().Get<ui::Label>(c.label).Click();
  }
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].label);
    EXPECT_EQ(boxes[i].text, LoadResString(cases[i].text));
    EXPECT_EQ(boxes[i].title, cases[i].title);
    EXPECT_EQ(boxes[i].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(boxes[i].coloured);
  }
  EXPECT_TRUE(Page().Loaded());
}

}  // namespace
