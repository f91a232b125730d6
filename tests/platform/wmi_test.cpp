// WMI through the native interfaces, for real under Wine. Only classes and calls that Wine
// serves without crashing or hanging are used here (see the notes on Wine's WMI).
#include <gtest/gtest.h>

#include <windows.h>
#include <wbemcli.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/wmi.h"
#include "support/registry_fixture.h"

namespace {

using platform::WmiObject;
using platform::WmiValue;

std::vector<WmiObject> Rows(const std::string& nameSpace, const std::string& wql, HRESULT* hr) {
  std::vector<WmiObject> rows;
  *hr = platform::wmi().Query(nameSpace, wql, &rows);
  return rows;
}

TEST(Wmi, AProcessorRowCarriesItsNameFoundWithoutRegardToCase) {
  HRESULT hr = E_FAIL;
  auto rows = Rows("root\\cimv2", "Select * from Win32_Processor", &hr);
  EXPECT_EQ(hr, S_OK);
  ASSERT_FALSE(rows.empty());
  const WmiValue* name = rows[0].Find("nAME");
  ASSERT_NE(name, nullptr);
  ASSERT_TRUE(std::holds_alternative<std::string>(*name));
  EXPECT_FALSE(std::get<std::string>(*name).empty());
  EXPECT_EQ(rows[0].Find("NoSuchProperty"), nullptr);
  EXPECT_EQ(std::get<std::string>(*rows[0].Find("__CLASS")), "Win32_Processor");
}

struct KindCase {
  const char* wql;
  const char* property;
  size_t kind;  // index into WmiValue
};

TEST(Wmi, ValuesArriveAsTheirKinds) {
  const KindCase cases[] = {
      {"Select * from Win32_Processor", "AddressWidth", 2},     // uint16: a number
      {"Select * from Win32_Processor", "UniqueId", 0},         // Null under Wine
      {"Select * from Win32_PhysicalMemory", "Capacity", 2},    // uint64, handed over as text
      {"Select * from Win32_OperatingSystem", "Primary", 1},    // boolean
      {"Select * from Win32_OperatingSystem", "Version", 4},    // text
      {"Select * from Win32_Processor", "__DERIVATION", 5},     // array of texts
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(std::string(c.wql) + " / " + c.property);
    HRESULT hr = E_FAIL;
    // The namespace may be written with either slash.
    auto rows = Rows("root/cimv2", c.wql, &hr);
    ASSERT_EQ(hr, S_OK);
    ASSERT_FALSE(rows.empty());
    const WmiValue* value = rows[0].Find(c.property);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->index(), c.kind);
  }
  HRESULT hr = E_FAIL;
  auto memory = Rows("root\\cimv2", "Select * from Win32_PhysicalMemory", &hr);
  ASSERT_FALSE(memory.empty());
  // The figure is whole, not cut at 32 bits: Wine reports the machine's memory here.
  MEMORYSTATUSEX status{.dwLength = sizeof(MEMORYSTATUSEX)};
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  EXPECT_EQ(static_cast<uint64_t>(std::get<int64_t>(*memory[0].Find("Capacity"))), status.ullTotalPhys);
}

TEST(Wmi, FailingQueriesGiveTheirErrorAndNoRows) {
  const std::pair<const char*, const char*> cases[] = {
      {"root\\cimv2", "Select from where"},                       // not WQL
      {"root\\NoSuchNamespace", "Select * from Win32_Processor"},  // no connection
  };
  for (auto [nameSpace, wql] : cases) {
    SCOPED_TRACE(wql);
    HRESULT hr = S_OK;
    auto rows = Rows(nameSpace, wql, &hr);
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_TRUE(rows.empty());
  }
}

class WmiMethodTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::RegKey::Create(key.Root(), key.Path(), 0).WriteString("Greeting", "hello");
  }
  HRESULT GetStringValue(const std::string& valueName, WmiObject* out) {
    // HKEY_CURRENT_USER as WMI numbers the roots: above 2^31.
    return platform::wmi().CallMethod("root\\default", "StdRegProv", "GetStringValue",
                                      {{"hDefKey", int64_t{0x80000001}},
                                       {"sSubKeyName", key.Path()},
                                       {"sValueName", valueName}},
                                      out);
  }
  ScopedTestKey key;
};

TEST_F(WmiMethodTest, InputParametersGoInAndOutputParametersComeBack) {
  WmiObject out;
  EXPECT_EQ(GetStringValue("Greeting", &out), S_OK);
  ASSERT_NE(out.Find("ReturnValue"), nullptr);
  EXPECT_EQ(std::get<int64_t>(*out.Find("ReturnValue")), 0);
  ASSERT_NE(out.Find("sValue"), nullptr);
  EXPECT_EQ(std::get<std::string>(*out.Find("sValue")), "hello");

  WmiObject missing;
  EXPECT_EQ(GetStringValue("NoSuchValue", &missing), S_OK);
  ASSERT_NE(missing.Find("ReturnValue"), nullptr);
  EXPECT_NE(std::get<int64_t>(*missing.Find("ReturnValue")), 0);
}

TEST_F(WmiMethodTest, CallsThatCannotBeMadeFailWithoutRunningAnything) {
  struct Case {
    const char* name;
    const char* path;
    const char* method;
    std::map<std::string, WmiValue> in;
  };
  const Case cases[] = {
      // A method on a missing class must not reach the provider (Wine's would crash).
      {"missing class", "Win32_NoSuchClass.Name='x'", "Delete", {}},
      {"missing method", "StdRegProv", "NoSuchMethod", {}},
      {"unknown parameter", "StdRegProv", "GetStringValue", {{"NoSuchParameter", int64_t{1}}}},
      {"number out of range", "StdRegProv", "GetStringValue", {{"hDefKey", int64_t{1} << 40}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WmiObject out;
    HRESULT hr = platform::wmi().CallMethod("root\\default", c.path, c.method, c.in, &out);
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_TRUE(out.properties.empty());
  }
}

}  // namespace
