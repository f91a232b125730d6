#include "sysinfo/SystemReport.h"

#include <windows.h>
#include <winternl.h>

#include "platform/handle_files.h"
#include "platform/wide_text.h"
#include "shell/Strings.h"
#include "sysinfo/Categories.h"
#include "sysinfo/InfoRows.h"

namespace {

using sysinfo::Category;

// One line of the page's markup: its text, then a string-table entry that ends it (0: none);
// or the place of a section's lines.
struct Line {
  const char* text = "";
  int endRes = 0;
  const Category* section = nullptr;
};

const Line kLines[] = {
    {" <HTML> "},
    {" <HEAD> "},
    {"", 902},
    {"</HEAD>"},
    {"<BODY bgColor=#ffffff>"},
    {" <Center> "},
    {" <Table cellSpacing=0 cellPadding=0 Width=\"100%\" border=0> "},
    {"    <TBODY>"},
    {"      <TR>"},
    {"        <TD vAlign=bottom align=middle><div align=\"center\"><font size=\"6\"", 903},
    {"", 898},
    {"        </TD>"},
    {"      <TR>"},
    {"        <TD>"},
    {"          <HR align=center width=\"100%\" color=#000000 noShade SIZE=1>"},
    {"        </TD>"},
    {"      </TR>"},
    {"    </TBODY>"},
    {"  </TABLE>"},
    {"  <TABLE cellSpacing=0 cellPadding=0 width=\"100%\" border=0>"},
    {"    <TBODY>"},
    {"      <TR>"},
    {"        <TD vAlign=top align=middle width=\"86%\">"},
    {"          <TABLE cellSpacing=0 cellPadding=0 width=\"100%\" border=0>"},
    {"            <TBODY>"},
    {"              <TR>"},
    {"                <TD width=\"50%\"></TD>"},
    {"                <TD width=\"50%\"></TD>"},
    {"              </TR>"},
    {"              <TR>"},
    {"                <TD>&nbsp</TD>"},
    {"              </TR>"},
    {"            </TBODY>"},
    {"          </TABLE>"},
    {"          <TABLE width=\"100%\" border=0>"},
    {"            <TBODY>"},
    {"              <TR>"},
    {"                <TD align=middle width=\"48%\" bgColor=#0000FF><B><FONT color=\"#FFFFFF\""},
    {"", 899},
    {"                <TD width=\"4%\"> </TD>"},
    {"                <TD align=middle width=\"48%\" bgColor=#0000FF><B><FONT color=\"#FFFFFF\" size=2>", 900},
    {"", 897},
    {"              </TR>"},
    {"              <TR>"},
    {"                <TD vAlign=top align=left width=\"48%\">"},
    {.section = &sysinfo::kReportOperatingSystem},
    {"</TD>"},
    {"                <TD width=\"4%\"> </TD>"},
    {"<TD vAlign=top align=left width=\"48%\">"},
    {.section = &sysinfo::kReportProcessor},
    {"</TD>"},
    {" </TR>"},
    {"<TR>"},
    {"<TD align=middle width=\"48%\" bgColor=#0000FF><B><FONT color=\"#FFFFFF\""},
    {"", 1102},
    {"<TD width=\"4%\">&nbsp</TD>"},
    {"<TD align=middle width=\"48%\" bgColor=#0000FF><B><font color=\"#FFFFFF\" size=\"2\">", 904},
    {"", 915},
    {"</TR>"},
    {"<TR>"},
    {"<TD vAlign=top align=left width=\"48%\">"},
    {.section = &sysinfo::kReportBios},
    {"</TD>"},
    {"<TD width=\"4%\">&nbsp</TD>"},
    {"<TD vAlign=top align=left width=\"48%\">"},
    {.section = &sysinfo::kReportBaseBoard},
    {"</TD>"},
    {"</TR>"},
    {"<TR>"},
    {"<TD align=middle width=\"48%\" bgColor=#0000FF><B><FONT color=\"#FFFFFF\""},
    {"", 1103},
    {"<TD width=\"4%\">&nbsp</TD>"},
    {"<TD align=middle width=\"48%\" bgColor=#0000FF><B><FONT color=\"#FFFFFF\" size=2>", 901},
    {"", 935},
    {"</TR>"},
    {"<TR>"},
    {"<TD vAlign=top align=left width=\"48%\">"},
    {.section = &sysinfo::kReportPhysicalMemory},
    {"</TD>"},
    {"<TD width=\"4%\">&nbsp</TD>"},
    {"<TD vAlign=top align=left width=\"48%\">"},
    {.section = &sysinfo::kReportVideoController},
    {"</TD>"},
    {"</TR>"},
    {"</TBODY>"},
    {"</TABLE>"},
    {"<TABLE cellSpacing=0 cellPadding=0 width=\"100%\" border=0>"},
    {"<TBODY>"},
    {"<TR>"},
    {"<TD>&nbsp</TD>"},
    {"</TR>"},
    {"</TBODY>"},
    {"</TABLE>"},
    {"</TD>"},
    {"</TR>"},
    {"</TBODY>"},
    {"</TABLE>"},
    {"</CENTER>"},
    {"</BODY>"},
    {"</HTML>"},
};

std::string HtmlEscaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// GetFullPathNameW of a path: "" when it fails.
std::wstring FullPath(const std::wstring& path) {
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return L"";
  std::wstring buffer(n, L'\0');
  n = GetFullPathNameW(path.c_str(), n, buffer.data(), nullptr);
  if (n == 0 || n >= buffer.size()) return L"";
  buffer.resize(n);
  return buffer;
}

// The open report file; every line is one write of its whole text and CR LF. The temporary
// folder is anyone's to write in: the file is opened relative to the folder's handle and never
// through a link that stands under its name (nothing is written then).
class ReportFile {
 public:
  explicit ReportFile(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    const std::wstring full = FullPath(platform::WideFromAnsi(folder.empty() ? "\\" : folder + "\\"));
    platform::OpenFolder open;
    if (full.empty() || platform::OpenFolderByPath(full, &open) != ERROR_SUCCESS) return;
    platform::EntryOpening opening =
        platform::CreateFileEntry(open, platform::WideFromAnsi(path.substr(slash == std::string::npos ? 0 : slash + 1)));
    if (opening.reached != platform::Reached::Entry) return;
    IO_STATUS_BLOCK io{};
    FILE_END_OF_FILE_INFORMATION end{};
    if (NtSetInformationFile(opening.handle.get(), &io, &end, sizeof(end), FileEndOfFileInformation) < 0) return;
    file_ = opening.handle.release();
  }
  ~ReportFile() { Close(); }
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  void WriteLine(std::string text) {
    text += "\r\n";
    DWORD written = 0;
    if (!WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
      ok_ = false;
    }
  }
  // True when every line went in and the file closed.
  bool Close() {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    if (!CloseHandle(file_)) ok_ = false;
    file_ = INVALID_HANDLE_VALUE;
    return ok_;
  }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool ok_ = true;
};

void WriteSection(const Category& section, ReportFile& file) {
  for (const sysinfo::InfoRow& row : sysinfo::ReadCategory(section)) {
    if (row.textless) continue;  // a list where one value belongs: no line
    file.WriteLine(row.label + HtmlEscaped(row.value) + "<BR>");
  }
}

}  // namespace

std::string ReportPath() {
  std::string temp(GetEnvironmentVariableA("TEMP", nullptr, 0), '\0');
  const DWORD n = GetEnvironmentVariableA("TEMP", temp.data(), static_cast<DWORD>(temp.size()));
  temp.resize(n < temp.size() ? n : 0);
  return temp + "\\report.html";
}

bool WriteSystemReport() {
  ReportFile file(ReportPath());
  if (!file.IsOpen()) return false;
  for (const Line& line : kLines) {
    if (line.section) {
      WriteSection(*line.section, file);
    } else {
      file.WriteLine(line.text + (line.endRes ? LoadResString(line.endRes) : std::string()));
    }
  }
  return file.Close();
}
