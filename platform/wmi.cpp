#include "platform/wmi.h"

#include <objbase.h>
#include <oleauto.h>
#include <wbemcli.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/com.h"

namespace platform {
namespace {

constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(WBEM_E_TYPE_MISMATCH);

bool ParseWhole(const std::string& text, int64_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long n = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return false;
  *value = n;
  return true;
}

std::string BoolText(bool b) { return b ? "True" : "False"; }

// ---- values from WMI

// A scalar VARIANT as WMI gives it for a property of `cimType` (without the array flag).
// False for what has no place in a WmiValue (embedded objects).
bool FromScalar(const VARIANT& v, CIMTYPE cimType, WmiValue* value) {
  switch (V_VT(&v)) {
    case VT_EMPTY:
    case VT_NULL: *value = std::monostate{}; return true;
    case VT_BOOL: *value = V_BOOL(&v) != VARIANT_FALSE; return true;
    case VT_I1: *value = int64_t{V_I1(&v)}; return true;
    case VT_UI1: *value = int64_t{V_UI1(&v)}; return true;
    case VT_I2: *value = int64_t{V_I2(&v)}; return true;
    case VT_UI2: *value = int64_t{V_UI2(&v)}; return true;
    case VT_I4:
    case VT_INT:
      // WMI carries uint32 in a signed 4-byte VARIANT.
      if (cimType == CIM_UINT32) *value = int64_t{static_cast<uint32_t>(V_I4(&v))};
      else *value = int64_t{V_I4(&v)};
      return true;
    case VT_UI4:
    case VT_UINT: *value = int64_t{V_UI4(&v)}; return true;
    case VT_I8: *value = int64_t{V_I8(&v)}; return true;
    case VT_UI8: *value = static_cast<int64_t>(V_UI8(&v)); return true;
    case VT_R4: *value = double{V_R4(&v)}; return true;
    case VT_R8: *value = V_R8(&v); return true;
    case VT_BSTR: {
      std::string text = AnsiFromBstr(V_BSTR(&v));
      int64_t whole = 0;
      // 64-bit numbers come as text.
      if ((cimType == CIM_SINT64 || cimType == CIM_UINT64) && ParseWhole(text, &whole)) {
        *value = whole;
      } else {
        *value = std::move(text);
      }
      return true;
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: return false;
    default: {
      Variant text;
      if (FAILED(VariantChangeType(&text.v, const_cast<VARIANT*>(&v), 0, VT_BSTR))) return false;
      *value = AnsiFromBstr(V_BSTR(&text.v));
      return true;
    }
  }
}

std::string ScalarText(const WmiValue& value) {
  if (auto* b = std::get_if<bool>(&value)) return BoolText(*b);
  if (auto* n = std::get_if<int64_t>(&value)) return std::to_string(*n);
  if (auto* s = std::get_if<std::string>(&value)) return *s;
  if (auto* d = std::get_if<double>(&value)) {
    Variant number, text;
    V_VT(&number.v) = VT_R8;
    V_R8(&number.v) = *d;
    if (SUCCEEDED(VariantChangeType(&text.v, &number.v, 0, VT_BSTR))) return AnsiFromBstr(V_BSTR(&text.v));
  }
  return "";
}

bool FromVariant(const VARIANT& v, CIMTYPE cimType, WmiValue* value) {
  if (!(V_VT(&v) & VT_ARRAY)) return FromScalar(v, cimType & ~CIM_FLAG_ARRAY, value);
  SAFEARRAY* array = V_ARRAY(&v);
  VARTYPE elementType = V_VT(&v) & VT_TYPEMASK;
  std::vector<std::string> texts;
  LONG lower = 0, upper = -1;
  if (array && SafeArrayGetDim(array) == 1) {
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
  }
  for (LONG i = lower; i <= upper; ++i) {
    Variant element;
    if (elementType == VT_VARIANT) {
      if (FAILED(SafeArrayGetElement(array, &i, &element.v))) continue;
    } else {
      V_VT(&element.v) = elementType;
      if (FAILED(SafeArrayGetElement(array, &i, &V_UI1(&element.v)))) {
        V_VT(&element.v) = VT_EMPTY;
        continue;
      }
    }
    WmiValue scalar;
    if (FromScalar(element.v, cimType & ~CIM_FLAG_ARRAY, &scalar)) texts.push_back(ScalarText(scalar));
  }
  *value = std::move(texts);
  return true;
}

void ReadObject(IWbemClassObject* object, WmiObject* out) {
  SAFEARRAY* names = nullptr;
  if (FAILED(object->GetNames(nullptr, WBEM_FLAG_ALWAYS, nullptr, &names)) || !names) return;
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(names, 1, &lower);
  SafeArrayGetUBound(names, 1, &upper);
  for (LONG i = lower; i <= upper; ++i) {
    BSTR name = nullptr;
    if (FAILED(SafeArrayGetElement(names, &i, &name)) || !name) continue;
    Variant v;
    CIMTYPE type = CIM_EMPTY;
    WmiValue value;
    if (SUCCEEDED(object->Get(name, 0, &v.v, &type, nullptr)) && FromVariant(v.v, type, &value)) {
      out->properties[AnsiFromBstr(name)] = std::move(value);
    }
    SysFreeString(name);
  }
  SafeArrayDestroy(names);
}

// ---- values to WMI

// The VARIANT type WMI expects for a scalar of `cimType`.
VARTYPE VariantTypeOf(CIMTYPE cimType) {
  switch (cimType) {
    case CIM_SINT8:
    case CIM_SINT16:
    case CIM_CHAR16: return VT_I2;
    case CIM_UINT8: return VT_UI1;
    case CIM_UINT16:
    case CIM_SINT32:
    case CIM_UINT32: return VT_I4;
    case CIM_REAL32: return VT_R4;
    case CIM_REAL64: return VT_R8;
    case CIM_BOOLEAN: return VT_BOOL;
    default: return VT_BSTR;  // texts, dates, references and 64-bit numbers
  }
}

bool IsWholeType(CIMTYPE cimType) {
  switch (cimType) {
    case CIM_SINT8: case CIM_UINT8: case CIM_SINT16: case CIM_UINT16: case CIM_CHAR16:
    case CIM_SINT32: case CIM_UINT32: case CIM_SINT64: case CIM_UINT64:
      return true;
    default:
      return false;
  }
}

HRESULT ToScalar(const WmiValue& value, CIMTYPE cimType, VARIANT* out) {
  VariantInit(out);
  if (std::holds_alternative<std::monostate>(value)) {
    V_VT(out) = VT_NULL;
    return S_OK;
  }
  int64_t whole = 0;
  bool isWhole = false;
  if (auto* n = std::get_if<int64_t>(&value)) {
    whole = *n;
    isWhole = true;
  } else if (auto* s = std::get_if<std::string>(&value); s && IsWholeType(cimType)) {
    isWhole = ParseWhole(*s, &whole);
  }
  if (isWhole && IsWholeType(cimType)) {
    if (cimType == CIM_SINT64 || cimType == CIM_UINT64) {
      Bstr text(std::to_string(whole));
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = SysAllocString(text.get());
      return V_BSTR(out) ? S_OK : E_OUTOFMEMORY;
    }
    // 32-bit numbers travel in the signed VARIANT bit for bit, so a registry root such as
    // 0x80000002 fits whether the provider declares the parameter signed or unsigned.
    if (cimType == CIM_UINT32 || cimType == CIM_SINT32) {
      if (whole < INT32_MIN || whole > 0xFFFFFFFFLL) return kTypeMismatch;
      V_VT(out) = VT_I4;
      V_I4(out) = static_cast<LONG>(static_cast<uint32_t>(whole));
      return S_OK;
    }
    V_VT(out) = VT_I8;
    V_I8(out) = whole;
  } else if (auto* b = std::get_if<bool>(&value)) {
    V_VT(out) = VT_BOOL;
    V_BOOL(out) = *b ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (auto* d = std::get_if<double>(&value)) {
    V_VT(out) = VT_R8;
    V_R8(out) = *d;
  } else if (auto* s = std::get_if<std::string>(&value)) {
    Bstr text(*s);
    V_VT(out) = VT_BSTR;
    V_BSTR(out) = SysAllocString(text.get());
  } else if (isWhole) {
    V_VT(out) = VT_I8;
    V_I8(out) = whole;
  } else {
    return kTypeMismatch;
  }
  VARTYPE wanted = cimType == CIM_EMPTY ? V_VT(out) : VariantTypeOf(cimType);
  if (V_VT(out) == wanted) return S_OK;
  HRESULT hr = VariantChangeType(out, out, 0, wanted);
  return FAILED(hr) ? kTypeMismatch : S_OK;
}

HRESULT ToVariant(const WmiValue& value, CIMTYPE cimType, VARIANT* out) {
  auto* texts = std::get_if<std::vector<std::string>>(&value);
  if (!texts) return ToScalar(value, cimType & ~CIM_FLAG_ARRAY, out);
  CIMTYPE elementCim = cimType & ~CIM_FLAG_ARRAY;
  VARTYPE elementType = elementCim == CIM_EMPTY ? VARTYPE{VT_BSTR} : VariantTypeOf(elementCim);
  VariantInit(out);
  SAFEARRAY* array = SafeArrayCreateVector(elementType, 0, static_cast<ULONG>(texts->size()));
  if (!array) return E_OUTOFMEMORY;
  for (LONG i = 0; i < static_cast<LONG>(texts->size()); ++i) {
    Variant element;
    HRESULT hr = ToScalar(WmiValue{(*texts)[i]}, elementCim, &element.v);
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      return hr;
    }
    void* data = elementType == VT_BSTR ? static_cast<void*>(V_BSTR(&element.v))
                                        : static_cast<void*>(&V_UI1(&element.v));
    SafeArrayPutElement(array, &i, data);
  }
  V_VT(out) = VT_ARRAY | elementType;
  V_ARRAY(out) = array;
  return S_OK;
}

// ---- the connection

std::string NormalisedNamespace(std::string nameSpace) {
  for (char& c : nameSpace) {
    if (c == '/') c = '\\';
  }
  return nameSpace;
}

HRESULT Connect(const std::string& nameSpace, Com<IWbemServices>* services) {
  EnsureCom();
  Com<IWbemLocator> locator;
  HRESULT hr = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(locator.put()));
  if (FAILED(hr)) return hr;
  Bstr path(NormalisedNamespace(nameSpace));
  hr = locator->ConnectServer(path.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                              services->put());
  if (FAILED(hr)) return hr;
  // Calls impersonate the user, as the scripting monikers do; an in-process provider has
  // no proxy to set this on, which is fine.
  CoSetProxyBlanket(services->get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                    RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  return S_OK;
}

// The class of a relative object path: "Win32_Service.Name='x'" gives "Win32_Service".
std::string ClassOf(const std::string& objectPath) {
  return objectPath.substr(0, objectPath.find_first_of(".="));
}

class RealWmi final : public Wmi {
 public:
  HRESULT Query(const std::string& nameSpace, const std::string& wql,
                std::vector<WmiObject>* rows) override {
    Com<IWbemServices> services;
    HRESULT hr = Connect(nameSpace, &services);
    if (FAILED(hr)) return hr;
    Com<IEnumWbemClassObject> items;
    Bstr language("WQL"), query(wql);
    hr = services->ExecQuery(language.get(), query.get(),
                             WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY, nullptr,
                             items.put());
    if (FAILED(hr)) return hr;
    CoSetProxyBlanket(items.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                      RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    for (;;) {
      Com<IWbemClassObject> item;
      ULONG returned = 0;
      hr = items->Next(WBEM_INFINITE, 1, item.put(), &returned);
      if (FAILED(hr)) return hr;
      if (returned == 0 || !item) return S_OK;
      WmiObject row;
      ReadObject(item.get(), &row);
      rows->push_back(std::move(row));
    }
  }

  HRESULT CallMethod(const std::string& nameSpace, const std::string& objectPath,
                     const std::string& method, const std::map<std::string, WmiValue>& in,
                     WmiObject* out) override {
    Com<IWbemServices> services;
    HRESULT hr = Connect(nameSpace, &services);
    if (FAILED(hr)) return hr;
    // The class first: a method called on a class that does not exist can take the whole
    // process down with some providers.
    Com<IWbemClassObject> classObject;
    Bstr className(ClassOf(objectPath));
    hr = services->GetObject(className.get(), 0, nullptr, classObject.put(), nullptr);
    if (FAILED(hr)) return hr;
    if (!classObject) return WBEM_E_NOT_FOUND;
    Bstr methodName(method);
    Com<IWbemClassObject> signature;
    hr = classObject->GetMethod(methodName.get(), 0, signature.put(), nullptr);
    if (FAILED(hr)) return hr;
    Com<IWbemClassObject> parameters;
    if (!in.empty()) {
      if (!signature) return WBEM_E_INVALID_PARAMETER;
      hr = signature->SpawnInstance(0, parameters.put());
      if (FAILED(hr)) return hr;
      for (const auto& [name, value] : in) {
        Bstr parameterName(name);
        CIMTYPE type = CIM_EMPTY;
        hr = signature->Get(parameterName.get(), 0, nullptr, &type, nullptr);
        if (FAILED(hr)) return hr;
        Variant v;
        hr = ToVariant(value, type, &v.v);
        if (FAILED(hr)) return hr;
        hr = parameters->Put(parameterName.get(), 0, &v.v, 0);
        if (FAILED(hr)) return hr;
      }
    }
    Bstr path(objectPath);
    Com<IWbemClassObject> results;
    hr = services->ExecMethod(path.get(), methodName.get(), 0, nullptr, parameters.get(),
                              results.put(), nullptr);
    if (results && out) ReadObject(results.get(), out);
    return hr;
  }
};

}  // namespace

Wmi& Wmi::Real() {
  static RealWmi real;
  return real;
}

}  // namespace platform
