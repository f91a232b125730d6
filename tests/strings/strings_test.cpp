// The string table (resources/strings.rc) as the program loads it: LoadStringA on the
// program's own module gives every listed id back with its exact text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Entry {
  UINT id;
  const char* text;
};

const Entry kEntries[] = {
    // id 1 is the resource monitor's "% Free", not the product name
    {1, "% Free"},
    // accelerator prefix
    {2, "&Password:"},
    // backslash
    {48, "CD-ROM\\DVD Drives"},
    // "&&" as the captions get it
    {102, "Desktop && Explorer"},
    // quotes inside
    {112, "Disable \"Last Access\" Attribute (NTFS Only)"},
    // starts with a quote
    {700, "\"Error!\" No Name Specified:"},
    // the longest message
    {170, "Disables the USB Removable Drives capability by disabling the usbstor.sys "
     "driver. Select the \"Disable Access\" radio button to disable.  Note: This "
     "will only prevent usage of newly plugged-in USB Removable Drives or Flash "
     "Drives, devices that were plugged-in while this option was not configured "
     "will continue to function normally. Also, devices that use the same device "
     "or hardware ID (for example - 2 identical Flash Disks made by the same "
     "manufacturer) will still function if one of them was plugged-in prior to "
     "the configuration of this setting. In order to successfully block them you "
     "will need to make sure no USB Removable Drive is plugged-in while you set "
     "this option. In order to re-enable the usage of USB Removable Drives select "
     "the \"Enable Access\" radio button."},
    // long message with triple blank
    {543, "The settings for your service configuration have been changed.  However, "
     "they will not take effect until you reboot.  No services have been stopped "
     "using this configuration.  The startup mode of each service has been set "
     "for you.   Your new configuration will take effect when you reboot.  When "
     "you reboot you reboot will be slower for about 2 to 3 boots.  This is "
     "caused by the removal of the prefetch files to prevent problems with "
     "booting after the massive change in service configurations."},
    // two blanks after the first full stop
    {278, "It is recommended that you set a restore point before removing registry "
     "entries.  Would you like to set a restore point?"},
    // two blanks inside
    {389, "Remove  Hotfixes"},
    // two blanks after "which"
    {829, "Check which  services are not running"},
    // trailing blank of a report label
    {905, "Active Cooling: "},
    // leading blanks and markup of the HTML report
    {898, "                Quenvor Pro System Information</strong></font></div>"},
    // id 0: a tool tip of the login page
    {0, "This setting controls whether the administrator account will be logged on "
     "automatically or be required to enter a password when the recovery console "
     "is invoked during startup"},
    // highest id
    {1159, "Change settings for the SmartScreen Filter for Internet Explorer."},
};

std::string Load(UINT id, int* length) {
  static char buf[4096];
  *length = LoadStringA(GetModuleHandle(nullptr), id, buf, sizeof buf);
  return std::string(buf, *length > 0 ? *length : 0);
}

}  // namespace

TEST(StringTable, EveryListedIdIsPresent) {
  for (const Entry& e : kEntries) {
    int length = 0;
    Load(e.id, &length);
    EXPECT_GT(length, 0) << "id " << e.id << " is missing";
  }
}

TEST(StringTable, TextsAreExact) {
  for (const Entry& e : kEntries) {
    int length = 0;
    const std::string text = Load(e.id, &length);
    EXPECT_EQ(text, e.text) << "id " << e.id;
    EXPECT_EQ(length, static_cast<int>(std::string(e.text).size())) << "id " << e.id;
  }
}

TEST(StringTable, BackslashAndQuotesSurviveOnce) {
  int length = 0;
  EXPECT_EQ(Load(48, &length).find("\\\\"), std::string::npos);
  EXPECT_EQ(Load(112, &length).find("\"\""), std::string::npos);
}

TEST(StringTable, IdsNotInTheTableLoadNothing) {
  int length = -1;
  Load(1160, &length);
  EXPECT_EQ(length, 0);
  Load(65535, &length);
  EXPECT_EQ(length, 0);
}
