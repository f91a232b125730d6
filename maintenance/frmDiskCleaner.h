#pragma once
// The junk-file cleaner: finds junk files on one drive by a fixed list of name patterns
// (maintenance/JunkSearch), lists each with a check box, and sends the ticked ones to the
// recycle bin, one shell call per row. As an option it deletes the Windows Prefetch files
// after a search.
//
// The search runs to its end inside the click of "Begin Search", on the user-interface
// thread, without yielding. Its counters are painted at most every 50 ms and once with
// their final value; rows go into the list with its redraw held off and show by a timed
// refresh and once at the end (Select All and Unselect All alike).
//
// What it never does: delete a file for good (a file that cannot go to the recycle bin is
// kept unless the user agrees, in the shell's own question, to delete it), recycle a row
// whose path is not below the searched drive's root, recycle a row whose path holds a
// wildcard character (the ANSI listing shows a character the code page lacks as "?", and
// the shell would expand it to other files), or search behind a link (a folder that is a
// reparse point counts as one entry).
#include <cstdint>
#include <string>

#include "platform/shell_ops.h"
#include "shell/PageFrame.h"
#include "ui/DriveList.h"
#include "ui/ListView.h"

class FrmDiskCleaner : public Page {
 public:
  FrmDiskCleaner();

  void ResizeDiskCleaner();
  // Sends the file to the recycle bin through the shell (SHFileOperationA, FO_DELETE, undo
  // allowed). Quiet: no confirmation and no error window from the shell, except the shell's
  // question whether to delete for good a file that cannot go to the recycle bin, which is
  // owned by the page while it is loaded and keeps the program disabled while it is up.
  // True only when the shell reports success and nothing was declined. A path holding "?"
  // or "*" is refused: false, and nothing is touched.
  bool MoveToRecycleBin(const std::string& fileSpec, bool quiet);

  // Handlers, public so that tests press them as a user does.
  void Command22_Click();  // Begin Search
  void Command23_Click();  // Select All
  void Command24_Click();  // Unselect All
  void Command25_Click();  // Delete Selected Files
  void Command1_Click();   // close

  ui::Ctl<ui::DriveList> Drive1{this, "Drive1"};
  ui::Ctl<ui::CheckBox> Check15{this, "Check15"};
  ui::ControlArray<ui::CheckBox> Check9{this, "Check9"};
  ui::Ctl<ui::CommandButton> Command22{this, "Command22"};
  ui::Ctl<ui::CommandButton> Command23{this, "Command23"};
  ui::Ctl<ui::CommandButton> Command24{this, "Command24"};
  ui::Ctl<ui::CommandButton> Command25{this, "Command25"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::ListView> ListView2{this, "ListView2"};
  ui::Ctl<ui::TextBox> Text4{this, "Text4"};  // files scanned
  ui::Ctl<ui::TextBox> Text5{this, "Text5"};  // files found
  ui::Ctl<ui::TextBox> Text6{this, "Text6"};  // search time

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  // Each row across the list's width, after a fill.
  void ShowPathsWhole();
  // Ticks or clears every row.
  void TickAll(bool ticked);

  // Counts the searches: a deletion that waited for the shell tells by it that the list was
  // filled anew meanwhile, even with as many rows as before.
  int searches_ = 0;
};

inline ui::FormRef<FrmDiskCleaner> frmDiskCleaner;

// The shell flags of a recycling: FOF_ALLOWUNDO, and when quiet FOF_NOCONFIRMATION,
// FOF_NOERRORUI and FOF_WANTNUKEWARNING (0x4450). Without the last, a file that cannot go
// to the recycle bin (no bin on its drive, too large, the bin switched off) would be
// deleted for good and reported as recycled.
FILEOP_FLAGS RecycleFlags(bool quiet);

// A count as the page shows it at the end of a search: the user's locale's digit grouping,
// "0" for nothing.
std::string CleanerCountText(int32_t count);
// The search time between two tick counts: their unsigned 32-bit difference (right across
// the wrap of the tick count, and to the millisecond after any uptime) in seconds with two
// decimals in the user's locale, directly followed by "seconds" (string 662).
std::string CleanerTimeText(DWORD startTicks, DWORD endTicks);
