#pragma once
// WMI through the native interfaces (IWbemLocator / IWbemServices). A seam, because Wine
// lacks classes, properties and methods that Windows has, and some queries crash or hang
// it: tests replace it with a fake that can return any rows, missing or null properties
// and method results.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "platform/seam.h"

namespace platform {

// A property's value: Null, or a boolean, a whole number, a real number, a text, or an
// array of texts. A property an object lacks is absent from its map.
using WmiValue = std::variant<std::monostate, bool, int64_t, double, std::string,
                              std::vector<std::string>>;

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  }
};

struct WmiObject {
  std::map<std::string, WmiValue, CaseInsensitiveLess> properties;
  const WmiValue* Find(const std::string& name) const {
    auto it = properties.find(name);
    return it == properties.end() ? nullptr : &it->second;
  }
};

class Wmi {
 public:
  virtual ~Wmi() = default;
  // Runs a WQL query in a namespace ("root\\cimv2", "root\\default") and returns every row.
  // A failure (connection, query or enumeration) gives its HRESULT; rows read before an
  // enumeration failure are kept.
  virtual HRESULT Query(const std::string& nameSpace, const std::string& wql,
                        std::vector<WmiObject>* rows) = 0;
  // Calls a method on an object path ("StdRegProv", "Win32_Service.Name='x'") with input
  // parameters; `out` receives the output parameters (ReturnValue included).
  virtual HRESULT CallMethod(const std::string& nameSpace, const std::string& objectPath,
                             const std::string& method,
                             const std::map<std::string, WmiValue>& in, WmiObject* out) = 0;

  static Wmi& Real();
};

// Stand-in until the WMI implementation is merged: every query and call fails. The
// implementation's own Wmi::Real() replaces these lines (defining it twice does not
// compile, so the stand-in cannot outlive it).
inline Wmi& Wmi::Real() {
  struct Unavailable final : Wmi {
    HRESULT Query(const std::string&, const std::string&, std::vector<WmiObject>*) override {
      return E_NOTIMPL;
    }
    HRESULT CallMethod(const std::string&, const std::string&, const std::string&,
                       const std::map<std::string, WmiValue>&, WmiObject*) override {
      return E_NOTIMPL;
    }
  };
  static Unavailable unavailable;
  return unavailable;
}

inline Wmi& wmi() { return Seam<Wmi>::Get(); }

}  // namespace platform
