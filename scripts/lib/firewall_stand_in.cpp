// Stand-in firewall objects for the sandbox. Wine's own firewall manager ("HNetCfg.FwMgr")
// is a stub: its authorized applications can be neither counted nor listed, and additions
// and removals are taken without changing anything. scripts/run registers this library in
// the sandbox prefix, for 32-bit programs, in place of Wine's firewall manager and
// authorized-application classes, so that a program there lists, adds and removes
// authorized applications as on Windows 7. The program itself still creates the system's
// objects by their names.
//
// Only what the legacy authorized-applications interface needs is served: the manager's
// local policy, its current profile (one list for every profile) and that profile's
// applications. Each application's name and program file are kept in the registry of the
// prefix (kStore: value name = program file, data = name); its other properties are held
// by the object only. The rest of the interfaces, and late binding through IDispatch, is
// not implemented.
#include <windows.h>
#include <oleauto.h>
// The firewall classes' identifiers are defined here: no import library holds them.
#include <initguid.h>
#include <netfw.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kStore[] = L"Software\\Quenvor Sandbox\\Firewall\\AuthorizedApplications";
constexpr HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

HMODULE module = nullptr;
LONG objects = 0;  // objects and locks alive: the library may be unloaded at 0

// ---------------------------------------------------------------- the kept list

struct Kept {
  std::wstring path;
  std::wstring name;
};

// Every kept application in the registry's order; false when the store cannot be read (a
// store that is not there yet is an empty list).
bool ReadStore(std::vector<Kept>* kept) {
  HKEY key;
  LONG rc = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStore, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key);
  if (rc == ERROR_FILE_NOT_FOUND) return true;
  if (rc != ERROR_SUCCESS) return false;
  bool ok = true;
  for (DWORD i = 0;; ++i) {
    wchar_t path[16384];
    DWORD pathLength = ARRAYSIZE(path), type = 0, bytes = 0;
    rc = RegEnumValueW(key, i, path, &pathLength, nullptr, &type, nullptr, &bytes);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) { ok = false; break; }
    if (type != REG_SZ) continue;
    std::wstring name(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, path, nullptr, &type, reinterpret_cast<BYTE*>(name.data()), &size) != ERROR_SUCCESS) {
      ok = false;
      break;
    }
    name.resize(wcsnlen(name.c_str(), size / sizeof(wchar_t)));
    kept->push_back({path, name});
  }
  RegCloseKey(key);
  return ok;
}

HRESULT Keep(const std::wstring& path, const std::wstring& name) {
  HKEY key;
  LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kStore, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                            &key, nullptr);
  if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  rc = RegSetValueExW(key, path.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                      static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return HRESULT_FROM_WIN32(rc);
}

HRESULT Forget(const std::wstring& path) {
  HKEY key;
  LONG rc = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStore, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key);
  if (rc == ERROR_SUCCESS) {
    rc = RegDeleteValueW(key, path.c_str());
    RegCloseKey(key);
  }
  return HRESULT_FROM_WIN32(rc);
}

// ---------------------------------------------------------------- objects

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

template <class T>
HRESULT Value(T value, T* out) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

// An object of interface I: reference counted, and counted among the library's objects.
template <class I>
class Counted : public I {
 public:
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(I) || AlsoServes(iid)) {
      *out = static_cast<I*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

 protected:
  Counted() { InterlockedIncrement(&objects); }
  virtual ~Counted() { InterlockedDecrement(&objects); }
  // An interface that I derives from, other than IUnknown, that the object is asked for.
  virtual bool AlsoServes(REFIID) const { return false; }

 private:
  LONG refs_ = 1;
};

// A dispatch object: the part of IDispatch that this library does not serve.
template <class I>
class Object : public Counted<I> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return Value<UINT>(0, count); }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 protected:
  bool AlsoServes(REFIID iid) const override { return iid == IID_IDispatch; }
};

// Hands a new object's only reference to *out.
template <class I, class T>
HRESULT Give(T* made, I** out) {
  if (!out) {
    made->Release();
    return E_POINTER;
  }
  *out = made;
  return S_OK;
}

class Application final : public Object<INetFwAuthorizedApplication> {
 public:
  Application() = default;
  Application(std::wstring path, std::wstring name) : path_(std::move(path)), name_(std::move(name)) {}

  STDMETHODIMP get_Name(BSTR* name) override { return Text(name_, name); }
  STDMETHODIMP put_Name(BSTR name) override { return Set(name, &name_); }
  STDMETHODIMP get_ProcessImageFileName(BSTR* path) override { return Text(path_, path); }
  STDMETHODIMP put_ProcessImageFileName(BSTR path) override { return Set(path, &path_); }
  STDMETHODIMP get_IpVersion(NET_FW_IP_VERSION* version) override { return Value(ipVersion_, version); }
  STDMETHODIMP put_IpVersion(NET_FW_IP_VERSION version) override {
    if (version != NET_FW_IP_VERSION_V4 && version != NET_FW_IP_VERSION_V6 && version != NET_FW_IP_VERSION_ANY)
      return E_INVALIDARG;
    ipVersion_ = version;
    return S_OK;
  }
  STDMETHODIMP get_Scope(NET_FW_SCOPE* scope) override { return Value(scope_, scope); }
  STDMETHODIMP put_Scope(NET_FW_SCOPE scope) override {
    if (scope != NET_FW_SCOPE_ALL && scope != NET_FW_SCOPE_LOCAL_SUBNET && scope != NET_FW_SCOPE_CUSTOM)
      return E_INVALIDARG;
    scope_ = scope;
    return S_OK;
  }
  STDMETHODIMP get_RemoteAddresses(BSTR* addresses) override { return Text(remoteAddresses_, addresses); }
  STDMETHODIMP put_RemoteAddresses(BSTR addresses) override { return Set(addresses, &remoteAddresses_); }
  STDMETHODIMP get_Enabled(VARIANT_BOOL* enabled) override { return Value(enabled_, enabled); }
  STDMETHODIMP put_Enabled(VARIANT_BOOL enabled) override {
    enabled_ = enabled ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

 private:
  static HRESULT Set(BSTR text, std::wstring* into) {
    if (!text || !*text) return E_INVALIDARG;
    into->assign(text, SysStringLen(text));
    return S_OK;
  }

  std::wstring path_, name_, remoteAddresses_ = L"*";
  NET_FW_IP_VERSION ipVersion_ = NET_FW_IP_VERSION_ANY;
  NET_FW_SCOPE scope_ = NET_FW_SCOPE_ALL;
  VARIANT_BOOL enabled_ = VARIANT_TRUE;
};

// The applications as they were kept when the enumerator was made.
class Elements final : public Counted<IEnumVARIANT> {
 public:
  explicit Elements(std::vector<Kept> kept, ULONG next = 0) : kept_(std::move(kept)), next_(next) {}

  STDMETHODIMP Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    for (; given < count && next_ < kept_.size(); ++given, ++next_) {
      VariantInit(&out[given]);
      V_VT(&out[given]) = VT_DISPATCH;
      V_DISPATCH(&out[given]) = new Application(kept_[next_].path, kept_[next_].name);
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    const ULONG left = static_cast<ULONG>(kept_.size()) - next_;
    next_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    next_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** out) override { return Give(new Elements(kept_, next_), out); }

 private:
  std::vector<Kept> kept_;
  ULONG next_;
};

class Applications final : public Object<INetFwAuthorizedApplications> {
 public:
  STDMETHODIMP get_Count(LONG* count) override {
    std::vector<Kept> kept;
    if (!ReadStore(&kept)) return E_FAIL;
    return Value(static_cast<LONG>(kept.size()), count);
  }
  // An application of a program file that is kept already takes the new name.
  STDMETHODIMP Add(INetFwAuthorizedApplication* app) override {
    if (!app) return E_POINTER;
    BSTR path = nullptr, name = nullptr;
    HRESULT hr = app->get_ProcessImageFileName(&path);
    if (SUCCEEDED(hr)) hr = app->get_Name(&name);
    if (SUCCEEDED(hr)) {
      if (!path || !*path || !name || !*name) hr = E_INVALIDARG;
      else hr = Keep(std::wstring(path, SysStringLen(path)), std::wstring(name, SysStringLen(name)));
    }
    SysFreeString(path);
    SysFreeString(name);
    return hr;
  }
  STDMETHODIMP Remove(BSTR path) override {
    if (!path || !*path) return E_INVALIDARG;
    return Forget(std::wstring(path, SysStringLen(path)));
  }
  STDMETHODIMP Item(BSTR path, INetFwAuthorizedApplication** app) override {
    if (!app) return E_POINTER;
    *app = nullptr;
    if (!path) return E_INVALIDARG;
    std::vector<Kept> kept;
    if (!ReadStore(&kept)) return E_FAIL;
    for (const Kept& k : kept)
      if (CompareStringOrdinal(k.path.c_str(), -1, path, -1, TRUE) == CSTR_EQUAL)
        return Give(new Application(k.path, k.name), app);
    return kNotFound;
  }
  STDMETHODIMP get__NewEnum(IUnknown** out) override {
    std::vector<Kept> kept;
    if (!ReadStore(&kept)) return E_FAIL;
    return Give(static_cast<IUnknown*>(new Elements(std::move(kept))), out);
  }
};

class Profile final : public Object<INetFwProfile> {
 public:
  STDMETHODIMP get_Type(NET_FW_PROFILE_TYPE* type) override { return Value(NET_FW_PROFILE_STANDARD, type); }
  STDMETHODIMP get_FirewallEnabled(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_FirewallEnabled(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_ExceptionsNotAllowed(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_ExceptionsNotAllowed(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_NotificationsDisabled(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_NotificationsDisabled(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_UnicastResponsesToMulticastBroadcastDisabled(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_UnicastResponsesToMulticastBroadcastDisabled(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_RemoteAdminSettings(INetFwRemoteAdminSettings**) override { return E_NOTIMPL; }
  STDMETHODIMP get_IcmpSettings(INetFwIcmpSettings**) override { return E_NOTIMPL; }
  STDMETHODIMP get_GloballyOpenPorts(INetFwOpenPorts**) override { return E_NOTIMPL; }
  STDMETHODIMP get_Services(INetFwServices**) override { return E_NOTIMPL; }
  STDMETHODIMP get_AuthorizedApplications(INetFwAuthorizedApplications** apps) override {
    return Give(new Applications, apps);
  }
};

class Policy final : public Object<INetFwPolicy> {
 public:
  STDMETHODIMP get_CurrentProfile(INetFwProfile** profile) override { return Give(new Profile, profile); }
  STDMETHODIMP GetProfileByType(NET_FW_PROFILE_TYPE, INetFwProfile**) override { return E_NOTIMPL; }
};

class Manager final : public Object<INetFwMgr> {
 public:
  STDMETHODIMP get_LocalPolicy(INetFwPolicy** policy) override { return Give(new Policy, policy); }
  STDMETHODIMP get_CurrentProfileType(NET_FW_PROFILE_TYPE* type) override {
    return Value(NET_FW_PROFILE_STANDARD, type);
  }
  STDMETHODIMP RestoreDefaults() override { return E_NOTIMPL; }
  STDMETHODIMP IsPortAllowed(BSTR, NET_FW_IP_VERSION, LONG, BSTR, NET_FW_IP_PROTOCOL, VARIANT*, VARIANT*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP IsIcmpTypeAllowed(NET_FW_IP_VERSION, BSTR, BYTE, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
};

// ---------------------------------------------------------------- class objects

template <class T>
class Factory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // One factory for the life of the library.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    T* made = new T;
    const HRESULT hr = made->QueryInterface(iid, out);
    made->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) InterlockedIncrement(&objects);
    else InterlockedDecrement(&objects);
    return S_OK;
  }
};

Factory<Manager> managers;
Factory<Application> applications;

const struct {
  const CLSID* clsid;
  const wchar_t* key;
} kClasses[] = {
    {&CLSID_NetFwMgr, L"CLSID\\{304CE942-6E39-40D8-943A-B913C40C9CD4}\\InprocServer32"},
    {&CLSID_NetFwAuthorizedApplication, L"CLSID\\{EC9846B3-2762-4A6B-A214-6ACB603462D2}\\InprocServer32"},
};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid == CLSID_NetFwMgr) return managers.QueryInterface(iid, out);
  if (clsid == CLSID_NetFwAuthorizedApplication) return applications.QueryInterface(iid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return objects == 0 ? S_OK : S_FALSE; }

// Makes this library the in-process server of both classes, in the registry view of the
// calling process (a 32-bit program registers it for 32-bit programs).
extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return E_FAIL;
  static const wchar_t kThreading[] = L"Both";
  for (const auto& c : kClasses) {
    HKEY key;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, c.key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    rc = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), (length + 1) * sizeof(wchar_t));
    if (rc == ERROR_SUCCESS)
      rc = RegSetValueExW(key, L"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(kThreading),
                          sizeof kThreading);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  }
  return S_OK;
}
