#pragma once
// The Windows 7 services that the services page knows, with the start code each of its
// presets gives them. The page lists only these services and its presets change only
// these; a service missing from a computer keeps its row (the table spans editions).
//
// The rows are in ascending order of display name, compared without regard to case, so a
// listing that walks the table shows its rows in that order.
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace services {

// Start codes of the presets.
inline constexpr int kAutomatic = 1;
inline constexpr int kManual = 2;
inline constexpr int kDisabled = 3;
inline constexpr int kDelayedAutomatic = 4;  // automatic, delayed start

// The Safe preset also has a silent form, which the Auto Tuner applies: it leaves three
// network services on manual start.
enum class Preset { Default, Tweaked, Safe, SilentSafe };

struct KnownService {
  const char* key;          // key name: the service manager's name and the registry key's
  const char* displayName;  // the text of the service's row in the page's list
  uint8_t defaultCode;
  uint8_t tweakedCode;
  uint8_t safeCode;
  uint8_t silentSafeCode = 0;  // 0: as safeCode

  constexpr int Code(Preset preset) const {
    switch (preset) {
      case Preset::Default: return defaultCode;
      case Preset::Tweaked: return tweakedCode;
      case Preset::Safe: return safeCode;
      case Preset::SilentSafe: return silentSafeCode ? silentSafeCode : safeCode;
    }
    return 0;
  }
};

// The service manager's start type for a start code (2 automatic, 3 manual, 4 disabled);
// 0 for a code outside 1 to 4.
constexpr unsigned long StartTypeOf(int code) {
  switch (code) {
    case kAutomatic:
    case kDelayedAutomatic: return 2;
    case kManual: return 3;
    case kDisabled: return 4;
    default: return 0;
  }
}

// The "DelayedAutoStart" value a start code writes (0 or 1), or -1 for a code that leaves
// the value as it is.
constexpr int DelayedAutoStartOf(int code) {
  return code == kAutomatic ? 0 : code == kDelayedAutomatic ? 1 : -1;
}

// The registry key of a service is this followed by its key name (HKEY_LOCAL_MACHINE).
inline constexpr const char* kServicesKey = "SYSTEM\\CurrentControlSet\\Services\\";

//                                    key, display name, Default, Tweaked, Safe[, silent Safe]
inline constexpr KnownService kKnownServices[] = {
    {"AxInstSV", "ActiveX Installer", 2, 3, 2},
    {"SensrSvc", "Adaptive Brightness", 2, 3, 2},
    {"AeLookupSvc", "Application Experience", 2, 2, 2},
    {"AppIDSvc", "Application Identity", 2, 2, 2},
    {"Appinfo", "Application Information", 2, 2, 2},
    {"ALG", "Application Layer Gateway Service", 2, 3, 2},
    {"AppMgmt", "Application Management", 2, 3, 3},
    {"BITS", "Background Intelligent Transfer Service", 2, 2, 2},
    {"BFE", "Base Filtering Engine", 1, 1, 1},
    {"BDESVC", "BitLocker Drive Encryption Service", 2, 3, 2},
    {"wbengine", "Block Level Backup Engine Service", 2, 2, 2},
    {"bthserv", "Bluetooth Support Service", 2, 3, 3},
    {"PeerDistSvc", "BranchCache", 2, 3, 3},
    {"CertPropSvc", "Certificate Propagation", 2, 3, 3},
    {"KeyIso", "CNG Key Isolation", 2, 2, 2},
    {"EventSystem", "COM+ Event System", 1, 1, 1},
    {"COMSysApp", "COM+ System Application", 2, 2, 2},
    {"Browser", "Computer Browser", 2, 1, 1, 2},
    {"VaultSvc", "Credential Manager", 2, 3, 2},
    {"CryptSvc", "Cryptographic Services", 1, 1, 1},
    {"DcomLaunch", "DCOM Server Process Launcher", 1, 1, 1},
    {"UxSms", "Desktop Window Manager Session Manager", 1, 1, 1},
    {"Dhcp", "DHCP Client", 1, 1, 1},
    {"DPS", "Diagnostic Policy Service", 1, 3, 1},
    {"WdiServiceHost", "Diagnostic Service Host", 2, 3, 2},
    {"WdiSystemHost", "Diagnostic System Host", 2, 3, 2},
    {"defragsvc", "Disk Defragmenter", 2, 2, 2},
    {"TrkWks", "Distributed Link Tracking Client", 1, 3, 3},
    {"MSDTC", "Distributed Transaction Coordinator", 2, 2, 2},
    {"Dnscache", "DNS Client", 1, 1, 1},
    {"EFS", "Encrypting File System (EFS)", 2, 3, 2},
    {"EapHost", "Extensible Authentication Protocol", 2, 2, 2},
    {"Fax", "Fax", 2, 3, 2},
    {"fdPHost", "Function Discovery Provider Host", 2, 1, 1, 2},
    {"FDResPub", "Function Discovery Resource Publication", 1, 1, 1},
    {"gpsvc", "Group Policy Client", 1, 1, 1},
    {"hkmsvc", "Health Key and Certificate Management", 2, 3, 2},
    {"HomeGroupListener", "HomeGroup Listener", 2, 3, 2},
    {"HomeGroupProvider", "HomeGroup Provider", 2, 3, 2},
    {"hidserv", "Human Interface Device Access", 2, 3, 2},
    {"IKEEXT", "IKE and AuthIP IPsec Keying Modules", 2, 2, 2},
    {"UI0Detect", "Interactive Services Detection", 2, 3, 2},
    {"SharedAccess", "Internet Connection Sharing (ICS)", 3, 3, 3},
    {"iphlpsvc", "IP Helper", 1, 3, 3},
    {"PolicyAgent", "IPsec Policy Agent", 2, 2, 2},
    {"KtmRm", "KtmRm for Distributed Transaction Coordinator", 2, 2, 2},
    {"lltdsvc", "Link-Layer Topology Discovery Mapper", 2, 3, 2},
    {"Mcx2Svc", "Media Center Extender Service", 3, 3, 3},
    {"clr_optimization_v2.0.50727", "Microsoft .NET Framework NGEN v2.0.50727", 2, 2, 2},
    {"MSiSCSI", "Microsoft iSCSI Initiator Service", 2, 3, 3},
    {"swprv", "Microsoft Software Shadow Copy Provider", 2, 2, 2},
    {"MMCSS", "Multimedia Class Scheduler", 1, 1, 1},
    {"NetTcpPortSharing", "Net.Tcp Port Sharing Service", 3, 3, 3},
    {"Netlogon", "Netlogon", 2, 3, 3},
    {"napagent", "Network Access Protection Agent", 2, 3, 3},
    {"Netman", "Network Connections", 2, 1, 1, 2},
    {"netprofm", "Network List Service", 2, 2, 2},
    {"NlaSvc", "Network Location Awareness", 1, 1, 1},
    {"nsi", "Network Store Interface Service", 1, 1, 1},
    {"CscService", "Offline Files", 1, 3, 3},
    {"WPCSvc", "Parental Controls", 2, 3, 3},
    {"PNRPsvc", "Peer Name Resolution Protocol", 2, 3, 2},
    {"p2psvc", "Peer Networking Grouping", 2, 3, 2},
    {"p2pimsvc", "Peer Networking Identity Manager", 2, 3, 2},
    {"pla", "Performance Logs & Alerts", 2, 2, 2},
    {"PlugPlay", "Plug and Play", 1, 1, 1},
    {"IPBusEnum", "PnP-X IP Bus Enumerator", 2, 3, 2},
    {"PNRPAutoReg", "PNRP Machine Name Publication Service", 2, 3, 2},
    {"WPDBusEnum", "Portable Device Enumerator Service", 2, 3, 2},
    {"Power", "Power", 1, 1, 1},
    {"Spooler", "Print Spooler", 1, 1, 1},
    {"wercplsupport", "Problem Reports and Solutions Control Panel Support", 2, 3, 2},
    {"PcaSvc", "Program Compatibility Assistant Service", 2, 3, 2},
    {"ProtectedStorage", "Protected Storage", 2, 2, 2},
    {"QWAVE", "Quality Windows Audio Video Experience", 2, 3, 2},
    {"RasAuto", "Remote Access Auto Connection Manager", 2, 2, 2},
    {"RasMan", "Remote Access Connection Manager", 2, 2, 2},
    {"SessionEnv", "Remote Desktop Configuration", 2, 3, 2},
    {"TermService", "Remote Desktop Services", 2, 3, 2},
    {"UmRdpService", "Remote Desktop Services UserMode Port Redirector", 2, 3, 2},
    {"RpcSs", "Remote Procedure Call (RPC)", 1, 1, 1},
    {"RpcLocator", "Remote Procedure Call (RPC) Locator", 2, 3, 3},
    {"RemoteRegistry", "Remote Registry", 2, 3, 3},
    {"RemoteAccess", "Routing and Remote Access", 3, 3, 3},
    {"RpcEptMapper", "RPC Endpoint Mapper", 1, 1, 1},
    {"seclogon", "Secondary Logon", 2, 2, 2},
    {"SstpSvc", "Secure Socket Tunneling Protocol Service", 2, 2, 2},
    {"SamSs", "Security Accounts Manager", 1, 1, 1},
    {"wscsvc", "Security Center", 4, 4, 4},
    {"LanmanServer", "Server", 1, 1, 1},
    {"ShellHWDetection", "Shell Hardware Detection", 1, 1, 1},
    {"SCardSvr", "Smart Card", 2, 3, 3},
    {"SCPolicySvc", "Smart Card Removal Policy", 2, 3, 3},
    {"SNMPTRAP", "SNMP Trap", 2, 3, 3},
    {"sppsvc", "Software Protection", 4, 4, 4},
    {"sppuinotify", "SPP Notification Service", 2, 2, 2},
    {"SSDPSRV", "SSDP Discovery", 2, 2, 2},
    {"StorSvc", "Storage Service", 2, 2, 2},
    {"SysMain", "Superfetch", 1, 1, 1},
    {"SENS", "System Event Notification Service", 1, 1, 1},
    {"TabletInputService", "Tablet PC Input Service", 2, 3, 2},
    {"Schedule", "Task Scheduler", 1, 1, 1},
    {"lmhosts", "TCP/IP NetBIOS Helper", 1, 1, 1},
    {"TapiSrv", "Telephony", 2, 2, 2},
    {"Themes", "Themes", 1, 1, 1},
    {"THREADORDER", "Thread Ordering Server", 2, 2, 2},
    {"TBS", "TPM Base Services", 2, 2, 2},
    {"upnphost", "UPnP Device Host", 2, 2, 2},
    {"ProfSvc", "User Profile Service", 1, 1, 1},
    {"vds", "Virtual Disk", 2, 2, 2},
    {"VSS", "Volume Shadow Copy", 2, 2, 2},
    {"WebClient", "WebClient", 2, 3, 2},
    {"AudioSrv", "Windows Audio", 1, 1, 1},
    {"AudioEndpointBuilder", "Windows Audio Endpoint Builder", 1, 1, 1},
    {"SDRSVC", "Windows Backup", 2, 2, 2},
    {"WbioSrvc", "Windows Biometric Service", 2, 3, 2},
    {"idsvc", "Windows CardSpace", 2, 3, 2},
    {"WcsPlugInService", "Windows Color System", 2, 3, 2},
    {"wcncsvc", "Windows Connect Now - Config Registrar", 2, 3, 3},
    {"WinDefend", "Windows Defender", 4, 4, 4},
    {"wudfsvc", "Windows Driver Foundation - User-mode Driver Framework", 2, 2, 2},
    {"WerSvc", "Windows Error Reporting Service", 2, 3, 2},
    {"Wecsvc", "Windows Event Collector", 2, 2, 2},
    {"EventLog", "Windows Event Log", 1, 1, 1},
    {"MpsSvc", "Windows Firewall", 1, 1, 1},
    {"FontCache", "Windows Font Cache Service", 2, 2, 2},
    {"StiSvc", "Windows Image Acquisition (WIA)", 2, 2, 2},
    {"msiserver", "Windows Installer", 2, 2, 2},
    {"Winmgmt", "Windows Management Instrumentation", 1, 1, 1},
    {"ehRecvr", "Windows Media Center Receiver Service", 2, 3, 2},
    {"ehSched", "Windows Media Center Scheduler Service", 2, 3, 2},
    {"WMPNetworkSvc", "Windows Media Player Network Sharing Service", 2, 3, 3},
    {"TrustedInstaller", "Windows Modules Installer", 2, 2, 2},
    {"FontCache3.0.0.0", "Windows Presentation Foundation Font Cache 3.0.0.0", 2, 2, 2},
    {"WinRM", "Windows Remote Management (WS-Management)", 2, 3, 2},
    {"WSearch", "Windows Search", 4, 3, 3},
    {"W32Time", "Windows Time", 2, 2, 2},
    {"wuauserv", "Windows Update", 4, 4, 4},
    {"WinHttpAutoProxySvc", "WinHTTP Web Proxy Auto-Discovery Service", 2, 3, 2},
    {"dot3svc", "Wired AutoConfig", 1, 1, 1},
    {"Wlansvc", "WLAN AutoConfig", 1, 1, 1},
    {"wmiApSrv", "WMI Performance Adapter", 2, 2, 2},
    {"LanmanWorkstation", "Workstation", 1, 1, 1},
    {"WwanSvc", "WWAN AutoConfig", 2, 2, 2},
};

inline constexpr int kKnownServiceCount = static_cast<int>(std::size(kKnownServices));
static_assert(kKnownServiceCount == 144);

}  // namespace services
