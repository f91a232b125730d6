// The compiled help file beside the program, opened in the system's real help viewer.
#include <gtest/gtest.h>

#include <windows.h>
#include <htmlhelp.h>
#include <objbase.h>

#include <set>
#include <string>

#include "platform/seam.h"
#include "resources/help/context_ids.h"
#include "shell/help/HTMLHelp.h"
#include "shell/frmmain.h"
#include "support/fakes.h"

// The help file reader of the system (itss.dll), which opens a compiled help file as a
// structured storage. Declared outside the unnamed namespace: there the compiler would know
// that no class implements it and would drop the calls.
struct IITStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

const GUID kITStorageClass = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const GUID kITStorageInterface = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

std::string HelpFile() { return AppPath() + "\\Quenvor.chm"; }

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

class CompiledHelp {
 public:
  CompiledHelp() {
    CoInitialize(nullptr);
    IITStorage* reader = nullptr;
    if (FAILED(CoCreateInstance(kITStorageClass, nullptr, CLSCTX_INPROC_SERVER, kITStorageInterface,
                                reinterpret_cast<void**>(&reader))))
      return;
    reader->StgOpenStorage(Wide(HelpFile()).c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE,
                           nullptr, 0, &storage_);
    reader->Release();
  }
  // COM stays initialised on the thread: the help viewer uses it too.
  ~CompiledHelp() {
    if (storage_) storage_->Release();
  }
  bool IsOpen() const { return storage_ != nullptr; }
  std::set<std::string> Pages() const {
    std::set<std::string> pages;
    IEnumSTATSTG* entries = nullptr;
    if (FAILED(storage_->EnumElements(0, nullptr, 0, &entries))) return pages;
    STATSTG stat;
    ULONG fetched = 0;  // the system's enumerator writes it even for one element
    while (entries->Next(1, &stat, &fetched) == S_OK) {
      std::wstring name = stat.pwcsName;
      CoTaskMemFree(stat.pwcsName);
      if (name.size() > 4 && name.substr(name.size() - 4) == L".htm")
        pages.insert(std::string(name.begin(), name.end()));
    }
    entries->Release();
    return pages;
  }
  // The text of one file inside the help file ("" when it is missing).
  std::string Read(const std::string& name) const {
    IStream* stream = nullptr;
    if (FAILED(storage_->OpenStream(Wide(name).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
      return "";
    std::string text;
    char buffer[4096];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0) text.append(buffer, got);
    stream->Release();
    return text;
  }

 private:
  IStorage* storage_ = nullptr;
};

class HelpViewerTest : public testing::Test {
 protected:
  void TearDown() override { HTMLHelp::SystemHtmlHelp(nullptr, "", HH_CLOSE_ALL, 0); }
  FakeDialogs dialogs;  // the viewer shows no message box of the program
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(HelpViewerTest, HelpMenuOpensTheViewerOnTheProgramsHelpFile) {
  frmmain->hHelp.reset();
  frmmain->help_menu2_Click();

  ASSERT_TRUE(frmmain->hHelp);
  EXPECT_EQ(frmmain->hHelp->CHMFile(), HelpFile());
  HWND viewer = frmmain->hHelp->HHWndHandle();
  ASSERT_TRUE(IsWindow(viewer));
  char text[256] = "";
  GetClassNameA(viewer, text, sizeof text);
  EXPECT_STREQ(text, "HH Parent");
  GetWindowTextA(viewer, text, sizeof text);
  EXPECT_STREQ(text, "Quenvor Pro Help");
  EXPECT_EQ(GetWindow(viewer, GW_OWNER), nullptr);

  frmmain->hHelp->HHClose();
  EXPECT_FALSE(IsWindow(viewer));
  frmmain->hHelp.reset();
}

TEST_F(HelpViewerTest, MissingHelpFileOpensNothing) {
  std::optional<HWND> result =
      HTMLHelp::SystemHtmlHelp(nullptr, (AppPath() + "\\Missing.chm").c_str(), HH_DISPLAY_TOC, 0);
  ASSERT_TRUE(result) << "hhctrl.ocx could not be loaded";
  EXPECT_EQ(*result, nullptr);
  EXPECT_EQ(FindWindowA("HH Parent", nullptr), nullptr);
}

TEST_F(HelpViewerTest, EveryContextNumberOpensItsTopic) {
  const int ids[] = {
      IDH_WELCOME,           IDH_CATEGORY_TWEAKS,  IDH_CATEGORY_MAINTENANCE, IDH_CATEGORY_SECURITY,
      IDH_CATEGORY_PASSWORDS, IDH_PERFORMANCE,     IDH_PERFORMANCE_II,       IDH_STARTUP_MANAGER,
      IDH_MORE_TWEAKS,       IDH_INTERNET_EXPLORER, IDH_AUTO_TUNER,          IDH_MISCELLANEOUS,
      IDH_SHELL_TWEAKS,      IDH_SERVICE_MANAGER,  IDH_DISK_USAGE,           IDH_DISK_CLEANER,
      IDH_SHARED_DLLS,       IDH_SHELL_BROWSER,    IDH_CONTROL_CENTER,       IDH_SYSTEM_INFO,
      IDH_TOOLBOX,           IDH_RESTORE_POINTS,   IDH_START_MENU,           IDH_SYSTEM,
      IDH_DESKTOP_EXPLORER,  IDH_CONTROL_PANEL,    IDH_LOGIN,                IDH_FIREWALL,
      IDH_KESTAMUND,         IDH_UAC,              IDH_CREATE_PASSWORD,      IDH_CHANGE_PASSWORD,
      IDH_REMOVE_PASSWORD,   IDH_ABOUT,
  };
  HTMLHelp help;
  help.CHMFile(HelpFile());
  for (int id : ids) {
    help.HHTopicID(id);
    help.HHDisplayTopicID();
    EXPECT_TRUE(IsWindow(help.HHWndHandle())) << "context " << id;
  }
  EXPECT_EQ(*HTMLHelp::SystemHtmlHelp(nullptr, HelpFile().c_str(), HH_HELP_CONTEXT, 99999), nullptr);
  help.HHClose();

  CompiledHelp compiled;
  ASSERT_TRUE(compiled.IsOpen());
  EXPECT_EQ(compiled.Pages().size(), std::size(ids)) << "a page without a context number";
}

TEST(HelpFile, ContentsAndIndexCoverEveryPage) {
  CompiledHelp compiled;
  ASSERT_TRUE(compiled.IsOpen()) << HelpFile();
  std::set<std::string> pages = compiled.Pages();
  ASSERT_GE(pages.size(), 34u);
  std::string contents = compiled.Read("contents.hhc");
  std::string index = compiled.Read("index.hhk");
  for (const std::string& page : pages) {
    std::string local = "value=\"" + page + "\"";
    EXPECT_NE(contents.find(local), std::string::npos) << page << " is not in the contents";
    EXPECT_NE(index.find(local), std::string::npos) << page << " is not in the index";
  }
  // and every topic that they name is in the file
  for (const std::string* list : {&contents, &index}) {
    for (size_t at = list->find("name=\"Local\" value=\""); at != std::string::npos;
         at = list->find("name=\"Local\" value=\"", at + 1)) {
      size_t start = at + 20;
      std::string topic = list->substr(start, list->find('"', start) - start);
      EXPECT_TRUE(pages.count(topic)) << topic << " is named but missing";
    }
  }
}

}  // namespace
