// Installation and version checks of the help wrapper, against class registrations that
// point at files whose version resource the test writes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "help_fixtures.h"
#include "platform/seam.h"
#include "shell/help/HTMLHelp.h"
#include "support/fakes.h"

namespace {

class VersionTest : public testing::Test {
 protected:
  // A file of the test's folder with the given file version. Its name must not be that of
  // a system library: for such a name the version of the system's own library is read.
  std::string Versioned(const std::string& name, WORD a, WORD b, WORD c, WORD d) {
    std::string path = folder.Path() + "\\" + name;
    EXPECT_TRUE(WriteVersionedFile(path, a, b, c, d)) << path;
    return path;
  }
  void ExpectError(size_t index, const std::string& text) {
    ASSERT_GT(dialogs.MessageBoxes().size(), index);
    const auto box = dialogs.MessageBoxes()[index];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, "HTML Help Class");
    EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONHAND));
    EXPECT_TRUE(box.coloured);
  }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  TempFolder folder;
  LibraryRegistration hhctrl{kHHCtrlClsid, "InprocServer32"};
  LibraryRegistration shdocvw{kShdocvwClsid, "InProcServer32"};
  HTMLHelp help;
};

TEST_F(VersionTest, VersionTextAndReleaseName) {
  struct Case {
    WORD a, b, c, d;
    const char* text;
    const char* release;
  };
  const Case cases[] = {
      {4, 72, 7290, 0, "4.72.7290.00", "1.0"},
      {4, 74, 8702, 0, "4.74.8702.00", "1.3"},
      {6, 1, 7601, 17514, "6.01.7601.17514", "unknown"},
      {5, 0, 0, 3, "5.00.0003", "unknown"},       // no build part: the revision alone
      {5, 0, 40000, 3, "5.00.0003", "unknown"},   // a build of 32768 and more reads negative
      {10, 0, 19041, 1, "10.00.19041.01", "unknown"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    hhctrl.PointAt(Versioned("hh" + std::to_string(++n) + ".ocx", c.a, c.b, c.c, c.d));
    HTMLHelp fresh;
    EXPECT_EQ(fresh.HHVersion(), c.text);
    EXPECT_EQ(fresh.HHFriendlyName(), c.release);
  }
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(VersionTest, BrowserVersionAndReleaseName) {
  shdocvw.PointAt(Versioned("browser.dll", 5, 0, 2919, 6307));
  EXPECT_EQ(help.IEVersion(), "5.00.2919.6307");
  EXPECT_EQ(help.IEFriendlyName(), "5.01");
}

TEST_F(VersionTest, MinimumVersionsAreComparedAsText) {
  shdocvw.PointAt(Versioned("browser.dll", 6, 0, 2900, 2180));
  struct Case {
    WORD a, b, c, d;
    int32_t hhCode, ieCode;
    bool passes;
  };
  const Case cases[] = {
      {6, 1, 7601, 17514, 0x1A, 0x111, true},   // "6.01..." sorts after "4.74.8702"
      {4, 72, 7290, 0, 0x10, 0x100, true},      // exactly the minimum
      {4, 72, 7290, 0, 0x11, 0x100, false},     // below "4.72.7323"
      {10, 0, 19041, 1, 0x10, 0x100, false},    // "10..." sorts before "4.72.7290"
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << "." << c.b << "." << c.c << "." << c.d << " code " << c.hhCode);
    hhctrl.PointAt(Versioned("min" + std::to_string(++n) + ".ocx", c.a, c.b, c.c, c.d));
    EXPECT_EQ(help.HHVerifyMinConfig(c.hhCode, c.ieCode), c.passes);
  }
}

TEST_F(VersionTest, CodeOutsideTheTableFailsAndLeavesUnknown) {
  hhctrl.PointAt(Versioned("helpcontrol.ocx", 6, 1, 7601, 17514));
  shdocvw.PointAt(Versioned("browser.dll", 6, 0, 2900, 2180));

  EXPECT_FALSE(help.HHVerifyMinConfig(0x30, 0x100));
  EXPECT_EQ(help.HHFriendlyName(), "unknown");  // no new check
  EXPECT_EQ(help.HHVersion(), "6.01.7601.17514");

  EXPECT_FALSE(help.HHVerifyMinConfig(0x10, 0x200));
  EXPECT_EQ(help.IEFriendlyName(), "unknown");
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(VersionTest, UnknownLeftByABadCodeNeverPassesLater) {
  hhctrl.PointAt(Versioned("helpcontrol.ocx", 6, 1, 7601, 17514));
  shdocvw.PointAt(Versioned("browser.dll", 6, 0, 2900, 2180));
  EXPECT_FALSE(help.HHVerifyMinConfig(0x30, 0x100));

  hhctrl.Remove();  // the help control is no longer registered
  dialogs.AnswerMessageBox(IDOK);
  EXPECT_FALSE(help.HHVerifyMinConfig(0x10, 0x100));
  ExpectError(0, "Hhctrl.ocx is not registered.Please install HTML Help.");
}

TEST_F(VersionTest, MissingRegistrationIsReportedAndTheTextStays) {
  dialogs.AnswerMessageBox(IDOK);
  EXPECT_EQ(help.HHVersion(), "");
  ExpectError(0, "Hhctrl.ocx is not registered.Please install HTML Help.");

  dialogs.AnswerMessageBox(IDOK);  // the name is looked up after a new check
  EXPECT_EQ(help.HHFriendlyName(), "unknown");

  hhctrl.PointAt(Versioned("helpcontrol.ocx", 4, 73, 8561, 0));
  EXPECT_EQ(help.HHVersion(), "4.73.8561.00");
  hhctrl.Remove();
  dialogs.AnswerMessageBox(IDOK);
  EXPECT_EQ(help.HHVersion(), "4.73.8561.00");
  EXPECT_EQ(dialogs.MessageBoxes().size(), 3u);

  dialogs.AnswerMessageBox(IDOK);
  EXPECT_EQ(help.IEVersion(), "");
  ExpectError(3, "Shdocvw.dll is not registered.Please install Internet Explorer.");
}

TEST_F(VersionTest, RegisteredFileThatIsGoneIsReported) {
  hhctrl.PointAt(folder.Path() + "\\gone.ocx");
  shdocvw.PointAt(folder.Path() + "\\gone.dll");
  dialogs.AnswerMessageBox(IDOK);
  dialogs.AnswerMessageBox(IDOK);
  EXPECT_EQ(help.HHVersion(), "");
  EXPECT_EQ(help.IEVersion(), "");
  ExpectError(0, "Hhctrl.ocx is not in its registered location.Please reinstall HTML Help.");
  ExpectError(1, "Internet Explorer is not in its registered location.Please reinstall Internet Explorer.");
}

TEST_F(VersionTest, ShortRegisteredPathsAreMadeLong) {
  std::string longFolder = folder.Path() + "\\Quenvor Long Folder Name";
  ASSERT_TRUE(CreateDirectoryA(longFolder.c_str(), nullptr));
  std::string file = Versioned("Quenvor Long Folder Name\\helpcontrol.ocx", 6, 1, 7601, 17514);
  char shortPath[MAX_PATH] = "";
  ASSERT_TRUE(GetShortPathNameA(file.c_str(), shortPath, MAX_PATH));
  if (std::string(shortPath).find('~') == std::string::npos) GTEST_SKIP() << "no short name made: " << shortPath;
  std::string shortFolder = std::string(shortPath).substr(0, std::string(shortPath).rfind('\\'));

  struct Case {
    std::string registered;
    bool found;
  };
  const Case cases[] = {
      {shortPath, true},
      {"\"" + std::string(shortPath) + "\"", true},            // quotes go before the conversion
      {"\"" + file + "\"", false},                              // no "~": passed on with its quotes
      {shortFolder + "\\NOSUCH~1\\helpcontrol.ocx", false},          // a folder that does not exist
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.registered);
    hhctrl.PointAt(c.registered);
    HTMLHelp fresh;
    if (!c.found) dialogs.AnswerMessageBox(IDOK);
    EXPECT_EQ(fresh.HHVersion(), c.found ? "6.01.7601.17514" : "");
    if (!c.found)
      ExpectError(dialogs.MessageBoxes().size() - 1,
                  "Hhctrl.ocx is not in its registered location.Please reinstall HTML Help.");
  }
}

TEST_F(VersionTest, FileWithoutVersionResourceHasNoVersionText) {
  std::string path = folder.Path() + "\\plain.ocx";
  ASSERT_TRUE(WriteVersionedFile(path, 0, 0, 0, 0, false));
  hhctrl.PointAt(path);
  EXPECT_EQ(help.HHVersion(), "");
  EXPECT_EQ(help.HHFriendlyName(), "unknown");
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(VersionTest, InstalledWhenTheTypeLibraryIsRegistered) {
  // The test prefix registers the HTML Help type library.
  EXPECT_TRUE(help.HHInstalled());
}

}  // namespace
