#pragma once
// A drop-down list of the computer's drives, one entry per drive letter: the letter in
// lower case with its colon, then the volume label in brackets ("c: [SYSTEM]"), or the
// letter alone when the drive has no label or no medium ("a:"). The list is read when its
// form loads, with the drive of the current folder selected; when the current folder is
// not on a drive letter (a network path, or a host folder under Wine: "\\?\unix\..."), the
// system drive is selected instead.
//
//   {.kind = ui::Kind::Custom, .name = "Drive2", .rect = {...}, .customClass = ui::kDriveListClass}
//
// It scales like a combo box: position and width, never height.
#include <string>

#include "ui/controls.h"

namespace ui {

inline constexpr const char* kDriveListClass = "DriveListBox";

class DriveList : public ComboBox {
 public:
  DriveList(Form* form, const Def& def);

  // The selected entry as shown ("c: [SYSTEM]"); "" when there is none.
  std::string Drive();
  // Selects the entry of the drive whose letter `drive` starts with ("d", "D:\", "d: [DATA]")
  // and raises Change when the drive changes. False, and nothing changes, when the list has
  // no such drive.
  bool SetDrive(const std::string& drive);

 protected:
  DWORD WindowStyle() const override;
  void ResetKindState() override;
  void OnCommand(int code) override;

 private:
  int IndexOf(char letter);
};

// The entry a drive list shows for a drive letter and its volume label.
std::string DriveEntry(char letter, const std::string& label);

// The drive letter (lower case) of a folder path ("C:\Quenvor" gives 'c'); 0 for a path
// that is not on a drive letter ("\\server\share", "\\?\unix\tmp", "").
char DriveLetterOf(const std::string& folder);

}  // namespace ui
