#pragma once
// The firewall page's list procedures: they act on frmFirewall's list, its Add and Remove
// buttons and its service control, and reach Windows Firewall's authorized applications of
// the current profile through platform::firewall(). Each firewall call is made afresh.
#include <string>

// Clears the list and fills it with one row per authorized application, in the firewall's
// order: its name, and its program file in the second column. Returns false when the
// firewall's list could not be read (the rows read before the failure stay).
bool ListAuthorizedApplications();

// Appends one row: name, and path in the second column. Used by the listing only.
void AddFirewallListRow(const std::string& name, const std::string& path);

// Removes the application of every ticked row by the program file in its second column,
// each program file once, in list order; then lists again. Says which programs the
// firewall refused to remove (those still listed afterwards). No question is asked.
void RemoveSelectedApplications();

// Enables the list and both buttons when the firewall service "MpsSvc" reports exactly
// "Started"; otherwise disables them and says that the service is not running. The service
// is only queried, never started.
void CheckFirewallService();

// Says that the firewall's list could not be read, when the page is working (the service
// was found running): with the service down, its own message has said enough.
void ReportUnreadableFirewallList();

// True when a row's second column shows the program file (letter case ignored).
bool FirewallListShows(const std::string& path);
