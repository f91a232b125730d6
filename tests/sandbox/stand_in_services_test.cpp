// The sandbox's stand-in services (scripts/lib/stand_in_install.*), made in the test
// prefix's service manager from a table of the test's own: what the table holds and the
// machine lacks is made, and a service of the table the machine was given before is never
// made again, so a service the user deleted stays deleted when the table grows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "scripts/lib/stand_in_install.h"

namespace {

class StandInServices : public testing::Test {
 protected:
  void SetUp() override {
    manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager_, nullptr) << GetLastError();
    const std::string stem = "QuenvorStandIn" + std::to_string(GetCurrentProcessId());
    for (const char* letter : {"A", "B", "C"}) names_.push_back(stem + letter);
    table_ = {{names_[0].c_str(), "Stand-in A", services::kManual, 0, 0},
              {names_[1].c_str(), "Stand-in B", services::kDelayedAutomatic, 0, 0},
              {names_[2].c_str(), "Stand-in C", services::kDisabled, 0, 0}};
  }
  void TearDown() override {
    for (const std::string& name : names_) Delete(name);
    if (manager_) CloseServiceHandle(manager_);
  }

  bool Exists(const std::string& name) {
    SC_HANDLE service = OpenServiceA(manager_, name.c_str(), SERVICE_QUERY_STATUS);
    if (service) CloseServiceHandle(service);
    return service != nullptr;
  }
  DWORD StartType(const std::string& name) {
    SC_HANDLE service = OpenServiceA(manager_, name.c_str(), SERVICE_QUERY_CONFIG);
    if (!service) return 0;
    std::vector<BYTE> buffer(8192);
    DWORD needed = 0;
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    const DWORD type =
        QueryServiceConfigA(service, config, static_cast<DWORD>(buffer.size()), &needed) ? config->dwStartType : 0;
    CloseServiceHandle(service);
    return type;
  }
  void Delete(const std::string& name) {
    if (SC_HANDLE service = OpenServiceA(manager_, name.c_str(), DELETE)) {
      DeleteService(service);
      CloseServiceHandle(service);
    }
  }
  standin::InstallCount Install(size_t tableSize, const std::string& offered) {
    std::string errors;
    auto count = standin::Install(manager_, std::span(table_.data(), tableSize),
                                  standin::ParseTable(offered), "C:\\stand_in_services.exe", errors);
    EXPECT_EQ(errors, "");
    return count;
  }

  SC_HANDLE manager_ = nullptr;
  std::vector<std::string> names_;
  std::vector<services::KnownService> table_;
};

TEST_F(StandInServices, OnlyServicesNewToTheTableAreMade) {
  // A new machine: every service of the table is made, with Windows 7's start type.
  auto first = Install(2, "");
  EXPECT_EQ(first.made, 2);
  ASSERT_TRUE(Exists(names_[0]));
  EXPECT_EQ(StartType(names_[0]), static_cast<DWORD>(SERVICE_DEMAND_START));
  EXPECT_EQ(StartType(names_[1]), static_cast<DWORD>(SERVICE_AUTO_START));
  const std::string given = standin::TableText(std::span(table_.data(), 2));

  // The user deletes one; the table of the next run is the same, then has one more service.
  Delete(names_[0]);
  ASSERT_FALSE(Exists(names_[0]));
  auto same = Install(2, given);
  EXPECT_EQ(same.made, 0);
  EXPECT_EQ(same.kept, 2);
  EXPECT_FALSE(Exists(names_[0])) << "the service the user deleted is back";

  auto grown = Install(3, given);
  EXPECT_EQ(grown.made, 1);
  EXPECT_TRUE(Exists(names_[2]));
  EXPECT_EQ(StartType(names_[2]), static_cast<DWORD>(SERVICE_DISABLED));
  EXPECT_FALSE(Exists(names_[0])) << "the service the user deleted is back";

  // A service the machine has already is left as it is.
  auto there = Install(3, names_[1] + "\n");
  EXPECT_EQ(there.there, 1);
  EXPECT_EQ(there.made, 1);
  EXPECT_TRUE(Exists(names_[0]));
}

}  // namespace
