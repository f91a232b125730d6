#include "platform/firewall.h"

#include <objbase.h>
#include <netfw.h>

#include "platform/com.h"

namespace platform {
namespace {

// An object created by its ProgID, as the scripting runtime creates it.
template <class T>
HRESULT CreateByProgId(const wchar_t* progId, Com<T>* object) {
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, __uuidof(T),
                        reinterpret_cast<void**>(object->put()));
  if (SUCCEEDED(hr) && !*object) hr = E_POINTER;
  return hr;
}

// A property that is an object: a call that succeeds without giving one fails all the same.
template <class T>
HRESULT Got(HRESULT hr, const Com<T>& object) {
  return SUCCEEDED(hr) && !object ? E_POINTER : hr;
}

// A fresh manager's current profile.
HRESULT OpenProfile(Com<INetFwProfile>* profile) {
  EnsureCom();
  Com<INetFwMgr> manager;
  HRESULT hr = CreateByProgId(L"HNetCfg.FwMgr", &manager);
  if (FAILED(hr)) return hr;
  Com<INetFwPolicy> policy;
  hr = Got(manager->get_LocalPolicy(policy.put()), policy);
  if (FAILED(hr)) return hr;
  return Got(policy->get_CurrentProfile(profile->put()), *profile);
}

HRESULT ApplicationsOf(INetFwProfile* profile, Com<INetFwAuthorizedApplications>* applications) {
  return Got(profile->get_AuthorizedApplications(applications->put()), *applications);
}

// Name and path of one element of the collection; false when either cannot be read.
bool ReadApplication(const VARIANT& element, FirewallApplication* out) {
  if (V_VT(&element) != VT_DISPATCH && V_VT(&element) != VT_UNKNOWN) return false;
  IUnknown* unknown = V_VT(&element) == VT_DISPATCH ? V_DISPATCH(&element) : V_UNKNOWN(&element);
  Com<INetFwAuthorizedApplication> application;
  if (!unknown || FAILED(unknown->QueryInterface(__uuidof(INetFwAuthorizedApplication),
                                                  reinterpret_cast<void**>(application.put()))) ||
      !application)
    return false;
  Bstr name, path;
  if (FAILED(application->get_Name(name.put())) || !name.get()) return false;
  if (FAILED(application->get_ProcessImageFileName(path.put())) || !path.get()) return false;
  out->name = AnsiFromBstr(name.get());
  out->path = AnsiFromBstr(path.get());
  return true;
}

class RealFirewall final : public Firewall {
 public:
  bool List(std::vector<FirewallApplication>* applications) override {
    Com<INetFwProfile> profile;
    Com<INetFwAuthorizedApplications> collection;
    if (FAILED(OpenProfile(&profile)) || FAILED(ApplicationsOf(profile.get(), &collection)))
      return false;
    Com<IUnknown> enumerator;
    Com<IEnumVARIANT> elements;
    if (FAILED(Got(collection->get__NewEnum(enumerator.put()), enumerator)) ||
        FAILED(enumerator->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(elements.put()))) ||
        !elements)
      return false;
    for (;;) {
      Variant element;
      ULONG fetched = 0;
      HRESULT hr = elements->Next(1, &element.v, &fetched);
      if (FAILED(hr)) return false;
      if (fetched == 0) return true;
      FirewallApplication application;
      if (ReadApplication(element.v, &application)) applications->push_back(std::move(application));
      if (hr != S_OK) return true;
    }
  }

  HRESULT Add(const NewFirewallApplication& application) override {
    Com<INetFwProfile> profile;
    HRESULT hr = OpenProfile(&profile);
    if (FAILED(hr)) return hr;
    Com<INetFwAuthorizedApplication> added;
    hr = CreateByProgId(L"HNetCfg.FwAuthorizedApplication", &added);
    if (FAILED(hr)) return hr;
    // A property the object refuses keeps its default; the others are still set.
    added->put_Name(Bstr(application.name).get());
    added->put_IpVersion(static_cast<NET_FW_IP_VERSION>(application.ipVersion));
    added->put_ProcessImageFileName(Bstr(application.processImageFileName).get());
    added->put_RemoteAddresses(Bstr(application.remoteAddresses).get());
    added->put_Scope(static_cast<NET_FW_SCOPE>(application.scope));
    added->put_Enabled(application.enabled ? VARIANT_TRUE : VARIANT_FALSE);
    Com<INetFwAuthorizedApplications> collection;
    hr = ApplicationsOf(profile.get(), &collection);
    if (FAILED(hr)) return hr;
    return collection->Add(added.get());
  }

  HRESULT Remove(const std::string& path) override {
    Com<INetFwProfile> profile;
    Com<INetFwAuthorizedApplications> collection;
    HRESULT hr = OpenProfile(&profile);
    if (SUCCEEDED(hr)) hr = ApplicationsOf(profile.get(), &collection);
    if (FAILED(hr)) return hr;
    return collection->Remove(Bstr(path).get());
  }
};

}  // namespace

Firewall& Firewall::Real() {
  static RealFirewall real;
  return real;
}

}  // namespace platform
