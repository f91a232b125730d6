#include "sysinfo/Categories.h"

namespace sysinfo {
namespace {

using C = Conversion;

constexpr RowSpec kProcessorRows[] = {
    {909, "AddressWidth"},      {939, "CurrentClockSpeed"}, {948, "DataWidth"},
    {951, "Description"},       {952, "DeviceID"},          {963, "ExtClock"},
    {986, "L2CacheSize"},       {987, "L2CacheSpeed"},      {989, "Level"},
    {992, "LoadPercentage"},    {994, "Manufacturer"},      {996, "MaxClockSpeed"},
    {1012, "Name"},             {1025, "PNPDeviceID"},      {1038, "ProcessorId"},
    {1054, "Revision"},         {1055, "Role"},             {1069, "SocketDesignation"},
    {1085, "StatusInfo"},       {1087, "Stepping"},         {1093, "UniqueId"},
    {1094, "Version"},
};

constexpr RowSpec kBiosRows[] = {
    {919, "BuildNumber"},
    {941, "CurrentLanguage"},
    {981, "InstallableLanguages"},
    {994, "Manufacturer"},
    {1012, "Name"},
    {1036, "PrimaryBIOS"},
    {1046, "ReleaseDate", C::kDate},
    {1064, "SerialNumber"},
    {1060, "SMBIOSBIOSVersion"},
    {1057, "SMBIOSMajorVersion"},
    {1058, "SMBIOSMinorVersion"},
    {1059, "SMBIOSPresent"},
    {1086, "status"},
    {1094, "Version"},
};

constexpr RowSpec kModemRows[] = {
    {910, "AttachedTo"},
    {916, "BlindOff"},
    {917, "BlindOn"},
    {926, "CompressionOff"},
    {927, "CompressionOn"},
    {932, "ConfigManagerErrorCode"},
    {933, "ConfigManagerUserConfig"},
    {931, "ConfigurationDialog"},
    {937, "CountrySelected"},
    {952, "DeviceID"},
    {954, "DeviceType"},
    {957, "DriverDate", C::kDate},
    {960, "ErrorControlForced"},
    {961, "ErrorControlOff"},
    {962, "ErrorControlOn"},
    {964, "FlowControlHard"},
    {965, "FlowControlOff"},
    {966, "FlowControlSoft"},
    {977, "InactivityScale"},
    {978, "InactivityTimeout"},
    {979, "Index"},
    {995, "MaxBaudRateToSerialPort"},
    {1002, "Model"},
    {1003, "ModemInfPath"},
    {1004, "ModemInfSection"},
    {1006, "ModulationBell"},
    {1007, "ModulationCCITT"},
    {1012, "Name"},
    {1025, "PNPDeviceID"},
    {1031, "PortSubClass"},
    {1035, "Prefix"},
    {1042, "ProviderName"},
    {1043, "Pulse"},
    {1052, "Reset"},
    {1053, "ResponsesKeyName"},
    {1071, "SpeakerModeDial"},
    {1072, "SpeakerModeOff"},
    {1073, "SpeakerModeOn"},
    {1074, "SpeakerModeSetup"},
    {1075, "SpeakerVolumeHigh"},
    {1076, "SpeakerVolumeInfo"},
    {1077, "SpeakerVolumeLow"},
    {1078, "SpeakerVolumeMed"},
    {1084, "StatusInfo"},
    {1090, "Terminator"},
    {1091, "Tone"},
};

constexpr RowSpec kVideoControllerRows[] = {
    {906, "AdapterCompatibility"},
    {907, "AdapterDACType"},
    {908, "AdapterRAM", C::kMegabytes},
    {925, "ColorTableEntries"},
    {938, "CurrentBitsPerPixel"},
    {940, "CurrentHorizontalResolution"},
    {942, "CurrentNumberOfColors"},
    {943, "CurrentNumberOfColumns"},
    {944, "CurrentNumberOfRows"},
    {945, "CurrentRefreshRate"},
    {946, "CurrentVerticalResolution"},
    {951, "Description"},
    {952, "DeviceID"},
    {956, "DitherType"},
    {957, "DriverDate", C::kDate},
    {958, "DriverVersion"},
    {973, "ICMIntent"},
    {974, "ICMMethod"},
    {975, "InfFilename"},
    {976, "InfSection"},
    {984, "InstalledDisplayDrivers"},
    {997, "MaxMemorySupported"},
    {998, "MaxNumberControlled"},
    {999, "MaxRefreshRate"},
    {1001, "MinRefreshRate"},
    {1011, "Monochrome"},
    {1012, "Name"},
    {1015, "NumberOfColorPlanes"},
    {1016, "NumberOfVideoPages"},
    {1025, "PNPDeviceID"},
    {1051, "ReservedSystemPaletteEntries"},
    {1080, "SpecificationVersion"},
    {1088, "SystemPaletteEntries"},
    {1096, "VideoArchitecture"},
    {1098, "VideoModeDescription"},
    {1099, "VideoProcessor"},
};

constexpr RowSpec kVideoResolutionRows[] = {
    {969, "HorizontalResolution"}, {1013, "NumberOfColors"}, {1044, "RefreshRate"},
    {1061, "ScanMode"},            {1067, "SettingID"},      {1095, "VerticalResolution"},
};

constexpr RowSpec kPnPDeviceRows[] = {
    {923, "ClassGuid"}, {951, "Description"}, {952, "DeviceID"}, {994, "Manufacturer"},
    {1012, "Name"},     {1025, "PNPDeviceID"}, {1066, "service"},
};

constexpr RowSpec kBaseBoardRows[] = {
    {934, "ConfigOptions", C::kOptions},
    {950, "Depth"},
    {951, "Description"},
    {968, "Height"},
    {970, "HostingBoard"},
    {972, "HotSwappable"},
    {994, "Manufacturer"},
    {1002, "Model"},
    {1012, "Name"},
    {1024, "OtherIdentifyingInfo"},
    {1026, "PartNumber"},
    {1034, "PoweredOn"},
    {1041, "Product"},
    {1047, "Removable"},
    {1048, "Replaceable"},
    {1049, "RequirementsDescription"},
    {1050, "RequiresDaughterBoard"},
    {1064, "SerialNumber"},
    {1056, "SKU"},
    {1068, "SlotLayout"},
    {1079, "SpecialRequirements"},
    {1089, "Tag"},
    {1094, "Version"},
    {1100, "Weight"},
    {1101, "Width"},
};

constexpr RowSpec kMonitorRows[] = {
    {911, "Availability"},
    {913, "Bandwidth"},
    {951, "Description"},
    {952, "DeviceID"},
    {955, "DisplayType"},
    {985, "IsLocked"},
    {1009, "MonitorManufacturer"},
    {1010, "MonitorType"},
    {1012, "Name"},
    {1028, "PixelsPerXLogicalInch"},
    {1029, "PixelsPerYLogicalInch"},
    {1025, "PNPDeviceID"},
    {1062, "ScreenHeight"},
    {1063, "ScreenWidth"},
};

constexpr RowSpec kOnBoardDeviceRows[] = {
    {951, "Description"}, {954, "DeviceType"}, {1002, "Model"},
    {1012, "Name"},       {1089, "Tag"},       {1094, "Version"},
};

constexpr RowSpec kPhysicalMemoryRows[] = {
    {914, "BankLabel"},
    {921, "Capacity", C::kMegabytes},
    {948, "DataWidth"},
    {951, "Description"},
    {953, "DeviceLocator"},
    {967, "FormFactor"},
    {972, "HotSwappable"},
    {994, "Manufacturer"},
    {1000, "MemoryType"},
    {1012, "Name"},
    {1026, "PartNumber"},
    {1032, "PositionInRow"},
    {1081, "Speed"},
    {1089, "Tag"},
    {1092, "TypeDetail"},
};

constexpr RowSpec kSoundDeviceRows[] = {
    {951, "Description"}, {952, "DeviceID"},     {947, "DMABufferSize"},
    {994, "Manufacturer"}, {993, "MPU401Address"}, {1012, "Name"},
    {1025, "PNPDeviceID"}, {1040, "ProductName"}, {1085, "StatusInfo"},
};

constexpr RowSpec kFanRows[] = {
    {905, "ActiveCooling"}, {911, "Availability"}, {952, "DeviceID"},
    {1012, "Name"},         {1085, "StatusInfo"},
};

constexpr RowSpec kOperatingSystemRows[] = {
    {918, "BootDevice"},
    {919, "BuildNumber"},
    {920, "BuildType"},
    {922, "Caption"},
    {924, "CodeSet"},
    {936, "CountryCode"},
    {949, "Debug"},
    {959, "EncryptionLevel"},
    {980, "InstallDate", C::kLocalDate},
    {990, "NumberOfLicensedUsers"},
    {1023, "Organization"},
    {1017, "OSLanguage"},
    {1019, "OSProductSuite"},
    {1020, "OSType"},
    {1037, "Primary"},
    {1045, "RegisteredUser"},
    {1064, "SerialNumber"},
    {1094, "Version"},
    {988, "LastBootUpTime", C::kLocalDate},
    {1014, "NumberOfUsers"},
    {1065, "ServicePackMajorVersion", C::kServicePack},
};

constexpr RowSpec kHotfixRows[] = {
    {930, "CSName"},
    {951, "Description"},
    {971, "HotFixID"},
    {982, "InstallDate", C::kDate},
    {983, "InstalledBy"},
};

constexpr RowSpec kStartMenuRows[] = {
    {1012, "Name"},
};

constexpr RowSpec kReportOperatingSystemRows[] = {
    {918, "BootDevice"},
    {1094, "Version"},
    {920, "BuildType"},
    {1018, "Caption"},
    {980, "InstallDate", C::kLocalDate},
    {990, "NumberOfLicensedUsers"},
    {1023, "Organization"},
    {1045, "RegisteredUser"},
    {1064, "SerialNumber"},
    {988, "LastBootUpTime", C::kLocalDate},
    {1014, "NumberOfUsers"},
    {1065, "ServicePackMajorVersion", C::kServicePack},
};

}  // namespace

const Category kProcessorInfo{"Select * from Win32_Processor", kProcessorRows};
const Category kBiosInfo{"Select * from Win32_BIOS", kBiosRows};
const Category kModemInfo{"Select * from Win32_POTSModem", kModemRows};
const Category kVideoControllerInfo{"Select * from Win32_VideoController", kVideoControllerRows};
const Category kVideoResolutionInfo{"Select * from CIM_VideoControllerResolution", kVideoResolutionRows};
const Category kPnPDeviceInfo{"Select * from Win32_PnPEntity", kPnPDeviceRows};
const Category kBaseBoardInfo{"Select * from Win32_BaseBoard", kBaseBoardRows};
// A monitor list with nothing to show stays empty: no separator row of its own.
const Category kMonitorInfo{"Select * from Win32_DesktopMonitor", kMonitorRows, true, false};
const Category kOnBoardDeviceInfo{"Select * from Win32_OnBoardDevice", kOnBoardDeviceRows};
const Category kPhysicalMemoryInfo{"Select * from Win32_PhysicalMemory", kPhysicalMemoryRows};
const Category kSoundDeviceInfo{"Select * from Win32_SoundDevice", kSoundDeviceRows};
const Category kFanInfo{"Select * from Win32_Fan", kFanRows};
const Category kOperatingSystemInfo{"Select * from Win32_OperatingSystem", kOperatingSystemRows};
const Category kHotfixInfo{"Select * from Win32_QuickFixEngineering", kHotfixRows};
// One uninterrupted column of names.
const Category kStartMenuInfo{"Select * from Win32_LogicalProgramGroupItem", kStartMenuRows, false};

const Category kReportOperatingSystem{"Select * from Win32_OperatingSystem", kReportOperatingSystemRows};
const Category kReportProcessor{"Select * from Win32_Processor", kProcessorRows};
const Category kReportBios{"Select * from Win32_BIOS", kBiosRows, false};
const Category kReportBaseBoard{"Select * from Win32_BaseBoard", kBaseBoardRows};
const Category kReportPhysicalMemory{"Select * from Win32_PhysicalMemory", kPhysicalMemoryRows};
const Category kReportVideoController{"Select * from Win32_VideoController", kVideoControllerRows};

}  // namespace sysinfo
