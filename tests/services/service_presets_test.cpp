// The services page's three presets on the real service manager and registry of the test
// prefix, over all 144 known services (the prefix's own and the fixture's dummies): what
// each run leaves, its question, its progress and closing message, the Auto Tuner's silent
// runs, and what a run that could not change everything says.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "services/KnownServices.h"
#include "services/ServicePresets.h"
#include "services/frmServices.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmprogress.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/known_service_dummies.h"
#include "support/main_window.h"
#include "support/scoped_environment.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"

namespace {

using services::kKnownServices;
using services::Preset;

// The start code a service has now, read back from the service manager and its key:
// 1 automatic with "DelayedAutoStart" 0, 4 automatic with 1, 2 manual, 3 disabled; 0 for
// anything else (an automatic service without the value, a missing service).
int CodeNow(const std::string& key) {
  KnownServiceState state = ReadKnownServiceState(key);
  if (!state.exists) return 0;
  switch (state.startType) {
    case SERVICE_AUTO_START:
      if (state.delayedAutoStart == 0u) return services::kAutomatic;
      if (state.delayedAutoStart == 1u) return services::kDelayedAutomatic;
      return 0;
    case SERVICE_DEMAND_START: return services::kManual;
    case SERVICE_DISABLED: return services::kDisabled;
    default: return 0;
  }
}

// How many known services have each code now (automatic, manual, disabled, delayed), and
// the keys of those whose code is not the preset's.
struct Outcome {
  std::array<int, 4> counts{};
  std::vector<std::string> astray;
};
Outcome OutcomeAgainst(Preset preset) {
  Outcome outcome;
  for (const auto& service : kKnownServices) {
    int code = CodeNow(service.key);
    if (code >= 1 && code <= 4) ++outcome.counts[code - 1];
    if (code != service.Code(preset)) outcome.astray.push_back(service.key);
  }
  return outcome;
}

std::map<std::string, KnownServiceState> AllStates() {
  std::map<std::string, KnownServiceState> states;
  for (const auto& service : kKnownServices) states[service.key] = ReadKnownServiceState(service.key);
  return states;
}

class ServicePresets : public KnownServicesTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dummies->Ready());
    RestartNeeded = false;
    AutoTuneMode = false;
    MakeFile(PrefetchFile());
    closingsBefore_ = frmprogress->Closings();
  }

  void TearDown() override {
    AutoTuneMode = false;
    RestartNeeded = false;
    CloseMainWindow();
    dummies->Reset();
  }

  FrmServices& Page() { return *frmServices; }
  std::wstring PrefetchFile() const { return windows_.Sub(L"Prefetch\\app.pf"); }
  int ProgressRuns() const { return frmprogress->Closings() - closingsBefore_; }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  // The prefetch files of a Windows folder of the test's own.
  ScratchFolder windows_;
  ScopedEnvironmentVariable windir_{"windir", Narrow(windows_.Path()).c_str()};
  int closingsBefore_ = 0;
};

// ---- a run on every button ----------------------------------------------------------------

struct PresetCase {
  const char* name;
  void (FrmServices::*click)();
  Preset preset;
  int question, questionEnd, title, progress;
  UINT style;
  std::array<int, 4> counts;
};

class PresetRun : public ServicePresets, public testing::WithParamInterface<PresetCase> {};

TEST_P(PresetRun, GivesEveryServiceItsCodeAfterTheQuestion) {
  const PresetCase& c = GetParam();
  dummies->ArrangeAllOtherThan(c.preset);
  dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);

  (Page().*c.click)();

  Outcome outcome = OutcomeAgainst(c.preset);
  EXPECT_EQ(outcome.counts, c.counts);
  EXPECT_EQ(outcome.astray, std::vector<std::string>{});
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  const auto& question = boxes[0];
  EXPECT_EQ(question.text, LoadResString(c.question) + "\r\n\r\n" + LoadResString(c.questionEnd));
  EXPECT_EQ(question.title, LoadResString(c.title));
  EXPECT_EQ(question.style, c.style);
  const auto& closing = boxes[1];
  EXPECT_EQ(closing.text, LoadResString(543));
  EXPECT_EQ(closing.title, kAppTitle);
  EXPECT_EQ(closing.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_TRUE(closing.coloured);
  // One progress window, stepped once per service up to its maximum.
  EXPECT_EQ(ProgressRuns(), 1);
  EXPECT_EQ(frmprogress->LastClosing().caption, LoadResString(c.progress));
  EXPECT_EQ(frmprogress->LastClosing().max, 144);
  EXPECT_EQ(frmprogress->LastClosing().value, 144);
  EXPECT_FALSE(frmprogress->Loaded());
  EXPECT_FALSE(Exists(PrefetchFile()));
  EXPECT_TRUE(RestartNeeded);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PresetRun,
    testing::Values(
        PresetCase{"Default", &FrmServices::Command65_Click, Preset::Default, 559, 178, 94, 32,
                   MB_YESNO | MB_ICONINFORMATION, {38, 97, 4, 5}},
        PresetCase{"Tweaked", &FrmServices::Command67_Click, Preset::Tweaked, 551, 177, 473, 33,
                   MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL, {37, 42, 61, 4}},
        PresetCase{"Safe", &FrmServices::Command68_Click, Preset::Safe, 554, 623, 474, 34,
                   MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL, {38, 79, 23, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServicePresets, NamedServicesAfterEachPreset) {
  struct Cell {
    const char* key;
    int defaultCode, tweakedCode, safeCode;
  };
  const Cell cells[] = {
      {"Winmgmt", 1, 1, 1},  {"wuauserv", 4, 4, 4}, {"TermService", 2, 3, 2}, {"DPS", 1, 3, 1},
      {"WSearch", 4, 3, 3},  {"TrkWks", 1, 3, 3},   {"SharedAccess", 3, 3, 3}, {"Browser", 2, 1, 1},
      {"WwanSvc", 2, 2, 2},  {"clr_optimization_v2.0.50727", 2, 2, 2},
  };
  const std::pair<void (FrmServices::*)(), int Cell::*> runs[] = {
      {&FrmServices::Command67_Click, &Cell::tweakedCode},
      {&FrmServices::Command65_Click, &Cell::defaultCode},
      {&FrmServices::Command68_Click, &Cell::safeCode},
  };
  for (auto [click, column] : runs) {
    dialogs.AnswerMessageBox(IDYES);
    dialogs.AnswerMessageBox(IDOK);
    (Page().*click)();
    for (const Cell& cell : cells) EXPECT_EQ(CodeNow(cell.key), cell.*column) << cell.key;
  }
}

// ---- answering No, and the Auto Tuner's runs ----------------------------------------------

TEST_F(ServicePresets, AnyAnswerButYesChangesNothing) {
  dummies->ArrangeAllOtherThan(Preset::Safe);
  const auto before = AllStates();
  const std::pair<void (FrmServices::*)(), int> cases[] = {
      {&FrmServices::Command65_Click, IDNO}, {&FrmServices::Command67_Click, IDNO},
      {&FrmServices::Command68_Click, IDNO}, {&FrmServices::Command68_Click, IDCANCEL}};
  for (auto [click, answer] : cases) {
    dialogs.AnswerMessageBox(answer);
    (Page().*click)();
  }
  EXPECT_EQ(dialogs.MessageBoxes().size(), 4u);
  EXPECT_EQ(AllStates(), before);
  EXPECT_EQ(ProgressRuns(), 0);
  EXPECT_TRUE(Exists(PrefetchFile()));
  EXPECT_FALSE(RestartNeeded);
}

TEST_F(ServicePresets, TheAutoTunersSafeRunAsksNothingAndLeavesThreeNetworkServicesManual) {
  dummies->ArrangeAllOtherThan(Preset::SilentSafe);
  AutoTuneMode = true;

  frmServices->Command68_Click();

  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  Outcome outcome = OutcomeAgainst(Preset::SilentSafe);
  EXPECT_EQ(outcome.counts, (std::array<int, 4>{35, 82, 23, 4}));
  EXPECT_EQ(outcome.astray, std::vector<std::string>{});
  for (const char* key : {"Browser", "fdPHost", "Netman"}) EXPECT_EQ(CodeNow(key), services::kManual) << key;
  EXPECT_EQ(ProgressRuns(), 1);
  EXPECT_EQ(frmprogress->LastClosing().value, 144);
  EXPECT_FALSE(Exists(PrefetchFile()));
  EXPECT_TRUE(RestartNeeded);
  // The page was loaded for the run and stays loaded and hidden.
  EXPECT_TRUE(Page().Loaded());
  EXPECT_FALSE(Page().Visible());
}

TEST_F(ServicePresets, UnderTheAutoTunerDefaultRunsSilentlyAndTweakedStillAsks) {
  dummies->ArrangeAllOtherThan(Preset::Default);
  AutoTuneMode = true;
  Page().Command65_Click();
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  EXPECT_EQ(OutcomeAgainst(Preset::Default).astray, std::vector<std::string>{});

  dialogs.AnswerMessageBox(IDNO);
  Page().Command67_Click();
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  EXPECT_EQ(dialogs.MessageBoxes()[0].title, LoadResString(473));
  EXPECT_EQ(OutcomeAgainst(Preset::Default).astray, std::vector<std::string>{});
  EXPECT_EQ(ProgressRuns(), 1);
}

// ---- "DelayedAutoStart" -------------------------------------------------------------------

TEST_F(ServicePresets, OnlyAutomaticCodesWriteDelayedAutoStart) {
  struct Case {
    const char* key;
    DWORD typeBefore;  // other than Safe's, so that each is changed
    std::optional<DWORD> before;
    std::optional<DWORD> after;
  };
  const Case cases[] = {
      {"AxInstSV", SERVICE_DISABLED, 1, 1},                  // to manual: kept
      {"AppMgmt", SERVICE_DEMAND_START, 1, 1},               // to disabled: kept
      {"ALG", SERVICE_DISABLED, std::nullopt, std::nullopt},  // to manual: not made
      {"BFE", SERVICE_DEMAND_START, std::nullopt, 0},        // to automatic: made
      {"CryptSvc", SERVICE_DEMAND_START, 1, 0},              // to automatic
      {"wscsvc", SERVICE_DEMAND_START, 0, 1},                // to delayed automatic
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(ArrangeKnownService(c.key, c.typeBefore, c.before)) << c.key;
  }
  dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command68_Click();
  for (const Case& c : cases) EXPECT_EQ(ReadKnownServiceState(c.key).delayedAutoStart, c.after) << c.key;
}

// ---- services missing, and services that refuse ---------------------------------------------

TEST_F(ServicePresets, AMissingServiceIsNoFailureAndPassesNothingToTheServiceBefore) {
  // ALG becomes manual under Safe; AppMgmt, next in the table, would be disabled.
  ASSERT_TRUE(ArrangeKnownService("ALG", SERVICE_AUTO_START, std::nullopt));
  dummies->Remove("AppMgmt");
  dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);

  Page().Command68_Click();

  EXPECT_EQ(CodeNow("ALG"), services::kManual);
  EXPECT_FALSE(ReadKnownServiceState("AppMgmt").exists);
  ASSERT_EQ(dialogs.MessageBoxes().size(), 2u);
  EXPECT_EQ(dialogs.MessageBoxes()[1].text, LoadResString(543));
  dummies->Recreate("AppMgmt");
}

struct RefusalCase {
  const char* name;
  bool interactive;
  DWORD typeBefore;  // AxInstSV becomes manual under Safe
  const char* warned;  // "" for none
};

class Refusal : public ServicePresets, public testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, ServicesNotChangedAreNamedInsteadOfTheSuccessMessage) {
  const RefusalCase& c = GetParam();
  ASSERT_TRUE(ArrangeKnownService("AxInstSV", c.typeBefore, std::nullopt));
  ASSERT_TRUE(ArrangeKnownService("AppMgmt", SERVICE_AUTO_START, std::nullopt));
  AutoTuneMode = !c.interactive;
  if (c.interactive) {
    dialogs.AnswerMessageBox(IDYES);
    dialogs.AnswerMessageBox(IDOK);
  }
  TakeAutoTuneFailures();
  {
    // The service manager refuses every change to a service marked for deletion.
    ScopedServiceMarkedForDeletion marked("AxInstSV");
    ASSERT_TRUE(marked.Marked());
    Page().Command68_Click();
  }
  dummies->Recreate("AxInstSV");

  EXPECT_EQ(CodeNow("AppMgmt"), services::kDisabled);  // the others are changed all the same
  EXPECT_TRUE(RestartNeeded);
  EXPECT_FALSE(Exists(PrefetchFile()));
  if (!c.interactive) {
    // Silent: the services not changed are handed to the Auto Tuner instead.
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
    EXPECT_EQ(TakeAutoTuneFailures(),
              std::vector<std::string>{services::ServicesNotChangedList({"ActiveX Installer"})});
    return;
  }
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  const auto& closing = boxes[1];
  if (*c.warned) {
    EXPECT_EQ(closing.style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(closing.text.find(c.warned), std::string::npos) << closing.text;
    EXPECT_EQ(closing.text.find("Application Management"), std::string::npos) << closing.text;
    EXPECT_TRUE(closing.coloured);
  } else {
    EXPECT_EQ(closing.text, LoadResString(543));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Refusal,
    testing::Values(RefusalCase{"Refused", true, SERVICE_DISABLED, "ActiveX Installer"},
                    // Already of the wanted type: nothing to change, so nothing refused.
                    RefusalCase{"AlreadyRight", true, SERVICE_DEMAND_START, ""},
                    RefusalCase{"SilentRun", false, SERVICE_DISABLED, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Keys that can be read but not written: a service that already has the preset's start
// type (and "DelayedAutoStart") needs no write, so it is neither written nor named; one
// whose "DelayedAutoStart" must change is named.
TEST_F(ServicePresets, AServiceAlreadyAsThePresetWantsItIsNoFailureWhereItsKeyCannotBeWritten) {
  struct Case {
    const char* key;
    DWORD type;
    std::optional<DWORD> delayed;
  };
  const Case cases[] = {
      {"BFE", SERVICE_AUTO_START, 0},                 // automatic already
      {"AxInstSV", SERVICE_DEMAND_START, std::nullopt},  // manual already
      {"CryptSvc", SERVICE_AUTO_START, 1},            // automatic, but with a delayed start
  };
  std::vector<std::unique_ptr<ScopedKeyAccess>> readOnly;
  for (const Case& c : cases) {
    ASSERT_TRUE(ArrangeKnownService(c.key, c.type, c.delayed)) << c.key;
    readOnly.push_back(std::make_unique<ScopedKeyAccess>(HKEY_LOCAL_MACHINE,
                                                         std::string(services::kServicesKey) + c.key,
                                                         KEY_QUERY_VALUE));
    ASSERT_TRUE(readOnly.back()->Applied()) << c.key;
  }
  dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);

  Page().Command68_Click();
  readOnly.clear();

  for (const Case& c : cases) {
    const KnownServiceState state = ReadKnownServiceState(c.key);
    EXPECT_EQ(state.startType, c.type) << c.key;
    EXPECT_EQ(state.delayedAutoStart, c.delayed) << c.key;
  }
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, services::ServicesNotChangedMessage({"Cryptographic Services"}));
  EXPECT_EQ(boxes[1].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST(ServicesNotChangedMessage, NamesUpToTwelveServicesAndCountsTheRest) {
  auto names = [](int n) {
    std::vector<std::string> list;
    for (int i = 1; i <= n; ++i) list.push_back("Service " + std::to_string(i));
    return list;
  };
  const std::string one = services::ServicesNotChangedMessage(names(1));
  EXPECT_NE(one.find("    Service 1\r\n"), std::string::npos);
  EXPECT_EQ(one.find("more"), std::string::npos);
  EXPECT_NE(one.find("reboot"), std::string::npos);

  const std::string twelve = services::ServicesNotChangedMessage(names(12));
  EXPECT_NE(twelve.find("Service 12\r\n"), std::string::npos);
  EXPECT_EQ(twelve.find("more"), std::string::npos);

  const std::string thirty = services::ServicesNotChangedMessage(names(30));
  EXPECT_NE(thirty.find("Service 12\r\n"), std::string::npos);
  EXPECT_EQ(thirty.find("Service 13"), std::string::npos);
  EXPECT_NE(thirty.find("... and 18 more"), std::string::npos);
}

}  // namespace
