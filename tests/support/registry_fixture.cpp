#include "registry_fixture.h"

#include <gtest/gtest.h>

#include "platform/registry.h"

namespace {
constexpr const char* kTestsKey = "Software\\QuenvorTests";
}

void DeleteRegistryTree(HKEY root, const std::string& path, REGSAM mask) {
  std::vector<std::string> children;
  {
    platform::RegKey key(root, path, KEY_ENUMERATE_SUB_KEYS | platform::RegistryView(mask));
    if (!key) return;
    children = key.EnumSubkeys();
  }
  for (const std::string& child : children) DeleteRegistryTree(root, path + "\\" + child, mask);
  platform::RegKey::DeleteKey(root, path, mask);
}

ScopedTestKey::ScopedTestKey(HKEY root) : root_(root) {
  static int counter = 0;
  std::string name = "key";
  if (const auto* test = testing::UnitTest::GetInstance()->current_test_info())
    name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name)
    if (c == '\\' || c == '/') c = '_';  // parameterised test names carry slashes
  path_ = std::string(kTestsKey) + "\\" + name + "." + std::to_string(GetCurrentProcessId()) +
          "." + std::to_string(++counter);
  DeleteRegistryTree(root_, path_, KEY_WOW64_64KEY);
  DeleteRegistryTree(root_, path_, KEY_WOW64_32KEY);
  EXPECT_TRUE(platform::RegKey::Create(root_, path_, KEY_WOW64_64KEY).IsOpen())
      << "cannot create the test key " << path_;
}

ScopedTestKey::~ScopedTestKey() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    DeleteRegistryTree(root_, path_, view);
    platform::RegKey::DeleteKey(root_, kTestsKey, view);  // only when no other test key is left
  }
}
