#pragma once
// Windows Firewall's authorized applications as the test describes them, a way to make
// each step fail, and a record of every call.
//
//   FakeFirewall firewall;
//   platform::Override<platform::Firewall> useFirewall(firewall);
//   firewall.applications = {{"Updater", "C:\\Tools\\up.exe"}};
//   firewall.failListingAt = 1;  // the listing breaks at the second application
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "platform/firewall.h"

class FakeFirewall : public platform::Firewall {
 public:
  struct Entry {
    std::string name;
    std::string path;
    bool unreadable = false;  // its name or path cannot be read
  };

  struct Call {
    enum Kind { List, Add, Remove } kind = List;
    std::string path;                           // Add: the program file; Remove: the path given
    platform::NewFirewallApplication added;     // Add: every property as passed
  };

  // The current profile's applications, in the firewall's order. Add appends a program not
  // listed yet (one already listed takes the new name in its place); Remove takes a listed
  // program out (every entry that lists it) and fails for one that is not listed. Paths
  // compare without letter case.
  std::vector<Entry> applications;

  // Failures: the manager cannot be created, or its current profile cannot be reached
  // (every call fails); the listing breaks when it comes to this 0-based position
  // (-1: never); these program files are refused by Add or Remove.
  bool failCreate = false;
  bool failProfile = false;
  int failListingAt = -1;
  std::set<std::string> refuseAdd;
  std::set<std::string> refuseRemove;

  std::vector<Call> calls;
  int Lists() const;
  std::vector<Call> Adds() const;
  std::vector<std::string> Removes() const;  // the paths, in order
  std::vector<std::string> Paths() const;    // the applications' paths, in order

  bool List(std::vector<platform::FirewallApplication>* listed) override;
  HRESULT Add(const platform::NewFirewallApplication& application) override;
  HRESULT Remove(const std::string& path) override;

 private:
  HRESULT Reach() const;
  std::vector<Entry>::iterator Find(const std::string& path);
  static bool Refused(const std::set<std::string>& refused, const std::string& path);
};
