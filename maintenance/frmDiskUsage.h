#pragma once
// The folder-size page: a tree of a drive's folders, each labelled with the total size of
// the files below it. "Process Drive" lists the drive's top-level folders under a root
// node; a click on a folder's node lists that folder's sub-folders beneath it; "Stop
// Processing Drive" ends a listing between two folders. The page only reads.
//
// A listing waits in the message loop once per sub-folder, before that folder's size, so
// that the page's buttons work meanwhile: a click on a node or on "Process Drive" then
// starts a second listing inside the first, which goes on when the second ends. Closing the
// page ends a listing at its next wait without touching the page again.
#include <string>

#include "resources/picture_ids.h"
#include "shell/PageFrame.h"
#include "ui/DriveList.h"
#include "ui/TreeView.h"

class FrmDiskUsage : public Page {
 public:
  FrmDiskUsage();

  void ResizeDiskUsage();
  // Adds the sub-folders of the folder keyed `mvPath` ("" or "main" for the root folder,
  // otherwise a path below it) on the drive whose root folder is `mvDrive` ("c:\") as
  // child nodes with their sizes, or the empty-listing node when it has none.
  void ShowFolderList(const std::string& mvDrive, const std::string& mvPath);

  // Handlers, public so that tests press them as a user does.
  void cmdProcess_Click();  // Process Drive
  void Command2_Click();    // Stop Processing Drive
  void Command1_Click();    // close
  void trvDriveView_NodeClick(ui::TreeNode& Node);

  // Set by "Stop Processing Drive"; cleared by "Process Drive" and the close button.
  bool StopProcessing = false;

  ui::ControlArray<ui::Label> Label6{this, "Label6"};
  ui::Ctl<ui::DriveList> drvChoose{this, "drvChoose"};
  ui::Ctl<ui::CommandButton> cmdProcess{this, "cmdProcess"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::TreeView> trvDriveView{this, "trvDriveView"};
  // 1 the root and folders, 2 a selected folder, 3 the empty listing.
  ui::ImageList ilBrowse{{IDB_TREE_FOLDER, IDB_TREE_FOLDER_OPEN, IDB_TREE_EMPTY}};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  // The root folder of the drive chosen in the list ("c:\").
  std::string ChosenDriveRoot();
  int loads_ = 0;  // a listing that outlives a loading of the page stops at its next wait
};

inline ui::FormRef<FrmDiskUsage> frmDiskUsage;
