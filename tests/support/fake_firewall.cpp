#include "fake_firewall.h"

#include <algorithm>

namespace {

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

int FakeFirewall::Lists() const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [](const Call& c) { return c.kind == Call::List; }));
}

std::vector<FakeFirewall::Call> FakeFirewall::Adds() const {
  std::vector<Call> adds;
  for (const Call& call : calls)
    if (call.kind == Call::Add) adds.push_back(call);
  return adds;
}

std::vector<std::string> FakeFirewall::Removes() const {
  std::vector<std::string> paths;
  for (const Call& call : calls)
    if (call.kind == Call::Remove) paths.push_back(call.path);
  return paths;
}

std::vector<std::string> FakeFirewall::Paths() const {
  std::vector<std::string> paths;
  for (const Entry& entry : applications) paths.push_back(entry.path);
  return paths;
}

HRESULT FakeFirewall::Reach() const {
  if (failCreate) return REGDB_E_CLASSNOTREG;
  if (failProfile) return E_ACCESSDENIED;
  return S_OK;
}

std::vector<FakeFirewall::Entry>::iterator FakeFirewall::Find(const std::string& path) {
  return std::find_if(applications.begin(), applications.end(),
                      [&](const Entry& entry) { return SamePath(entry.path, path); });
}

bool FakeFirewall::Refused(const std::set<std::string>& refused, const std::string& path) {
  return std::any_of(refused.begin(), refused.end(), [&](const std::string& p) { return SamePath(p, path); });
}

bool FakeFirewall::List(std::vector<platform::FirewallApplication>* listed) {
  calls.push_back({Call::List});
  if (FAILED(Reach())) return false;
  for (size_t i = 0; i < applications.size(); ++i) {
    if (static_cast<int>(i) == failListingAt) return false;
    if (!applications[i].unreadable) listed->push_back({applications[i].name, applications[i].path});
  }
  return true;
}

HRESULT FakeFirewall::Add(const platform::NewFirewallApplication& application) {
  calls.push_back({Call::Add, application.processImageFileName, application});
  if (HRESULT hr = Reach(); FAILED(hr)) return hr;
  if (Refused(refuseAdd, application.processImageFileName)) return E_ACCESSDENIED;
  auto listed = Find(application.processImageFileName);
  if (listed != applications.end()) {
    listed->name = application.name;
  } else {
    applications.push_back({application.name, application.processImageFileName});
  }
  return S_OK;
}

HRESULT FakeFirewall::Remove(const std::string& path) {
  calls.push_back({Call::Remove, path});
  if (HRESULT hr = Reach(); FAILED(hr)) return hr;
  if (Refused(refuseRemove, path)) return E_ACCESSDENIED;
  // The firewall holds one application per program file: whatever lists it goes.
  const size_t before = applications.size();
  std::erase_if(applications, [&](const Entry& entry) { return SamePath(entry.path, path); });
  return applications.size() < before ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}
