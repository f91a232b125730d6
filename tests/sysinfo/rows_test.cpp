// The category readers on a scripted WMI: rows per instance, values as text, the failed
// query, and each category's table.
#include <gtest/gtest.h>

#include <windows.h>
#include <wbemcli.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/seam.h"
#include "support/fake_wmi.h"
#include "sysinfo/Categories.h"
#include "sysinfo/InfoRows.h"

namespace {

using platform::WmiObject;
using platform::WmiValue;
using sysinfo::Category;
using sysinfo::InfoRow;
using Texts = std::vector<std::string>;

const InfoRow kSep{"---------------------", "---------------------"};

struct Expected {
  const char* label;
  const char* value;
};

std::vector<InfoRow> Rows(std::initializer_list<Expected> rows) {
  std::vector<InfoRow> out;
  for (const Expected& r : rows) out.push_back(InfoRow{r.label, r.value});
  return out;
}

std::string Dump(const std::vector<InfoRow>& rows) {
  std::string text;
  for (const InfoRow& r : rows) text += "[" + r.label + "|" + r.value + (r.textless ? "|textless" : "") + "]\n";
  return text;
}

class CategoryRowsTest : public testing::Test {
 protected:
  void Script(const Category& category, std::vector<WmiObject> instances, HRESULT hr = S_OK) {
    wmi.ScriptQuery("root\\cimv2", category.query, std::move(instances), hr);
  }
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi{wmi};
};

// ---- every category's table

// One reader's rows for an instance whose every property holds its own name as text: each
// plain row then shows the property it reads. A date that is not a date shows empty, a
// byte count that is not a number stays as written.
struct TableCase {
  const char* name;
  const Category* category;
  const char* wmiClass;
  std::vector<InfoRow> rows;  // without the separator
  bool separator = true;
};

std::vector<TableCase> TableCases() {
  return {
      {"processor", &sysinfo::kProcessorInfo, "Win32_Processor",
       Rows({{"Address Width: ", "AddressWidth"}, {"Current Clock Speed: ", "CurrentClockSpeed"},
             {"Data Width: ", "DataWidth"}, {"Description: ", "Description"},
             {"Device ID: ", "DeviceID"}, {"Ext Clock: ", "ExtClock"},
             {"L2 Cache Size: ", "L2CacheSize"}, {"L2 Cache Speed: ", "L2CacheSpeed"},
             {"Level: ", "Level"}, {"Load Percentage: ", "LoadPercentage"},
             {"Manufacturer: ", "Manufacturer"}, {"Maximum Clock Speed: ", "MaxClockSpeed"},
             {"Name: ", "Name"}, {"PNP Device ID: ", "PNPDeviceID"},
             {"Processor Id: ", "ProcessorId"}, {"Revision: ", "Revision"}, {"Role: ", "Role"},
             {"Socket Designation: ", "SocketDesignation"},
             {"Status Information: ", "StatusInfo"}, {"Stepping: ", "Stepping"},
             {"Unique Id: ", "UniqueId"}, {"Version: ", "Version"}})},
      {"BIOS", &sysinfo::kBiosInfo, "Win32_BIOS",
       Rows({{"Build Number: ", "BuildNumber"}, {"Current Language: ", "CurrentLanguage"},
             {"Installable Languages: ", "InstallableLanguages"},
             {"Manufacturer: ", "Manufacturer"}, {"Name: ", "Name"},
             {"Primary BIOS: ", "PrimaryBIOS"}, {"Release Date: ", ""},
             {"Serial Number: ", "SerialNumber"}, {"SMBIOS Version: ", "SMBIOSBIOSVersion"},
             {"SMBIOS Major Version: ", "SMBIOSMajorVersion"},
             {"SMBIOS Minor Version: ", "SMBIOSMinorVersion"},
             {"SMBIOS Present: ", "SMBIOSPresent"}, {"Status: ", "Status"},
             {"Version: ", "Version"}})},
      {"modem", &sysinfo::kModemInfo, "Win32_POTSModem",
       Rows({{"Attached To: ", "AttachedTo"}, {"Blind Off: ", "BlindOff"},
             {"Blind On: ", "BlindOn"}, {"Compression Off: ", "CompressionOff"},
             {"Compression On: ", "CompressionOn"},
             {"Configuration Manager Error Code: ", "ConfigManagerErrorCode"},
             {"Configuration Manager User Configuration: ", "ConfigManagerUserConfig"},
             {"Configuration Dialog: ", "ConfigurationDialog"},
             {"Country Selected: ", "CountrySelected"}, {"Device ID: ", "DeviceID"},
             {"Device Type: ", "DeviceType"}, {"Driver Date: ", ""},
             {"Error Control Forced: ", "ErrorControlForced"},
             {"Error Control Off: ", "ErrorControlOff"}, {"Error Control On: ", "ErrorControlOn"},
             {"Flow Control Hard: ", "FlowControlHard"}, {"Flow Control Off: ", "FlowControlOff"},
             {"Flow Control Soft: ", "FlowControlSoft"}, {"Inactivity Scale: ", "InactivityScale"},
             {"Inactivity Timeout: ", "InactivityTimeout"}, {"Index: ", "Index"},
             {"Maximum Baud Rate To SerialPort: ", "MaxBaudRateToSerialPort"},
             {"Model: ", "Model"}, {"Modem Inf Path: ", "ModemInfPath"},
             {"Modem Inf Section: ", "ModemInfSection"}, {"Modulation Bell: ", "ModulationBell"},
             {"Modulation CCITT: ", "ModulationCCITT"}, {"Name: ", "Name"},
             {"PNP Device ID: ", "PNPDeviceID"}, {"Port SubClass: ", "PortSubClass"},
             {"Prefix: ", "Prefix"}, {"Provider Name: ", "ProviderName"}, {"Pulse: ", "Pulse"},
             {"Reset: ", "Reset"}, {"Responses Key Name: ", "ResponsesKeyName"},
             {"Speaker Mode Dial: ", "SpeakerModeDial"}, {"Speaker Mode Off: ", "SpeakerModeOff"},
             {"Speaker Mode On: ", "SpeakerModeOn"}, {"Speaker Mode Setup: ", "SpeakerModeSetup"},
             {"Speaker Volume High: ", "SpeakerVolumeHigh"},
             {"Speaker Volume Info: ", "SpeakerVolumeInfo"},
             {"Speaker Volume Low: ", "SpeakerVolumeLow"},
             {"Speaker Volume Med: ", "SpeakerVolumeMed"}, {"Status Info: ", "StatusInfo"},
             {"Terminator: ", "Terminator"}, {"Tone: ", "Tone"}})},
      {"video controller", &sysinfo::kVideoControllerInfo, "Win32_VideoController",
       Rows({{"Adapter Compatibility: ", "AdapterCompatibility"},
             {"Adapter DAC Type: ", "AdapterDACType"}, {"Adapter RAM: ", "AdapterRAM MB"},
             {"Color Table Entries: ", "ColorTableEntries"},
             {"Current Bits Per Pixel: ", "CurrentBitsPerPixel"},
             {"Current Horizontal Resolution: ", "CurrentHorizontalResolution"},
             {"Current Number Of Colors: ", "CurrentNumberOfColors"},
             {"Current Number Of Columns: ", "CurrentNumberOfColumns"},
             {"Current Number Of Rows: ", "CurrentNumberOfRows"},
             {"Current Refresh Rate: ", "CurrentRefreshRate"},
             {"Current Vertical Resolution: ", "CurrentVerticalResolution"},
             {"Description: ", "Description"}, {"Device ID: ", "DeviceID"},
             {"Dither Type: ", "DitherType"}, {"Driver Date: ", ""},
             {"Driver Version: ", "DriverVersion"}, {"ICM Intent: ", "ICMIntent"},
             {"ICM Method: ", "ICMMethod"}, {"INF Filename: ", "InfFilename"},
             {"INF Section: ", "InfSection"},
             {"Installed Display Drivers: ", "InstalledDisplayDrivers"},
             {"Maximum Memory Supported: ", "MaxMemorySupported"},
             {"Maximum Number Controlled: ", "MaxNumberControlled"},
             {"Maximum Refresh Rate: ", "MaxRefreshRate"},
             {"Minimum Refresh Rate: ", "MinRefreshRate"}, {"Monochrome: ", "Monochrome"},
             {"Name: ", "Name"}, {"Number of Color Planes: ", "NumberOfColorPlanes"},
             {"Number of Video Pages: ", "NumberOfVideoPages"}, {"PNP Device ID: ", "PNPDeviceID"},
             {"Reserved System Palette Entries: ", "ReservedSystemPaletteEntries"},
             {"Specification Version: ", "SpecificationVersion"},
             {"System Palette Entries: ", "SystemPaletteEntries"},
             {"Video Architecture: ", "VideoArchitecture"},
             {"Video Mode Description: ", "VideoModeDescription"},
             {"Video Processor: ", "VideoProcessor"}})},
      {"video resolutions", &sysinfo::kVideoResolutionInfo, "CIM_VideoControllerResolution",
       Rows({{"Horizontal Resolution: ", "HorizontalResolution"},
             {"Number Of Colors: ", "NumberOfColors"}, {"Refresh Rate: ", "RefreshRate"},
             {"Scan Mode: ", "ScanMode"}, {"Setting ID: ", "SettingID"},
             {"Vertical Resolution: ", "VerticalResolution"}})},
      {"Plug and Play devices", &sysinfo::kPnPDeviceInfo, "Win32_PnPEntity",
       Rows({{"Class GUID: ", "ClassGuid"}, {"Description: ", "Description"},
             {"Device ID: ", "DeviceID"}, {"Manufacturer: ", "Manufacturer"}, {"Name: ", "Name"},
             {"PNP Device ID: ", "PNPDeviceID"}, {"Service: ", "Service"}})},
      {"baseboard", &sysinfo::kBaseBoardInfo, "Win32_BaseBoard",
       Rows({{"Configuration Option: ", ""}, {"Depth: ", "Depth"},
             {"Description: ", "Description"}, {"Height: ", "Height"},
             {"Hosting Board: ", "HostingBoard"}, {"Hot Swappable: ", "HotSwappable"},
             {"Manufacturer: ", "Manufacturer"}, {"Model: ", "Model"}, {"Name: ", "Name"},
             {"Other Identifying Information: ", "OtherIdentifyingInfo"},
             {"Part Number: ", "PartNumber"}, {"Powered On: ", "PoweredOn"},
             {"Product: ", "Product"}, {"Removable: ", "Removable"},
             {"Replaceable: ", "Replaceable"},
             {"Requirements Description: ", "RequirementsDescription"},
             {"Requires DaughterBoard: ", "RequiresDaughterBoard"},
             {"Serial Number: ", "SerialNumber"}, {"SKU: ", "SKU"},
             {"Slot Layout: ", "SlotLayout"}, {"Special Requirements: ", "SpecialRequirements"},
             {"Tag: ", "Tag"}, {"Version: ", "Version"}, {"Weight: ", "Weight"},
             {"Width: ", "Width"}})},
      {"monitor", &sysinfo::kMonitorInfo, "Win32_DesktopMonitor",
       Rows({{"Availability: ", "Availability"}, {"Bandwidth: ", "Bandwidth"},
             {"Description: ", "Description"}, {"Device ID: ", "DeviceID"},
             {"Display Type: ", "DisplayType"}, {"Is Locked: ", "IsLocked"},
             {"Monitor Manufacturer: ", "MonitorManufacturer"}, {"Monitor Type: ", "MonitorType"},
             {"Name: ", "Name"}, {"Pixels Per X Logical Inch: ", "PixelsPerXLogicalInch"},
             {"Pixels Per Y Logical Inch: ", "PixelsPerYLogicalInch"},
             {"PNP Device ID: ", "PNPDeviceID"}, {"Screen Height: ", "ScreenHeight"},
             {"Screen Width: ", "ScreenWidth"}})},
      {"on-board devices", &sysinfo::kOnBoardDeviceInfo, "Win32_OnBoardDevice",
       Rows({{"Description: ", "Description"}, {"Device Type: ", "DeviceType"},
             {"Model: ", "Model"}, {"Name: ", "Name"}, {"Tag: ", "Tag"},
             {"Version: ", "Version"}})},
      {"physical memory", &sysinfo::kPhysicalMemoryInfo, "Win32_PhysicalMemory",
       Rows({{"Bank Label: ", "BankLabel"}, {"Capacity: ", "Capacity MB"},
             {"Data Width: ", "DataWidth"}, {"Description: ", "Description"},
             {"Device Locator: ", "DeviceLocator"}, {"Form Factor: ", "FormFactor"},
             {"Hot Swappable: ", "HotSwappable"}, {"Manufacturer: ", "Manufacturer"},
             {"Memory Type: ", "MemoryType"}, {"Name: ", "Name"},
             {"Part Number: ", "PartNumber"}, {"Position In Row: ", "PositionInRow"},
             {"Speed: ", "Speed"}, {"Tag: ", "Tag"}, {"Type Detail: ", "TypeDetail"}})},
      {"sound devices", &sysinfo::kSoundDeviceInfo, "Win32_SoundDevice",
       Rows({{"Description: ", "Description"}, {"Device ID: ", "DeviceID"},
             {"DMA Buffer Size: ", "DMABufferSize"}, {"Manufacturer: ", "Manufacturer"},
             {"MPU 401 Address: ", "MPU401Address"}, {"Name: ", "Name"},
             {"PNP Device ID: ", "PNPDeviceID"}, {"Product Name: ", "ProductName"},
             {"Status Information: ", "StatusInfo"}})},
      {"fans", &sysinfo::kFanInfo, "Win32_Fan",
       Rows({{"Active Cooling: ", "ActiveCooling"}, {"Availability: ", "Availability"},
             {"Device ID: ", "DeviceID"}, {"Name: ", "Name"},
             {"Status Information: ", "StatusInfo"}})},
      {"operating system", &sysinfo::kOperatingSystemInfo, "Win32_OperatingSystem",
       Rows({{"Boot Device: ", "BootDevice"}, {"Build Number: ", "BuildNumber"},
             {"Build Type: ", "BuildType"}, {"Caption: ", "Caption"}, {"Code Set: ", "CodeSet"},
             {"Country Code: ", "CountryCode"}, {"Debug: ", "Debug"},
             {"Encryption Level: ", "EncryptionLevel"}, {"Install Date: ", ""},
             {"Licensed Users: ", "NumberOfLicensedUsers"}, {"Organization: ", "Organization"},
             {"OS Language: ", "OSLanguage"}, {"OS Product Suite: ", "OSProductSuite"},
             {"OS Type: ", "OSType"}, {"Primary: ", "Primary"},
             {"Registered User: ", "RegisteredUser"}, {"Serial Number: ", "SerialNumber"},
             {"Version: ", "Version"}, {"Last Bootup Time: ", ""},
             {"Number Of Users: ", "NumberOfUsers"},
             {"Service Pack: ", "SPServicePackMajorVersion"}})},
      {"hotfixes", &sysinfo::kHotfixInfo, "Win32_QuickFixEngineering",
       Rows({{"Computer: ", "CSName"}, {"Description: ", "Description"},
             {"Hot Fix ID: ", "HotFixID"}, {"Installation Date: ", ""},
             {"Installed By: ", "InstalledBy"}})},
      {"Start menu", &sysinfo::kStartMenuInfo, "Win32_LogicalProgramGroupItem",
       Rows({{"Name: ", "Name"}}), false},
  };
}

// Every property a category reads (the values of its plain rows are property names).
WmiObject InstanceNamingItsProperties(const std::vector<std::string>& names) {
  WmiObject instance;
  for (const std::string& name : names) instance.properties[name] = name;
  return instance;
}

const std::vector<std::string> kOddlyNamedProperties = {
    "ReleaseDate", "DriverDate", "AdapterRAM", "ConfigOptions", "InstallDate",
    "LastBootUpTime", "Capacity", "ServicePackMajorVersion"};

TEST_F(CategoryRowsTest, EachCategoryQueriesItsClassAndListsItsTableWithASeparator) {
  for (const TableCase& c : TableCases()) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> names = kOddlyNamedProperties;
    for (const InfoRow& row : c.rows) names.push_back(row.value);
    // Property names are matched without regard to case: "status" and "service" too.
    Script(*c.category, {InstanceNamingItsProperties(names)});
    std::vector<InfoRow> expected = c.rows;
    if (c.separator) expected.push_back(kSep);
    EXPECT_EQ(Dump(sysinfo::ReadCategory(*c.category)), Dump(expected));
    ASSERT_FALSE(wmi.Queries().empty());
    EXPECT_EQ(wmi.Queries().back().nameSpace, "root\\cimv2");
    EXPECT_EQ(wmi.Queries().back().wql, std::string("Select * from ") + c.wmiClass);
  }
}

TEST_F(CategoryRowsTest, EveryInstanceGetsItsRowsAndSeparatorInWmisOrderAndNoInstanceNone) {
  auto cpu = [](const char* name) {
    return FakeWmi::Row({{"Name", std::string(name)}, {"Level", int64_t{6}}});
  };
  Script(sysinfo::kProcessorInfo, {cpu("first"), cpu("second")});
  EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kProcessorInfo)),
            Dump({{"Level: ", "6"}, {"Name: ", "first"}, kSep, {"Level: ", "6"}, {"Name: ", "second"}, kSep}));
  Script(sysinfo::kModemInfo, {});
  EXPECT_TRUE(sysinfo::ReadCategory(sysinfo::kModemInfo).empty());
}

// A processor with only a name: its row shows how the value becomes text.
TEST_F(CategoryRowsTest, AValueBecomesTextAndAMissingPropertyHasNoRow) {
  struct ValueCase {
    const char* name;
    std::optional<WmiValue> value;  // none: the instance lacks the property
    std::vector<InfoRow> rows;
  };
  const ValueCase cases[] = {
      {"text", WmiValue{std::string("CPU 1")}, {{"Name: ", "CPU 1"}, kSep}},
      {"empty text", WmiValue{std::string()}, {{"Name: ", ""}, kSep}},
      {"Null", WmiValue{}, {{"Name: ", ""}, kSep}},
      {"True", WmiValue{true}, {{"Name: ", "True"}, kSep}},
      {"False", WmiValue{false}, {{"Name: ", "False"}, kSep}},
      {"zero", WmiValue{int64_t{0}}, {{"Name: ", "0"}, kSep}},
      {"negative", WmiValue{int64_t{-12}}, {{"Name: ", "-12"}, kSep}},
      {"largest uint32", WmiValue{int64_t{4294967295LL}}, {{"Name: ", "4294967295"}, kSep}},
      {"uint64", WmiValue{int64_t{25274671104LL}}, {{"Name: ", "25274671104"}, kSep}},
      {"fraction", WmiValue{1.5}, {{"Name: ", "1.5"}, kSep}},
      {"a list", WmiValue{Texts{"a", "b"}}, {{"Name: ", "", true}, kSep}},
      {"missing", std::nullopt, {kSep}},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    WmiObject cpu;
    if (c.value) cpu.properties["Name"] = *c.value;
    Script(sysinfo::kProcessorInfo, {cpu});
    EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kProcessorInfo)), Dump(c.rows));
  }
}

TEST_F(CategoryRowsTest, AMissingPropertyLeavesOutItsRowOnlyAndTheMonitorGoesOnPastIt) {
  // Wine's monitors have no Availability.
  auto monitor = [](const char* name) {
    return FakeWmi::Row({{"Name", std::string(name)}, {"Description", std::string("Generic")},
                         {"PixelsPerXLogicalInch", int64_t{96}}});
  };
  Script(sysinfo::kMonitorInfo, {monitor("one"), monitor("two")});
  EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kMonitorInfo)),
            Dump({{"Description: ", "Generic"}, {"Name: ", "one"}, {"Pixels Per X Logical Inch: ", "96"}, kSep,
                  {"Description: ", "Generic"}, {"Name: ", "two"}, {"Pixels Per X Logical Inch: ", "96"}, kSep}));
}

// A query that fails before its first instance still runs the rows that need no instance.
TEST_F(CategoryRowsTest, AFailedQueryGivesEachCategorysRowsOfNoInstance) {
  struct FailCase {
    const char* name;
    const Category* category;
    std::vector<InfoRow> rows;
  };
  const std::vector<InfoRow> separatorOnly{kSep};
  const FailCase cases[] = {
      {"processor", &sysinfo::kProcessorInfo, separatorOnly},
      {"BIOS", &sysinfo::kBiosInfo, separatorOnly},
      {"modem", &sysinfo::kModemInfo, separatorOnly},
      {"video controller", &sysinfo::kVideoControllerInfo, separatorOnly},
      {"video resolutions", &sysinfo::kVideoResolutionInfo, separatorOnly},
      {"Plug and Play devices", &sysinfo::kPnPDeviceInfo, separatorOnly},
      {"on-board devices", &sysinfo::kOnBoardDeviceInfo, separatorOnly},
      {"physical memory", &sysinfo::kPhysicalMemoryInfo, separatorOnly},
      {"sound devices", &sysinfo::kSoundDeviceInfo, separatorOnly},
      {"fans", &sysinfo::kFanInfo, separatorOnly},
      {"hotfixes", &sysinfo::kHotfixInfo, separatorOnly},
      {"baseboard", &sysinfo::kBaseBoardInfo, {{"Configuration Option: ", ""}, kSep}},
      {"operating system", &sysinfo::kOperatingSystemInfo,
       {{"Install Date: ", ""}, {"Last Bootup Time: ", ""}, kSep}},
      {"Start menu", &sysinfo::kStartMenuInfo, {}},
      {"monitor", &sysinfo::kMonitorInfo, {}},
  };
  for (HRESULT failure : {WBEM_E_FAILED, WBEM_E_ACCESS_DENIED, WBEM_E_INVALID_CLASS}) {
    for (const FailCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " " + std::to_string(failure));
      Script(*c.category, {}, failure);
      EXPECT_EQ(Dump(sysinfo::ReadCategory(*c.category)), Dump(c.rows));
    }
  }
}

TEST_F(CategoryRowsTest, AFailureAfterTheFirstInstanceListsThatInstanceAndStops) {
  Script(sysinfo::kOperatingSystemInfo,
         {FakeWmi::Row({{"Caption", std::string("Windows 7")}})}, WBEM_E_FAILED);
  EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kOperatingSystemInfo)),
            Dump({{"Caption: ", "Windows 7"}, {"Install Date: ", ""}, {"Last Bootup Time: ", ""}, kSep}));
}

TEST_F(CategoryRowsTest, AByteCountShowsAsEvenWholeMegabytes) {
  struct SizeCase {
    const char* name;
    std::optional<WmiValue> bytes;
    const char* shown;  // nullptr: no row
  };
  constexpr int64_t MiB = 1024 * 1024;
  const SizeCase cases[] = {
      {"256 MiB", WmiValue{256 * MiB}, "256 MB"},
      {"255 MiB, odd: raised", WmiValue{255 * MiB}, "256 MB"},
      {"3 MiB", WmiValue{3 * MiB}, "4 MB"},
      {"1 GiB", WmiValue{1024 * MiB}, "1024 MB"},
      {"4 GiB", WmiValue{4096 * MiB}, "4096 MB"},
      {"largest uint32: not negative", WmiValue{int64_t{4294967295LL}}, "4096 MB"},
      {"not whole: rounded", WmiValue{int64_t{25274671104LL}}, "24104 MB"},
      {"a text of digits", WmiValue{std::string("25274671104")}, "24104 MB"},
      {"a fraction of a megabyte", WmiValue{int64_t{1}}, "0 MB"},
      {"zero", WmiValue{int64_t{0}}, "0 MB"},
      {"Null", WmiValue{}, " MB"},
      {"a list", WmiValue{Texts{"1"}}, nullptr},
      {"missing", std::nullopt, nullptr},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    WmiObject module, adapter;
    if (c.bytes) {
      module.properties["Capacity"] = *c.bytes;
      adapter.properties["AdapterRAM"] = *c.bytes;
    }
    Script(sysinfo::kPhysicalMemoryInfo, {module});
    Script(sysinfo::kVideoControllerInfo, {adapter});
    std::vector<InfoRow> memoryRows{kSep}, adapterRows{kSep};
    if (c.shown) {
      memoryRows.insert(memoryRows.begin(), InfoRow{"Capacity: ", c.shown});
      adapterRows.insert(adapterRows.begin(), InfoRow{"Adapter RAM: ", c.shown});
    }
    EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kPhysicalMemoryInfo)), Dump(memoryRows));
    EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kVideoControllerInfo)), Dump(adapterRows));
  }
}

TEST_F(CategoryRowsTest, TheBaseboardListsOneRowPerConfigurationOptionBeforeItsOtherRows) {
  struct OptionCase {
    const char* name;
    std::optional<WmiValue> options;
    std::vector<InfoRow> rows;
  };
  const OptionCase cases[] = {
      {"three options", WmiValue{Texts{"Jumper 1", "Jumper 2", "Jumper 3"}},
       {{"Configuration Option: ", "Jumper 1"}, {"Configuration Option: ", "Jumper 2"},
        {"Configuration Option: ", "Jumper 3"}, {"Depth: ", "5"}, kSep}},
      {"Null", WmiValue{}, {{"Configuration Option: ", ""}, {"Depth: ", "5"}, kSep}},
      {"not a list", WmiValue{std::string("Jumper")}, {{"Configuration Option: ", ""}, {"Depth: ", "5"}, kSep}},
      {"an empty list", WmiValue{Texts{}}, {{"Depth: ", "5"}, kSep}},
      {"missing", std::nullopt, {{"Configuration Option: ", ""}, {"Depth: ", "5"}, kSep}},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.name);
    WmiObject board = FakeWmi::Row({{"Depth", int64_t{5}}});
    if (c.options) board.properties["ConfigOptions"] = *c.options;
    Script(sysinfo::kBaseBoardInfo, {board});
    EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kBaseBoardInfo)), Dump(c.rows));
  }
}

TEST_F(CategoryRowsTest, TheServicePackShowsSPAndItsNumber) {
  struct PackCase {
    std::optional<WmiValue> pack;
    const char* shown;  // nullptr: no row
  };
  const PackCase cases[] = {
      {WmiValue{int64_t{1}}, "SP1"},
      {WmiValue{int64_t{0}}, "SP0"},
      {WmiValue{}, "SP"},
      {WmiValue{Texts{"1"}}, nullptr},
      {std::nullopt, nullptr},
  };
  for (const PackCase& c : cases) {
    SCOPED_TRACE(c.shown ? c.shown : "no row");
    WmiObject os;
    if (c.pack) os.properties["ServicePackMajorVersion"] = *c.pack;
    Script(sysinfo::kOperatingSystemInfo, {os});
    std::vector<InfoRow> rows{{"Install Date: ", ""}, {"Last Bootup Time: ", ""}};
    if (c.shown) rows.push_back({"Service Pack: ", c.shown});
    rows.push_back(kSep);
    EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kOperatingSystemInfo)), Dump(rows));
  }
}

TEST_F(CategoryRowsTest, DatesShowInTheLocaleAndADateThatFailsShowsEmptyNeverAnEarlierOne) {
  // An unknown offset keeps the operating system's dates as written, whatever the zone.
  Script(sysinfo::kOperatingSystemInfo,
         {FakeWmi::Row({{"InstallDate", std::string("20100312153000.000000+***")},
                        {"LastBootUpTime", std::string("20110101000000.000000+***")}}),
          FakeWmi::Row({{"InstallDate", std::string("20101312153000.000000+060")},
                        {"LastBootUpTime", WmiValue{}}})});
  EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kOperatingSystemInfo)),
            Dump({{"Install Date: ", "3/12/2010 3:30:00 PM"}, {"Last Bootup Time: ", "1/1/2011"}, kSep,
                  {"Install Date: ", ""}, {"Last Bootup Time: ", ""}, kSep}));

  Script(sysinfo::kHotfixInfo,
         {FakeWmi::Row({{"HotFixID", std::string("KB1")}, {"InstallDate", std::string("20100312000000.000000-300")}}),
          FakeWmi::Row({{"HotFixID", std::string("KB2")}, {"InstallDate", std::string()}}),
          FakeWmi::Row({{"HotFixID", std::string("KB3")}})});
  EXPECT_EQ(Dump(sysinfo::ReadCategory(sysinfo::kHotfixInfo)),
            Dump({{"Hot Fix ID: ", "KB1"}, {"Installation Date: ", "3/12/2010"}, kSep,
                  {"Hot Fix ID: ", "KB2"}, {"Installation Date: ", ""}, kSep,
                  {"Hot Fix ID: ", "KB3"}, kSep}));
}

}  // namespace
