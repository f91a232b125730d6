// The known-services table: one row per service with its three presets, checked for the
// mistakes a hand-kept table invites (a lost or doubled row, a row out of order, a code
// typed in the wrong column).
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <set>
#include <string>

#include "services/KnownServices.h"

namespace {

using services::kKnownServices;
using services::Preset;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST(KnownServices, EveryServiceOnceInDisplayNameOrder) {
  ASSERT_EQ(std::size(kKnownServices), 144u);
  EXPECT_STREQ(kKnownServices[0].key, "AxInstSV");
  EXPECT_STREQ(kKnownServices[143].displayName, "WWAN AutoConfig");
  std::set<std::string> keys, names;
  for (size_t i = 0; i < std::size(kKnownServices); ++i) {
    const auto& service = kKnownServices[i];
    SCOPED_TRACE(service.key);
    EXPECT_TRUE(keys.insert(Lower(service.key)).second) << "key twice";
    EXPECT_TRUE(names.insert(Lower(service.displayName)).second) << "display name twice";
    if (i > 0) {
      EXPECT_LT(Lower(kKnownServices[i - 1].displayName), Lower(service.displayName))
          << "out of order after " << kKnownServices[i - 1].displayName;
    }
  }
}

TEST(KnownServices, EachPresetGivesTheCountsOfItsCodes) {
  struct Case {
    Preset preset;
    std::array<int, 4> counts;  // automatic, manual, disabled, delayed automatic
  };
  const Case cases[] = {
      {Preset::Default, {38, 97, 4, 5}},
      {Preset::Tweaked, {37, 42, 61, 4}},
      {Preset::Safe, {38, 79, 23, 4}},
      {Preset::SilentSafe, {35, 82, 23, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.preset));
    std::array<int, 4> counts{};
    for (const auto& service : kKnownServices) {
      int code = service.Code(c.preset);
      ASSERT_TRUE(code >= 1 && code <= 4) << service.key;
      ++counts[code - 1];
    }
    EXPECT_EQ(counts, c.counts);
  }
}

TEST(KnownServices, TheSilentSafeListDiffersOnlyInThreeNetworkServices) {
  std::set<std::string> differ;
  for (const auto& service : kKnownServices) {
    if (service.Code(Preset::SilentSafe) != service.Code(Preset::Safe)) {
      differ.insert(service.key);
      EXPECT_EQ(service.Code(Preset::Safe), services::kAutomatic) << service.key;
      EXPECT_EQ(service.Code(Preset::SilentSafe), services::kManual) << service.key;
    }
  }
  EXPECT_EQ(differ, (std::set<std::string>{"Browser", "Netman", "fdPHost"}));
}

}  // namespace
