// The categories on the test prefix's own WMI. Only classes that Wine serves safely.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sysinfo/Categories.h"
#include "sysinfo/InfoRows.h"

namespace {

using sysinfo::InfoRow;

const InfoRow* Find(const std::vector<InfoRow>& rows, const std::string& label) {
  for (const InfoRow& row : rows) {
    if (row.label == label) return &row;
  }
  return nullptr;
}

TEST(RealWmiCategories, WinesClassesListTheirRowsAndAMissingClassNone) {
  const std::string sep = "---------------------";

  auto processor = sysinfo::ReadCategory(sysinfo::kProcessorInfo);
  ASSERT_FALSE(processor.empty());
  EXPECT_EQ(processor.back().label, sep);
  ASSERT_NE(Find(processor, "Address Width: "), nullptr);
  EXPECT_TRUE(Find(processor, "Address Width: ")->value == "64" ||
              Find(processor, "Address Width: ")->value == "32");
  ASSERT_NE(Find(processor, "Name: "), nullptr);
  EXPECT_FALSE(Find(processor, "Name: ")->value.empty());

  auto bios = sysinfo::ReadCategory(sysinfo::kBiosInfo);
  ASSERT_NE(Find(bios, "Manufacturer: "), nullptr);
  EXPECT_EQ(Find(bios, "Manufacturer: ")->value, "The Wine Project");
  ASSERT_NE(Find(bios, "Release Date: "), nullptr);
  EXPECT_FALSE(Find(bios, "Release Date: ")->value.empty());

  auto os = sysinfo::ReadCategory(sysinfo::kOperatingSystemInfo);
  ASSERT_NE(Find(os, "Service Pack: "), nullptr);
  EXPECT_EQ(Find(os, "Service Pack: ")->value, "SP1");
  ASSERT_NE(Find(os, "Build Number: "), nullptr);
  EXPECT_EQ(Find(os, "Build Number: ")->value, "7601");
  ASSERT_NE(Find(os, "Install Date: "), nullptr);
  EXPECT_FALSE(Find(os, "Install Date: ")->value.empty());

  // Wine's monitors lack Availability: the other rows are there.
  auto monitor = sysinfo::ReadCategory(sysinfo::kMonitorInfo);
  ASSERT_FALSE(monitor.empty());
  EXPECT_EQ(Find(monitor, "Availability: "), nullptr);
  EXPECT_NE(Find(monitor, "Name: "), nullptr);
  EXPECT_EQ(monitor.back().label, sep);

  auto memory = sysinfo::ReadCategory(sysinfo::kPhysicalMemoryInfo);
  ASSERT_NE(Find(memory, "Capacity: "), nullptr);
  const std::string capacity = Find(memory, "Capacity: ")->value;
  ASSERT_GT(capacity.size(), 3u);
  EXPECT_EQ(capacity.substr(capacity.size() - 3), " MB");
  EXPECT_EQ((capacity[capacity.size() - 4] - '0') % 2, 0) << capacity;

  // Wine has no modems: the class gives no instance, and no row.
  EXPECT_TRUE(sysinfo::ReadCategory(sysinfo::kModemInfo).empty());
}

}  // namespace
