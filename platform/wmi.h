#pragma once
// WMI through the native interfaces (IWbemLocator / IWbemServices). A seam, because Wine
// lacks classes, properties and methods that Windows has, and some queries crash or hang
// it: tests replace it with a fake that can return any rows, missing or null properties
// and method results.
//
// The real implementation initialises COM on the calling thread (a single-threaded
// apartment) the first time that thread uses it, and leaves it initialised for the rest
// of the program; it is meant for the user-interface thread.
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
//
// How WMI's values arrive here: whole numbers of every size are numbers with their
// unsigned values intact (a uint32 above 2^31 stays positive; 64-bit numbers, which WMI
// hands over as text, become numbers too); dates, references and texts are texts; arrays
// of any element type are arrays of texts (numbers in decimal, booleans "True"/"False");
// embedded objects are left out.
using WmiValue = std::variant<std::monostate, bool, int64_t, double, std::string,
                              std::vector<std::string>>;

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  }
};

// One instance, or the output parameters of a method: every property, system properties
// (__CLASS, __PATH, __RELPATH ...) included, by name without regard to case.
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
  // Runs a WQL query in a namespace ("root\\cimv2", "root\\default"; "/" may stand for
  // "\\") and returns every row. A failure (connection, query or enumeration) gives its
  // HRESULT; rows read before an enumeration failure are kept.
  virtual HRESULT Query(const std::string& nameSpace, const std::string& wql,
                        std::vector<WmiObject>* rows) = 0;
  // Calls a method on a relative object path ("StdRegProv", "Win32_Service.Name='x'")
  // with input parameters (each converted to the type the method declares for it; a
  // 32-bit parameter takes any number from -2^31 to 2^32 - 1, bit for bit); `out`
  // receives the output parameters, ReturnValue included, when the method gives any.
  // The object's class is looked up first: a class that does not exist gives its error
  // without the method being called.
  virtual HRESULT CallMethod(const std::string& nameSpace, const std::string& objectPath,
                             const std::string& method,
                             const std::map<std::string, WmiValue>& in, WmiObject* out) = 0;

  static Wmi& Real();
};

inline Wmi& wmi() { return Seam<Wmi>::Get(); }

}  // namespace platform
