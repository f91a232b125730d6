// The HTML system report on a scripted WMI, written to a scratch TEMP folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <wbemcli.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "empty_report.h"
#include "platform/seam.h"
#include "support/fake_wmi.h"
#include "support/file_tree.h"
#include "support/scoped_environment.h"
#include "sysinfo/SystemReport.h"

namespace {

using platform::WmiObject;
using platform::WmiValue;
using Texts = std::vector<std::string>;

constexpr const char* kSections[] = {
    "Select * from Win32_OperatingSystem", "Select * from Win32_Processor",
    "Select * from Win32_BIOS",            "Select * from Win32_BaseBoard",
    "Select * from Win32_PhysicalMemory",  "Select * from Win32_VideoController",
};

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

// TEMP names a scratch folder for the test's scope.
class ReportTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* query : kSections) wmi.ScriptQuery("root\\cimv2", query, {});
  }
  std::string ReportFile() const { return folder + "\\report.html"; }
  void Script(int section, std::vector<WmiObject> rows, HRESULT hr = S_OK) {
    wmi.ScriptQuery("root\\cimv2", kSections[section], std::move(rows), hr);
  }
  // The lines written between a section's opening cell (line `after` of the page) and the
  // cell's end.
  std::vector<std::string> Block(const std::vector<std::string>& lines, size_t after) {
    std::vector<std::string> block;
    for (size_t i = after; i < lines.size() && lines[i] != "</TD>"; ++i) block.push_back(lines[i]);
    return block;
  }

  ScratchFolder scratch;
  const std::string folder = Narrow(scratch.Path());
  ScopedEnvironmentVariable temp{"TEMP", folder.c_str()};
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi{wmi};
};

TEST_F(ReportTest, TheReportLivesInTheTemporaryFolder) {
  EXPECT_EQ(ReportPath(), ReportFile());
  ScopedEnvironmentVariable noTemp("TEMP", nullptr);
  EXPECT_EQ(ReportPath(), "\\report.html");
}

TEST_F(ReportTest, WithNoInstancesTheReportIsThePagesFixedLinesExactly) {
  ASSERT_TRUE(WriteSystemReport());
  EXPECT_EQ(ReadFile(ReportFile()), WithCrLf(kEmptyReport));
  // One connection per section, in the order written.
  ASSERT_EQ(wmi.Queries().size(), std::size(kSections));
  for (size_t i = 0; i < std::size(kSections); ++i) {
    EXPECT_EQ(wmi.Queries()[i].wql, kSections[i]);
    EXPECT_EQ(wmi.Queries()[i].nameSpace, "root\\cimv2");
  }
}

TEST_F(ReportTest, ASecondRunReplacesALongerReportWholly) {
  {
    std::ofstream earlier(ReportFile(), std::ios::binary);
    earlier << std::string(200000, 'x');
  }
  ASSERT_TRUE(WriteSystemReport());
  ASSERT_TRUE(WriteSystemReport());
  EXPECT_EQ(ReadFile(ReportFile()), WithCrLf(kEmptyReport));
}

TEST_F(ReportTest, SectionsWriteTheirLinesFailedQueriesTheirRowsOfNoInstance) {
  constexpr int64_t MiB = 1024 * 1024;
  Script(0, {FakeWmi::Row({{"Caption", std::string("Microsoft Windows 7 Professional")},
                           {"Version", std::string("6.1.7601")},
                           {"InstallDate", std::string("20100312153000.000000+***")},
                           {"LastBootUpTime", std::string("bad")},
                           {"Organization", std::string("A&B <x> \"q\"")},
                           {"RegisteredUser", WmiValue{}},
                           {"ServicePackMajorVersion", int64_t{1}}})});
  Script(1, {}, WBEM_E_FAILED);
  Script(2, {FakeWmi::Row({{"Name", std::string("BIOS one")}, {"ReleaseDate", std::string("20120608000000.000000+000")}}),
             FakeWmi::Row({{"Name", std::string("BIOS two")}, {"PrimaryBIOS", false}})});
  Script(3, {FakeWmi::Row({{"ConfigOptions", Texts{"J1 & J2", "Jumper <3>"}}, {"Depth", 2.5},
                           {"Product", Texts{"a list"}}})});
  Script(4, {FakeWmi::Row({{"BankLabel", std::string("Bank 0")}, {"Capacity", 4096 * MiB}}),
             FakeWmi::Row({{"BankLabel", std::string("Bank 1")}, {"Capacity", 3 * MiB}})});
  Script(5, {}, WBEM_E_ACCESS_DENIED);
  ASSERT_TRUE(WriteSystemReport());
  const std::vector<std::string> lines = Lines(ReadFile(ReportFile()));
  const std::string sep = "------------------------------------------<BR>";

  // Line 45 opens the operating system's cell.
  ASSERT_EQ(lines[44], "                <TD vAlign=top align=left width=\"48%\">");
  EXPECT_EQ(Block(lines, 45), (Texts{"Version: 6.1.7601<BR>",
                                     "OS Name: Microsoft Windows 7 Professional<BR>",
                                     "Install Date: 3/12/2010 3:30:00 PM<BR>",
                                     "Organization: A&amp;B &lt;x&gt; &quot;q&quot;<BR>",
                                     "Registered User: <BR>",
                                     "Last Bootup Time: <BR>",
                                     "Service Pack: SP1<BR>",
                                     sep}));
  auto after = [&](const std::string& line, size_t from) {
    for (size_t i = from; i < lines.size(); ++i) {
      if (lines[i] == line) return i + 1;
    }
    ADD_FAILURE() << "no line " << line;
    return lines.size();
  };
  const std::string cell = "<TD vAlign=top align=left width=\"48%\">";
  size_t processor = after(cell, 45);
  EXPECT_EQ(Block(lines, processor), Texts{sep});  // the failed query's separator
  size_t bios = after(cell, processor);
  EXPECT_EQ(Block(lines, bios), (Texts{"Name: BIOS one<BR>", "Release Date: 6/8/2012<BR>",
                                       "Name: BIOS two<BR>", "Primary BIOS: False<BR>"}));
  size_t board = after(cell, bios);
  EXPECT_EQ(Block(lines, board), (Texts{"Configuration Option: J1 &amp; J2<BR>",
                                        "Configuration Option: Jumper &lt;3&gt;<BR>",
                                        "Depth: 2.5<BR>", sep}));
  size_t memory = after(cell, board);
  EXPECT_EQ(Block(lines, memory), (Texts{"Bank Label: Bank 0<BR>", "Capacity: 4096 MB<BR>", sep,
                                         "Bank Label: Bank 1<BR>", "Capacity: 4 MB<BR>", sep}));
  size_t video = after(cell, memory);
  EXPECT_EQ(Block(lines, video), Texts{sep});
  // The page closes as always.
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 1], "</HTML>");
}

TEST_F(ReportTest, AFailedQueryOfTheOperatingSystemWritesItsDateLinesEmpty) {
  Script(0, {}, WBEM_E_FAILED);
  Script(3, {}, WBEM_E_FAILED);
  ASSERT_TRUE(WriteSystemReport());
  const std::vector<std::string> lines = Lines(ReadFile(ReportFile()));
  const std::string sep = "------------------------------------------<BR>";
  EXPECT_EQ(Block(lines, 45), (Texts{"Install Date: <BR>", "Last Bootup Time: <BR>", sep}));
  const std::string boardCell = "<TD vAlign=top align=left width=\"48%\">";
  size_t count = 0, board = 0;
  for (size_t i = 45; i < lines.size(); ++i) {
    if (lines[i] == boardCell && ++count == 3) board = i + 1;
  }
  ASSERT_GT(board, 0u);
  EXPECT_EQ(Block(lines, board), (Texts{"Configuration Option: <BR>", sep}));
}

TEST_F(ReportTest, AReportThatCannotBeWrittenSaysSoAndLeavesNothing) {
  ASSERT_TRUE(CreateDirectoryA(ReportFile().c_str(), nullptr));
  EXPECT_FALSE(WriteSystemReport());
  EXPECT_EQ(GetFileAttributesA(ReportFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(ReportTest, ALinkStandingAsTheReportIsNotWrittenThrough) {
  // prepare.sh: the temporary folder holds report.html, a link to a file outside it.
  const std::string fixtures = "C:\\QuenvorSysinfo";
  ASSERT_EQ(ReadFile(fixtures + "\\canary.html"), "not a report\r\n") << "the fixture of tests/sysinfo/prepare.sh is missing";
  ScopedEnvironmentVariable linked("TEMP", (fixtures + "\\temp").c_str());
  EXPECT_FALSE(WriteSystemReport());
  EXPECT_EQ(ReadFile(fixtures + "\\canary.html"), "not a report\r\n");
}

}  // namespace
