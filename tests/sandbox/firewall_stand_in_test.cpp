// The sandbox's stand-in firewall objects (scripts/lib/firewall_stand_in.cpp), registered
// in the test prefix as scripts/run registers them in the sandbox: the program's own calls
// to the system's firewall objects list, add and remove authorized applications, and the
// firewall page lists them with no message. The test puts Wine's registration back and
// takes away what it kept.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/firewall.h"
#include "platform/registry.h"
#include "platform/seam.h"
#include "security/frmFirewall.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/test_service.h"

namespace {

constexpr REGSAM k32 = KEY_WOW64_32KEY;
const char* const kClasses[] = {
    "Software\\Classes\\CLSID\\{304CE942-6E39-40D8-943A-B913C40C9CD4}\\InprocServer32",
    "Software\\Classes\\CLSID\\{EC9846B3-2762-4A6B-A214-6ACB603462D2}\\InprocServer32",
};
constexpr char kStore[] = "Software\\Quenvor Sandbox\\Firewall\\AuthorizedApplications";
constexpr char kEditor[] = "C:\\Program Files\\Two Words\\editor.exe";
constexpr char kUpdater[] = "C:\\Tools\\up.exe";

std::string LibraryPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\')) + "\\firewall_stand_in.dll";
}

struct Registration {
  std::optional<platform::RegValue> server, threading;
};

class FirewallStandIn : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* key : kClasses) {
      platform::RegKey k(HKEY_LOCAL_MACHINE, key, KEY_QUERY_VALUE | k32);
      saved_.push_back({k.Read(""), k.Read("ThreadingModel")});
    }
    library_ = LoadLibraryA(LibraryPath().c_str());
    ASSERT_NE(library_, nullptr) << LibraryPath();
    auto registerServer = reinterpret_cast<HRESULT(WINAPI*)()>(GetProcAddress(library_, "DllRegisterServer"));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
    ASSERT_EQ(platform::RegKey(HKEY_LOCAL_MACHINE, kClasses[0], KEY_QUERY_VALUE | k32).ReadString("", ""),
              LibraryPath());
  }
  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i) {
      platform::RegKey k(HKEY_LOCAL_MACHINE, kClasses[i], KEY_SET_VALUE | k32);
      Put(k, "", saved_[i].server);
      Put(k, "ThreadingModel", saved_[i].threading);
    }
    // The store and the keys made for it, each only when nothing else is below it.
    for (const char* key : {kStore, "Software\\Quenvor Sandbox\\Firewall", "Software\\Quenvor Sandbox"})
      platform::RegKey::DeleteKey(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY);
    if (library_) FreeLibrary(library_);
  }
  static void Put(platform::RegKey& key, const char* name, const std::optional<platform::RegValue>& value) {
    if (!value) {
      key.DeleteValue(name);
    } else {
      RegSetValueExA(key.Handle(), name, 0, value->type, value->data.data(),
                     static_cast<DWORD>(value->data.size()));
    }
  }
  static std::vector<std::pair<std::string, std::string>> Listed() {
    std::vector<platform::FirewallApplication> listed;
    EXPECT_TRUE(platform::Firewall::Real().List(&listed));
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& a : listed) pairs.emplace_back(a.name, a.path);
    return pairs;
  }

  std::vector<Registration> saved_;
  HMODULE library_ = nullptr;
};

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST_F(FirewallStandIn, TheProgramsCallsListAddAndRemoveAuthorizedApplications) {
  platform::Firewall& real = platform::Firewall::Real();
  EXPECT_EQ(Listed(), Pairs{});
  EXPECT_EQ(real.Add({.name = "editor.exe", .processImageFileName = kEditor}), S_OK);
  EXPECT_EQ(real.Add({.name = "Updater", .processImageFileName = kUpdater}), S_OK);
  EXPECT_EQ(Listed(), (Pairs{{"editor.exe", kEditor}, {"Updater", kUpdater}}));
  // The same program file once more: one entry, with the new name.
  EXPECT_EQ(real.Add({.name = "Updater 2", .processImageFileName = "c:\\tools\\UP.exe"}), S_OK);
  EXPECT_EQ(Listed(), (Pairs{{"editor.exe", kEditor}, {"Updater 2", kUpdater}}));
  // An application without a program file is refused.
  EXPECT_TRUE(FAILED(real.Add({.name = "nothing", .processImageFileName = ""})));
  EXPECT_EQ(real.Remove(kEditor), S_OK);
  EXPECT_EQ(Listed(), (Pairs{{"Updater 2", kUpdater}}));
  EXPECT_EQ(real.Remove(kEditor), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

TEST_F(FirewallStandIn, WithTheServiceRunningThePageListsWhatIsKeptAndSaysNothing) {
  ASSERT_EQ(platform::Firewall::Real().Add({.name = "Updater", .processImageFileName = kUpdater}), S_OK);
  ScopedTestService service("MpsSvc", SERVICE_DEMAND_START);
  ASSERT_TRUE(ArrangeService("MpsSvc", SERVICE_DEMAND_START, true));
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs(dialogs);
  frmFirewall->Load();
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  ASSERT_EQ(frmFirewall->vbalListViewCtl3->ItemCount(), 1);
  EXPECT_EQ(frmFirewall->vbalListViewCtl3->Item(1).Text(), "Updater");
  EXPECT_EQ(frmFirewall->vbalListViewCtl3->Item(1).SubItem(1), kUpdater);
  frmFirewall->Unload();
  CloseMainWindow();
}

}  // namespace
