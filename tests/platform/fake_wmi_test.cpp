// The scripted WMI's own rules: scripts match without regard to case, the latest wins, and
// a call nobody scripted fails the test.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/fake_wmi.h"

namespace {

TEST(FakeWmi, AnswersScriptedCallsAndFailsTheTestOnOthers) {
  FakeWmi fake;
  platform::Override<platform::Wmi> use(fake);
  fake.ScriptQuery("root\\cimv2", "Select * from Win32_BIOS", {FakeWmi::Row({{"Name", std::string("old")}})});
  fake.ScriptQuery("ROOT\\CIMV2", "SELECT * FROM Win32_BIOS", {FakeWmi::Row({{"Name", std::string("new")}})},
                   static_cast<HRESULT>(WBEM_E_FAILED));
  std::vector<platform::WmiObject> rows;
  EXPECT_EQ(platform::wmi().Query("root\\cimv2", "select * from win32_bios", &rows),
            static_cast<HRESULT>(WBEM_E_FAILED));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(std::get<std::string>(*rows[0].Find("name")), "new");

  HRESULT hr = S_OK;
  EXPECT_NONFATAL_FAILURE(hr = platform::wmi().Query("root\\cimv2", "Select * from Win32_Fan", &rows),
                          "Select * from Win32_Fan");
  EXPECT_EQ(hr, static_cast<HRESULT>(WBEM_E_FAILED));
  platform::WmiObject out;
  EXPECT_NONFATAL_FAILURE(hr = platform::wmi().CallMethod("root\\default", "StdRegProv", "EnumKey", {}, &out),
                          "StdRegProv.EnumKey");
  ASSERT_EQ(fake.Queries().size(), 2u);
  ASSERT_EQ(fake.Methods().size(), 1u);
  EXPECT_EQ(fake.Methods()[0].method, "EnumKey");
}

}  // namespace
