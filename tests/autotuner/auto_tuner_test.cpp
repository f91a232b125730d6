// The Auto Tuner dialog opened from the main window and run on the real pages, registry,
// service manager (with the known-service dummies) and folders of the test prefix: what
// every step shows and changes, the one closing message, the pages the run leaves loaded and
// hidden, a second run on those pages, the defragmentation question of 32-bit Windows, the
// closing message that names what steps could not do, a click and a close that reach the
// dialog during a run, and a close of the main window that waits for the run's end.
//
// The temporary folders and the Windows folder (the prefetch files, its Temp, what the
// shortcut-arrow row runs) are scratch folders of the test's own. The pauses between the steps run on a test clock, which also
// looks at the dialog and the program at each pause.
#include <gtest/gtest.h>

#include <windows.h>

#include <ctime>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seam.h"
#include "services/frmOneButton.h"
#include "services/frmServices.h"
#include "shell/Pages.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "shell/frmprogress.h"
#include "support/fake_clock.h"
#include "support/fake_wmi.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/known_service_dummies.h"
#include "support/main_window.h"
#include "support/scoped_environment.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"
#include "tweaks/FolderDelete.h"

namespace {

using platform::RegKey;

// ---- the registry that the run's pages read and write --------------------------------

struct Place {
  HKEY root;
  const char* key;
};
const Place kFileSystem{HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\FileSystem"};
const Place kMemory{HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management"};
const Place kPrefetch{HKEY_LOCAL_MACHINE,
                      "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters"};
const Place kPriority{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\PriorityControl"};
const Place kLayout{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout"};
const Place kControl{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control"};
const Place kSessionManager{HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager"};
const Place kPolicies{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"};
const Place kEffects{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects"};
const Place kDesktop{HKEY_CURRENT_USER, "Control Panel\\Desktop"};
const Place kAdvanced{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"};
const Place kMetrics{HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics"};
const Place kUserExplorer{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"};
const Place kSettings{HKEY_CURRENT_USER, kSettingsKey};
const Place kOwner{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion"};
const Place kExplorer{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"};
const Place kExecutive{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Executive"};
const Place kMouse{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\i8042prt\\Parameters"};
const Place kMessenger{HKEY_LOCAL_MACHINE, "Software\\Policies\\Microsoft\\Messenger\\Client"};
const Place kVolume{HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume"};
const Place kShellIcons{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons"};
const Place kLnk{HKEY_CLASSES_ROOT, "lnkfile"};
const Place kUrl{HKEY_CLASSES_ROOT, "InternetShortcut"};
const Place kPif{HKEY_CLASSES_ROOT, "piffile"};

constexpr const char* kVolumeName = "{0B1C2D3E-0000-0000-0000-0000000000A7}";

// Every value that the performance and miscellaneous pages and the processor check routine
// read or write; each starts missing and is put back afterwards.
std::vector<WatchedKey> Watched() {
  auto at = [](const Place& p, std::vector<std::string> values, bool windowsHasIt = true) {
    return WatchedKey{p.root, p.key, std::move(values), windowsHasIt};
  };
  return {
      // Performance
      at(kFileSystem, {"NtfsDisableLastAccessUpdate", "NtfsDisable8dot3NameCreation"}),
      at(kMemory, {"ClearPageFileAtShutdown", "LargeSystemCache", "DisablePagingExecutive", "SecondLevelDataCache"}),
      at(kPrefetch, {"EnablePrefetcher", "EnableSuperfetch"}),
      at(kPriority, {"Win32PrioritySeparation"}),
      at(kLayout, {"EnableAutoLayout"}),
      at(kControl, {"WaitToKillServiceTimeout"}),
      at(kPolicies, {"NoLowDiskSpaceChecks", "NoInstrumentation"}, false),
      at(kEffects, {"VisualFXSetting"}),
      at(kDesktop, {"UserPreferencesMask", "DragFullWindows", "SmoothScroll", "WindowArrangementActive",
                    "LowLevelHooksTimeout", "HungAppTimeout", "AutoEndTasks", "MenuShowDelay",
                    "FontSmoothingType"}),
      at(kAdvanced, {"TaskBarAnimations", "DisablePreviewDesktop", "EnableBalloonTips"}),
      at(kMetrics, {"MinAnimate"}),
      at(kUserExplorer, {"NoWindowMinimizingShortcuts"}),
      at(kSettings, {"CoreParkingDisabled", "DisableRecycleBin", "RemovedArrows"}),
      // Miscellaneous
      at(kOwner, {"RegisteredOwner", "RegisteredOrganization"}),
      at(kExplorer, {"Max Cached Icons"}),
      at(kExecutive, {"AdditionalCriticalWorkerThreads", "AdditionalDelayedWorkerThreads"}),
      at(kMouse, {"SampleRate"}),
      at(kMessenger, {"PreventRun"}, false),
      at(kVolume, {}),  // present: without it the miscellaneous Save says "Cannot open key"
      at(kShellIcons, {"29"}, false),
      at(kLnk, {"IsShortcut", "RemovedArrow"}),
      at(kUrl, {"IsShortcut"}),
      at(kPif, {"IsShortcut"}),
      // Performance II: the processor check routine
      at(kSessionManager, {"ProcessorControl"}),
  };
}

std::string Value(const Place& p, const std::string& name) { return StoredValue(p.root, p.key, name); }
std::string VolumePath() { return std::string(kVolume.key) + "\\" + kVolumeName; }
void SetDword(const Place& p, const char* name, DWORD n) {
  ASSERT_TRUE(RegKey::Create(p.root, p.key, KEY_WOW64_64KEY).WriteDword(name, n)) << p.key;
}

// ---- what the run shows ------------------------------------------------------------------

// The dialog and the program as they stand at one moment of a run.
struct Moment {
  std::string label;  // Label3's window text: what is on screen
  bool autoTune = false;
  bool mainEnabled = false;
  bool buttonEnabled = false;
  double bar = 0, barMax = 0;
  bool operator==(const Moment&) const = default;
};

Moment Now() {
  Moment m;
  FrmOneButton& dialog = *frmOneButton;
  char text[512] = {};
  GetWindowTextA(dialog.Label3->hWnd(), text, sizeof text);
  m.label = text;
  m.autoTune = AutoTuneMode;
  m.mainEnabled = IsWindowEnabled(frmmain->hWnd()) != 0;
  m.buttonEnabled = IsWindowEnabled(dialog.Command1->hWnd()) != 0;
  m.bar = dialog.ProgressBar1->Value();
  m.barMax = dialog.ProgressBar1->Max();
  return m;
}

std::ostream& operator<<(std::ostream& out, const Moment& m) {
  return out << "{\"" << m.label << "\" autoTune " << m.autoTune << " main " << m.mainEnabled << " button "
             << m.buttonEnabled << " bar " << m.bar << "/" << m.barMax << "}";
}

// The pause's clock: a second passes at every reading, so that each pause ends after one
// turn of the message loop. Pause reads it twice, so the first of the two readings looks at
// the dialog: one moment per pause, after each step's operation and before its advance.
class PauseClock : public FakeClock {
 public:
  PauseClock() { secondsPerReading = 1; }
  std::vector<Moment> pauses;
  // What a test does at each pause (numbered from 0), before the moment is taken.
  std::function<void(size_t pause)> atPause;
  std::time_t Now() override {
    if (readings_++ % 2 == 0) {
      if (atPause) atPause(pauses.size());
      pauses.push_back(::Now());
    }
    return FakeClock::Now();
  }

 private:
  int readings_ = 0;
};

// The dialogs, looking at the run whenever a message box is shown.
class LookingDialogs : public FakeDialogs {
 public:
  std::vector<Moment> atBoxes;
  int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT style) override {
    if (frmOneButton->Loaded()) atBoxes.push_back(::Now());
    return FakeDialogs::MessageBox(owner, text, title, style);
  }
};

// The moments of a run's pauses: each step's text, with AutoTuneMode set, the main window
// and the button disabled, and the bar advanced once per step before it.
std::vector<Moment> PausesOfARun(const std::vector<int>& texts, double barMax) {
  std::vector<Moment> moments;
  for (size_t i = 0; i < texts.size(); ++i)
    moments.push_back({LoadResString(texts[i]), true, false, false, static_cast<double>(i), barMax});
  return moments;
}
const std::vector<int> kSteps64 = {478, 449, 478, 448, 60, 30, 193};
const std::vector<int> kSteps32 = {478, 449, 478, 448, 60, 30, 193, 97};

// ---- the fixture ---------------------------------------------------------------------------

class AutoTuner : public KnownServicesTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dummies->Ready());
    RestartNeeded = false;
    AutoTuneMode = false;
    SetDword(kSettings, "RestorSet", 1);  // the main window asks no start-up question
    for (ui::Form* page : Pages()) ASSERT_FALSE(page->Loaded()) << page->Name();
    ASSERT_TRUE(RegKey::Create(kVolume.root, VolumePath(), KEY_WOW64_64KEY));
    facts.memory.ullTotalPhys = 4096ull * 1024 * 1024;
    wmi.ScriptQuery("root\\cimv2", "Select * from Win32_Processor",
                    {FakeWmi::Row({{"Name", std::string("CPU")}, {"L2CacheSize", int64_t{512}}})});
    // Temporary files and prefetch files for the run to delete.
    MakeFile(temp_.Sub(L"old.tmp"));
    MakeFile(temp_.Sub(L"sub\\older.tmp"));
    MakeFile(tmp_.Sub(L"other.tmp"));
    MakeFile(windows_.Sub(L"Temp\\system.tmp"));
    MakeFile(windows_.Sub(L"Prefetch\\APP.EXE-12345678.pf"));
    // What the miscellaneous Save runs from the Windows folder for the shortcut arrows: the
    // registry editor and the installer's import files (which the test runner puts in the
    // prefix's Windows folder).
    for (const wchar_t* file : {L"regedit.exe", L"Restore_Shortcut_Arrow.reg", L"64-bit_Remove_Shortcut_Arrow.reg"}) {
      ASSERT_TRUE(CopyFileW((std::wstring(L"C:\\windows\\") + file).c_str(), windows_.Sub(file).c_str(), FALSE))
          << Narrow(file);
    }
    // Services that the Safe preset changes.
    ASSERT_TRUE(ArrangeKnownService("TrkWks", SERVICE_AUTO_START, 0));
    ASSERT_TRUE(ArrangeKnownService("Browser", SERVICE_AUTO_START, 0));
    closingsBefore_ = frmprogress->Closings();
    frmmain->Show();
    ui::DoEvents();
  }
  void TearDown() override {
    AutoTuneMode = false;
    CloseMainWindow();
    RestartNeeded = false;
    dummies->Reset();
  }

  static std::vector<ui::Form*> Pages() {
    return {&*frmPerformance, &*frmMiscellaneous, &*frmMoreTweaks, &*frmServices, &*frmPerformanceII};
  }
  // The main window's Auto Tuner widget, then "Tune It Up!" as a user presses it.
  void OpenAndRun() {
    frmmain->Image4_Click(7);
    ASSERT_TRUE(frmOneButton->Loaded());
    SendMessageA(frmOneButton->Command1->hWnd(), BM_CLICK, 0, 0);
    ui::DoEvents();
  }
  int ProgressRuns() const { return frmprogress->Closings() - closingsBefore_; }
  void ExpectClosingMessage(const FakeDialogs::Call& box) {
    EXPECT_EQ(box.text, LoadResString(605));
    EXPECT_EQ(box.title, kAppTitle);
    EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL));
    EXPECT_TRUE(box.coloured);
  }
  // At the closing message: the closing label, the bar full, AutoTuneMode clear and the
  // main window back; the button stays off until the dialog goes.
  Moment AtTheClosingMessage(double advances) {
    return {LoadResString(209), false, true, false, advances, advances};
  }
  void ExpectPagesLeftLoadedAndHidden(bool performanceII) {
    for (ui::Form* page : Pages()) {
      SCOPED_TRACE(page->Name());
      const bool expected = page != &*frmPerformanceII || performanceII;
      EXPECT_EQ(page->Loaded(), expected);
      if (page->Loaded()) EXPECT_FALSE(IsWindowVisible(page->hWnd()));
    }
  }

  ScopedRegistryValues registry{Watched()};
  LookingDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSystemFacts facts;  // 64-bit Windows
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi{wmi};
  PauseClock clock;
  platform::Override<platform::Clock> useClock{clock};
  // Made before the variables point at them: each is made inside the real temporary folder.
  ScratchFolder temp_, tmp_, windows_;
  ScopedEnvironmentVariable tempVariable_{"TEMP", Narrow(temp_.Path()).c_str()};
  ScopedEnvironmentVariable tmpVariable_{"TMP", Narrow(tmp_.Path()).c_str()};
  ScopedEnvironmentVariable windir_{"windir", Narrow(windows_.Path()).c_str()};
  int closingsBefore_ = 0;
};

// ---- 64-bit Windows ------------------------------------------------------------------------

TEST_F(AutoTuner, OpensOverTheMainWindowWithItsTextsAndAnEmptyStep) {
  frmmain->Image4_Click(7);
  FrmOneButton& dialog = *frmOneButton;
  EXPECT_TRUE(IsWindowVisible(dialog.hWnd()));
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  EXPECT_EQ(GetWindow(dialog.hWnd(), GW_OWNER), frmmain->hWnd());
  EXPECT_EQ(dialog.Caption(), LoadResString(331));
  EXPECT_EQ(dialog.Frame1->Caption(), LoadResString(331));
  EXPECT_EQ(dialog.Command1->Caption(), LoadResString(566));
  EXPECT_EQ(dialog.Label2->Caption(), LoadResString(366));
  EXPECT_EQ(dialog.Label1->Caption(), LoadResString(689));
  EXPECT_EQ(dialog.Label3->Caption(), "");
  EXPECT_EQ(dialog.ProgressBar1->Value(), 0);
  for (int i = 0; i < dialog.ControlCount(); ++i) EXPECT_EQ(dialog.Controls(i).ToolTipText(), "");
  // Closed before a run, it changes nothing.
  SendMessageA(dialog.hWnd(), WM_CLOSE, 0, 0);
  ui::DoEvents();
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_FALSE(AutoTuneMode);
  EXPECT_FALSE(RestartNeeded);
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  EXPECT_TRUE(Exists(temp_.Sub(L"old.tmp")));
}

TEST_F(AutoTuner, RunsEveryStepOnThePagesHiddenAndEndsWithOneMessage) {
  dialogs.AnswerMessageBox(IDOK);

  OpenAndRun();

  // Seven steps, each in AutoTuneMode with the program held; the bar ends exactly full.
  EXPECT_EQ(clock.pauses, PausesOfARun(kSteps64, 8));
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  ExpectClosingMessage(dialogs.MessageBoxes()[0]);
  EXPECT_EQ(dialogs.atBoxes, std::vector<Moment>{AtTheClosingMessage(8)});
  // The dialog closed itself; the pages it used stay loaded and hidden, Performance II
  // (whose processor check routine uses no control) not loaded.
  EXPECT_FALSE(frmOneButton->Loaded());
  ExpectPagesLeftLoadedAndHidden(false);
  EXPECT_FALSE(AutoTuneMode);
  EXPECT_TRUE(RestartNeeded);
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  EXPECT_TRUE(IsWindowEnabled(frmmain->hWnd()));

  // What the steps did. Performance: preset and Save.
  EXPECT_EQ(Value(kPriority, "Win32PrioritySeparation"), "dword:38");
  EXPECT_EQ(Value(kFileSystem, "NtfsDisable8dot3NameCreation"), "dword:0");
  EXPECT_EQ(Value(kMemory, "DisablePagingExecutive"), "dword:1");
  EXPECT_EQ(Value(kMemory, "SecondLevelDataCache"), "dword:512");
  // Miscellaneous: preset and Save, the recycle bin's volume included.
  EXPECT_EQ(Value(kDesktop, "MenuShowDelay"), "sz:65");
  EXPECT_EQ(Value(kExecutive, "AdditionalCriticalWorkerThreads"), "dword:16");
  EXPECT_EQ(Value(kMouse, "SampleRate"), "missing");
  EXPECT_EQ(StoredValue(kVolume.root, VolumePath(), "NukeOnDelete"), "dword:0");
  // The temporary folders emptied, themselves kept.
  EXPECT_FALSE(Exists(temp_.Sub(L"old.tmp")));
  EXPECT_FALSE(Exists(temp_.Sub(L"sub")));
  EXPECT_FALSE(Exists(tmp_.Sub(L"other.tmp")));
  EXPECT_FALSE(Exists(windows_.Sub(L"Temp\\system.tmp")));
  EXPECT_TRUE(Exists(temp_.Path()));
  EXPECT_TRUE(Exists(windows_.Sub(L"Temp")));
  // The Safe preset, silent, with its progress window; the prefetch files deleted.
  EXPECT_EQ(ProgressRuns(), 1);
  EXPECT_EQ(frmprogress->LastClosing().caption, LoadResString(34));
  EXPECT_EQ(ReadKnownServiceState("TrkWks").startType, static_cast<DWORD>(SERVICE_DISABLED));
  EXPECT_EQ(ReadKnownServiceState("Browser").startType, static_cast<DWORD>(SERVICE_DEMAND_START));
  EXPECT_FALSE(Exists(windows_.Sub(L"Prefetch\\APP.EXE-12345678.pf")));
  // The processor check routine.
  EXPECT_EQ(Value(kSessionManager, "ProcessorControl"), "dword:0");
}

TEST_F(AutoTuner, ASecondRunWorksOnThePagesAsTheFirstLeftThemWithoutReadingThemAgain) {
  dialogs.AnswerMessageBox(IDOK);
  OpenAndRun();
  ASSERT_FALSE(frmOneButton->Loaded());
  ASSERT_EQ(frmMiscellaneous->Check14->Value(), 0);
  // Read again, the recycle-bin box would be ticked and saved so.
  SetDword(kSettings, "DisableRecycleBin", 1);
  SetDword(kFileSystem, "NtfsDisableLastAccessUpdate", 7);
  clock.pauses.clear();
  dialogs.AnswerMessageBox(IDOK);

  frmmain->Image4_Click(7);
  EXPECT_EQ(frmOneButton->Label3->Caption(), "");
  EXPECT_EQ(frmOneButton->ProgressBar1->Value(), 0);
  SendMessageA(frmOneButton->Command1->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();

  EXPECT_EQ(clock.pauses, PausesOfARun(kSteps64, 8));
  ASSERT_EQ(dialogs.MessageBoxes().size(), 2u);
  ExpectClosingMessage(dialogs.MessageBoxes()[1]);
  EXPECT_EQ(frmMiscellaneous->Check14->Value(), 0);
  EXPECT_EQ(Value(kSettings, "DisableRecycleBin"), "dword:0");
  EXPECT_EQ(StoredValue(kVolume.root, VolumePath(), "NukeOnDelete"), "dword:0");
  EXPECT_EQ(Value(kFileSystem, "NtfsDisableLastAccessUpdate"), "dword:1");
  EXPECT_EQ(ProgressRuns(), 2);
  ExpectPagesLeftLoadedAndHidden(false);
}

// ---- 32-bit Windows ------------------------------------------------------------------------

TEST_F(AutoTuner, On32BitWindowsTheDefragmentationIsAskedInAutoTuneModeAndNoStartsNothing) {
  facts.architecture = PROCESSOR_ARCHITECTURE_INTEL;
  dialogs.AnswerMessageBox(IDNO);
  dialogs.AnswerMessageBox(IDOK);

  OpenAndRun();

  EXPECT_EQ(clock.pauses, PausesOfARun(kSteps32, 9));
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, LoadResString(525));
  EXPECT_EQ(boxes[0].title, kAppTitle);
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  EXPECT_TRUE(boxes[0].coloured);
  ExpectClosingMessage(boxes[1]);
  // The question comes during step 8, the bar advanced past the seven steps before it.
  const Moment atQuestion{LoadResString(97), true, false, false, 7, 9};
  EXPECT_EQ(dialogs.atBoxes, (std::vector<Moment>{atQuestion, AtTheClosingMessage(9)}));
  EXPECT_FALSE(frmOneButton->Loaded());
  ExpectPagesLeftLoadedAndHidden(true);
}

// ---- steps that could not do everything ------------------------------------------------------

// What the closing message says when steps could not do everything: each such step's text
// with what its operation would have said outside a run, and the restart.
std::string NotDoneMessage(const std::vector<std::pair<int, std::string>>& steps) {
  std::string text =
      "Quenvor has finished automatically optimizing your computer, but not every step could "
      "do all of its work.";
  for (const auto& [step, failure] : steps) text += "\r\n\r\n" + LoadResString(step) + ":\r\n" + failure;
  return text +
         "\r\n\r\nThe changes that were made take effect when Windows restarts: when you close "
         "Quenvor, you will be asked to reboot.";
}

TEST_F(AutoTuner, WhatTheStepsCouldNotDoIsNamedInPlaceOfTheFinishedMessage) {
  // The performance Save cannot write the priority value, the temporary-folder cleaner
  // refuses a TMP that is not on a drive, the Safe preset cannot change Browser (the
  // service manager refuses every change to a service marked for deletion), and the
  // processor check cannot write its value.
  ASSERT_TRUE(dummies->IsDummy("Browser"));
  ScopedKeyAccess priority(kPriority.root, kPriority.key, KEY_QUERY_VALUE);
  ScopedKeyAccess sessionManager(kSessionManager.root, kSessionManager.key, KEY_QUERY_VALUE);
  ASSERT_TRUE(priority.Applied() && sessionManager.Applied());
  const std::string share = "\\\\server\\share\\Temp";
  ScopedEnvironmentVariable tmp("TMP", share.c_str());
  dialogs.AnswerMessageBox(IDOK);
  {
    ScopedServiceMarkedForDeletion browser("Browser");
    ASSERT_TRUE(browser.Marked());
    OpenAndRun();
  }
  dummies->Recreate("Browser");

  // The run went through every step all the same.
  EXPECT_EQ(clock.pauses, PausesOfARun(kSteps64, 8));
  EXPECT_EQ(Value(kFileSystem, "NtfsDisable8dot3NameCreation"), "dword:0");
  EXPECT_EQ(Value(kPriority, "Win32PrioritySeparation"), "missing");
  EXPECT_FALSE(Exists(temp_.Sub(L"old.tmp")));
  EXPECT_EQ(ReadKnownServiceState("TrkWks").startType, static_cast<DWORD>(SERVICE_DISABLED));
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  const FakeDialogs::Call& box = boxes[0];
  const std::string refusal = FolderRefusal(platform::WideFromAnsi(share + "\\"), nullptr);
  EXPECT_EQ(box.text,
            NotDoneMessage({
                {449, "These settings could not be saved to the registry:\r\n\r\n" + LoadResString(294)},
                {60, "These temporary folders were not cleaned:\r\n\r\n" + share + "\\ (" + refusal + ")"},
                {30, "These services could not be changed:\r\n\r\n    Computer Browser"},
                {193, "The Processor Check Routine could not be enabled: this value could not be written to "
                      "the registry:\r\n\r\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\"
                      "Session Manager\\ProcessorControl"},
            }));
  EXPECT_EQ(box.title, kAppTitle);
  EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
  EXPECT_TRUE(box.coloured);
  EXPECT_EQ(dialogs.atBoxes, std::vector<Moment>{AtTheClosingMessage(8)});
  EXPECT_FALSE(frmOneButton->Loaded());
}

TEST_F(AutoTuner, On32BitWindowsADefragmenterThatCannotStartIsNamed) {
  facts.architecture = PROCESSOR_ARCHITECTURE_INTEL;
  dialogs.AnswerMessageBox(IDYES);  // Wine has no defrag.exe
  dialogs.AnswerMessageBox(IDOK);

  OpenAndRun();

  EXPECT_EQ(clock.pauses, PausesOfARun(kSteps32, 9));
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, LoadResString(525));
  EXPECT_EQ(boxes[1].text,
            NotDoneMessage({{97, "The disk defragmenter could not be started:\r\n\r\ndefrag c: /u /v"}}));
  EXPECT_EQ(boxes[1].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
}

// ---- a click and a close during a run ------------------------------------------------------

TEST_F(AutoTuner, AClickAndACloseThatArriveDuringARunGiveOneRunAndOneMessage) {
  dialogs.AnswerMessageBox(IDOK);
  frmmain->Image4_Click(7);
  FrmOneButton& dialog = *frmOneButton;
  // Both wait in the queue until the first pause lets the message loop run.
  PostMessageA(dialog.Command1->hWnd(), BM_CLICK, 0, 0);
  PostMessageA(dialog.hWnd(), WM_CLOSE, 0, 0);

  SendMessageA(dialog.Command1->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();

  EXPECT_EQ(clock.pauses, PausesOfARun(kSteps64, 8));
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  ExpectClosingMessage(dialogs.MessageBoxes()[0]);
  EXPECT_EQ(ProgressRuns(), 1);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_FALSE(dialog.Running());
  EXPECT_FALSE(AutoTuneMode);
  EXPECT_TRUE(IsWindowEnabled(frmmain->hWnd()));
}

// End Task sends WM_CLOSE to the main window although the run keeps it disabled.
TEST_F(AutoTuner, TheMainWindowClosesOnlyWhenARunHasEndedAndOpenPagesAreHeldMeanwhile) {
  // The close is posted at the first step's pause; the program is looked at at each pause.
  struct Look {
    bool mainLoaded, pageEnabled;
    bool operator==(const Look&) const = default;
  };
  std::vector<Look> looks;
  PauseClock closingClock;
  closingClock.atPause = [&](size_t pause) {
    if (pause == 0) PostMessageA(frmmain->hWnd(), WM_CLOSE, 0, 0);
    looks.push_back({frmmain->Loaded(), IsWindowEnabled(frmPerformance->hWnd()) != 0});
  };
  platform::Override<platform::Clock> useClosingClock(closingClock);
  // The Auto Tuner opened, then a page from the main window, which goes away meanwhile.
  frmmain->Image4_Click(7);
  frmmain->Image4_Click(0);
  ASSERT_TRUE(IsWindowVisible(frmPerformance->hWnd()));
  ASSERT_TRUE(IsWindowEnabled(frmPerformance->hWnd()));
  dialogs.AnswerMessageBox(IDOK);
  dialogs.AnswerRestart(0);

  SendMessageA(frmOneButton->Command1->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();

  // The main window stayed and the page was held throughout; every step ran.
  EXPECT_EQ(looks, std::vector<Look>(kSteps64.size(), Look{true, false}));
  EXPECT_EQ(closingClock.pauses.size(), kSteps64.size());
  EXPECT_EQ(ProgressRuns(), 1);
  // Then the close: the closing message first, the restart question after it.
  const auto& calls = dialogs.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, FakeDialogs::Kind::MessageBox);
  EXPECT_EQ(calls[0].text, LoadResString(605));
  EXPECT_EQ(calls[1].kind, FakeDialogs::Kind::Restart);
  EXPECT_FALSE(frmmain->Loaded());
  EXPECT_EQ(ui::LoadedFormCount(), 0) << "the program ends";
}

TEST_F(AutoTuner, TheCloseBoxIsRefusedWhileARunIsInProgress) {
  frmmain->Image4_Click(7);
  FrmOneButton& dialog = *frmOneButton;
  // A close that arrives during the closing message: the run is still on the stack.
  class ClosingDialogs : public LookingDialogs {
   public:
    int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT style) override {
      refused = !frmOneButton->Unload() && frmOneButton->Loaded();
      SendMessageA(frmOneButton->hWnd(), WM_CLOSE, 0, 0);
      refused = refused && frmOneButton->Loaded();
      return LookingDialogs::MessageBox(owner, text, title, style);
    }
    bool refused = false;
  } closing;
  platform::Override<platform::Dialogs> useClosing(closing);
  closing.AnswerMessageBox(IDOK);

  SendMessageA(dialog.Command1->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();

  EXPECT_TRUE(closing.refused);
  EXPECT_EQ(closing.MessageBoxes().size(), 1u);
  EXPECT_FALSE(dialog.Loaded());
}

// End Task on a page the run holds: the page stays (its Form_Unload would bring the main
// window back, disabled, in the middle of the run) and closes once the run has ended.
TEST_F(AutoTuner, ClosesAskedOfThePagesOfARunWaitForItsEnd) {
  struct Look {
    bool pageLoaded, mainVisible;
    bool operator==(const Look&) const = default;
  };
  std::vector<Look> looks;
  PauseClock closingClock;
  closingClock.atPause = [&](size_t pause) {
    if (pause == 0) PostMessageA(frmPerformance->hWnd(), WM_CLOSE, 0, 0);
    looks.push_back({frmPerformance->Loaded(), IsWindowVisible(frmmain->hWnd()) != 0});
  };
  platform::Override<platform::Clock> useClosingClock(closingClock);
  frmmain->Image4_Click(7);
  frmmain->Image4_Click(0);  // the page, which hides the main window
  const HWND page = frmPerformance->hWnd();
  ASSERT_TRUE(IsWindowVisible(page));
  dialogs.AnswerMessageBox(IDOK);

  SendMessageA(frmOneButton->Command1->hWnd(), BM_CLICK, 0, 0);

  EXPECT_EQ(looks, std::vector<Look>(kSteps64.size(), Look{true, false}));
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  ExpectClosingMessage(dialogs.MessageBoxes()[0]);
  // The close is carried out by the message loop, after the run.
  ui::DoEvents();
  EXPECT_FALSE(frmPerformance->Loaded());
  EXPECT_FALSE(IsWindow(page));
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  EXPECT_TRUE(IsWindowEnabled(frmmain->hWnd()));
}

// Windows asks the program's windows before a log-off (WM_QUERYENDSESSION): during a run the
// main window says no, before and after it yes.
TEST_F(AutoTuner, ALogOffIsRefusedDuringARunAndAgreedToAfter) {
  std::vector<LRESULT> answers;
  PauseClock askingClock;
  askingClock.atPause = [&](size_t) {
    answers.push_back(SendMessageA(frmmain->hWnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  };
  platform::Override<platform::Clock> useAskingClock(askingClock);
  dialogs.AnswerMessageBox(IDOK);
  frmmain->Image4_Click(7);
  EXPECT_EQ(SendMessageA(frmmain->hWnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);

  SendMessageA(frmOneButton->Command1->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();

  EXPECT_EQ(answers, std::vector<LRESULT>(kSteps64.size(), FALSE));
  EXPECT_FALSE(frmOneButton->Loaded());
  EXPECT_EQ(SendMessageA(frmmain->hWnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_EQ(SendMessageA(frmmain->hWnd(), WM_QUERYENDSESSION, 0, 0), TRUE);  // a shut-down
}

// ---- an error inside a run -----------------------------------------------------------------

// The closing message of a run that broke off: what went wrong, under what was running.
std::string StoppedMessage(const std::string& heading, const std::string& failure) {
  return "Quenvor has finished automatically optimizing your computer, but not every step could "
         "do all of its work.\r\n\r\n" + heading + ":\r\n" + failure;
}

// After a run that broke off, the program is as after any run: the mode clear, the main
// window enabled and closable, the dialog gone, a log-off agreed to.
void ExpectTheRunEndedCleanly() {
  EXPECT_FALSE(AutoTuneMode);
  EXPECT_FALSE(frmOneButton->Loaded());
  EXPECT_FALSE(frmOneButton->Running());
  EXPECT_TRUE(IsWindowEnabled(frmmain->hWnd()));
  EXPECT_EQ(SendMessageA(frmmain->hWnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  FakeDialogs exitMessage;
  platform::Override<platform::Dialogs> useExitMessage(exitMessage);
  exitMessage.AnswerMessageBox(IDOK);
  SendMessageA(frmmain->hWnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(frmmain->Loaded()) << "the main window refuses to close";
}

TEST_F(AutoTuner, AStepThatThrowsEndsTheRunCleanlyAndIsNamed) {
  // The first step's preset asks WMI for the processor's cache size.
  class BrokenWmi : public FakeWmi {
   public:
    HRESULT Query(const std::string&, const std::string&, std::vector<platform::WmiObject>*) override {
      throw std::runtime_error("out of memory");
    }
  } broken;
  platform::Override<platform::Wmi> useBroken(broken);
  dialogs.AnswerMessageBox(IDOK);

  OpenAndRun();

  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, StoppedMessage(LoadResString(478),
                                          "This step stopped with an error (out of memory); the steps "
                                          "after it were not run."));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
  // No step after it ran.
  EXPECT_TRUE(clock.pauses.empty());
  EXPECT_TRUE(Exists(temp_.Sub(L"old.tmp")));
  EXPECT_EQ(Value(kFileSystem, "NtfsDisable8dot3NameCreation"), "missing");
  ExpectTheRunEndedCleanly();
}

TEST_F(AutoTuner, AnErrorInTheRunItselfEndsItCleanlyAndIsNamed) {
  // The clock of the pause after the first step fails.
  class BrokenClock : public PauseClock {
   public:
    std::time_t Now() override { throw std::runtime_error("no clock"); }
  } broken;
  platform::Override<platform::Clock> useBroken(broken);
  dialogs.AnswerMessageBox(IDOK);

  OpenAndRun();

  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, StoppedMessage(LoadResString(331), "The run stopped with an error (no clock)."));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
  EXPECT_EQ(Value(kPriority, "Win32PrioritySeparation"), "missing") << "the Save, the second step, ran";
  ExpectTheRunEndedCleanly();
}

}  // namespace
