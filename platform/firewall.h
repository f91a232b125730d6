#pragma once
// Windows Firewall's authorized applications of the current profile: listed, added and
// removed. A seam, because Wine creates the firewall's objects but cannot list their
// collection and takes additions and removals without changing anything; tests replace it
// with a fake that holds a list and can fail at every step.
//
// The real implementation creates a fresh firewall manager ("HNetCfg.FwMgr") for every call
// and goes from it to its local policy, the policy's current profile and the profile's
// authorized applications. It initialises COM on the calling thread as the WMI layer does.
// Texts are in the ANSI code page.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/seam.h"

namespace platform {

// One authorized application as listed.
struct FirewallApplication {
  std::string name;
  std::string path;  // the program file (ProcessImageFileName)
};

// A new authorized application, its properties in the order they are set.
struct NewFirewallApplication {
  std::string name;
  int ipVersion = 2;                  // NET_FW_IP_VERSION_ANY
  std::string processImageFileName;
  std::string remoteAddresses = "*";
  int scope = 0;                      // NET_FW_SCOPE_ALL
  bool enabled = true;
};

class Firewall {
 public:
  virtual ~Firewall() = default;
  // Appends every authorized application in the firewall's order. An application whose
  // name or path cannot be read is left out. False when the manager, policy, profile or
  // collection cannot be reached or the listing fails part way; the applications read
  // before the failure stay appended.
  virtual bool List(std::vector<FirewallApplication>* applications) = 0;
  // Creates an application object, sets each property in turn (a property the object
  // refuses is left at its default and the rest are still set) and adds it. Returns the
  // addition's result, or the failure that kept it from being made.
  virtual HRESULT Add(const NewFirewallApplication& application) = 0;
  // Removes the application of that program file; returns the removal's result.
  virtual HRESULT Remove(const std::string& path) = 0;

  static Firewall& Real();
};

inline Firewall& firewall() { return Seam<Firewall>::Get(); }

}  // namespace platform
