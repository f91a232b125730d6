// CIM DATETIME texts to dates: as written, and moved into local time.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "sysinfo/WmiDates.h"

namespace {

using platform::WmiValue;

struct Fields {
  int year, month, day, hour, minute, second;
};

std::string Show(const std::optional<SYSTEMTIME>& date) {
  if (!date) return "no value";
  char text[64];
  wsprintfA(text, "%04d-%02d-%02d %02d:%02d:%02d", date->wYear, date->wMonth, date->wDay,
            date->wHour, date->wMinute, date->wSecond);
  return text;
}

std::string Show(const Fields& f) {
  SYSTEMTIME date{};
  date.wYear = WORD(f.year), date.wMonth = WORD(f.month), date.wDay = WORD(f.day);
  date.wHour = WORD(f.hour), date.wMinute = WORD(f.minute), date.wSecond = WORD(f.second);
  return Show(std::optional<SYSTEMTIME>(date));
}

struct DateCase {
  const char* name;
  WmiValue value;
  std::optional<Fields> expected;
};

TEST(WmiDates, WMIDateToDateTakesTheFirstFourteenCharactersAsWritten) {
  const DateCase cases[] = {
      {"midnight", std::string("20100312000000.000000+000"), Fields{2010, 3, 12, 0, 0, 0}},
      {"fraction and offset unknown", std::string("20100312000000.******+***"), Fields{2010, 3, 12, 0, 0, 0}},
      {"offset ignored", std::string("20100312153045.500000-300"), Fields{2010, 3, 12, 15, 30, 45}},
      {"fourteen characters only", std::string("20100312153045"), Fields{2010, 3, 12, 15, 30, 45}},
      {"29 February of a leap year", std::string("20120229000000.000000+000"), Fields{2012, 2, 29, 0, 0, 0}},
      {"last second of a year", std::string("19991231235959.000000+000"), Fields{1999, 12, 31, 23, 59, 59}},
      {"asterisks in the time", std::string("20100312**0000.000000+000"), std::nullopt},
      {"month 13", std::string("20101312000000.000000+000"), std::nullopt},
      {"month 0", std::string("20100012000000.000000+000"), std::nullopt},
      {"30 February", std::string("20100230000000.000000+000"), std::nullopt},
      {"29 February of a century", std::string("21000229000000.000000+000"), std::nullopt},
      {"31 April", std::string("20100431000000.000000+000"), std::nullopt},
      {"hour 24", std::string("20100312240000.000000+000"), std::nullopt},
      {"minute 60", std::string("20100312006000.000000+000"), std::nullopt},
      {"thirteen characters", std::string("2010031200000"), std::nullopt},
      {"empty text", std::string(""), std::nullopt},
      {"a blank inside", std::string("2010 312000000.000000+000"), std::nullopt},
      {"Null", std::monostate{}, std::nullopt},
      {"a number", int64_t{20100312000000}, std::nullopt},
      {"a list", std::vector<std::string>{"20100312000000.000000+000"}, std::nullopt},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Show(WMIDateToDate(c.value)), c.expected ? Show(*c.expected) : "no value");
  }
}

// A zone five hours behind UTC with daylight time (one hour) from the second Sunday of
// March to the first Sunday of November, at 2:00.
TIME_ZONE_INFORMATION EasternZone() {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = 300;
  zone.StandardBias = 0;
  zone.DaylightBias = -60;
  zone.StandardDate.wMonth = 11;
  zone.StandardDate.wDayOfWeek = 0;
  zone.StandardDate.wDay = 1;
  zone.StandardDate.wHour = 2;
  zone.DaylightDate.wMonth = 3;
  zone.DaylightDate.wDayOfWeek = 0;
  zone.DaylightDate.wDay = 2;
  zone.DaylightDate.wHour = 2;
  return zone;
}

TEST(WmiDates, CimDateToLocalAppliesTheOffsetThenTheZonesRuleForThatDate) {
  const TIME_ZONE_INFORMATION zone = EasternZone();
  const DateCase cases[] = {
      // 14:00 UTC on 12 March 2010, two days before daylight time began: UTC-5.
      {"standard time", std::string("20100312150000.000000+060"), Fields{2010, 3, 12, 9, 0, 0}},
      // 12:00 UTC in July: UTC-4.
      {"daylight time", std::string("20100715120000.000000+000"), Fields{2010, 7, 15, 8, 0, 0}},
      {"negative offset", std::string("20100715120000.000000-240"), Fields{2010, 7, 15, 12, 0, 0}},
      {"into the day before", std::string("20100101020000.000000+000"), Fields{2009, 12, 31, 21, 0, 0}},
      {"into the next month", std::string("20100131220000.000000-600"), Fields{2010, 2, 1, 3, 0, 0}},
      {"unknown offset: local already", std::string("20100312150000.000000+***"), Fields{2010, 3, 12, 15, 0, 0}},
      {"no offset: local already", std::string("20100312150000"), Fields{2010, 3, 12, 15, 0, 0}},
      {"an interval", std::string("00000012150000.000000:000"), std::nullopt},
      {"an interval of a date's shape", std::string("20100312150000.000000:000"), std::nullopt},
      {"offset not a number", std::string("20100312150000.000000+0a0"), std::nullopt},
      {"month 13", std::string("20101312150000.000000+000"), std::nullopt},
      {"Null", std::monostate{}, std::nullopt},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Show(CimDateToLocal(c.value, &zone)), c.expected ? Show(*c.expected) : "no value");
  }
}

TEST(WmiDates, WithoutAZoneTheComputersZoneApplies) {
  const WmiValue value = std::string("20100715120000.000000+000");
  SYSTEMTIME utc{};
  utc.wYear = 2010, utc.wMonth = 7, utc.wDay = 15, utc.wHour = 12;
  SYSTEMTIME local{};
  ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
  EXPECT_EQ(Show(CimDateToLocal(value)), Show(std::optional<SYSTEMTIME>(local)));
}

TEST(WmiDates, DateTextWritesTheShortDateAndTheLongTimeButMidnightAsTheDateAlone) {
  // The test prefix's locale is English (United States).
  struct TextCase {
    Fields date;
    const char* expected;
  };
  const TextCase cases[] = {
      {{2010, 3, 12, 0, 0, 0}, "3/12/2010"},
      {{2010, 3, 12, 15, 30, 0}, "3/12/2010 3:30:00 PM"},
      {{2010, 3, 12, 0, 0, 1}, "3/12/2010 12:00:01 AM"},
      {{1999, 12, 31, 23, 59, 59}, "12/31/1999 11:59:59 PM"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.expected);
    SYSTEMTIME date{};
    date.wYear = WORD(c.date.year), date.wMonth = WORD(c.date.month), date.wDay = WORD(c.date.day);
    date.wHour = WORD(c.date.hour), date.wMinute = WORD(c.date.minute), date.wSecond = WORD(c.date.second);
    EXPECT_EQ(DateText(date), c.expected);
  }
}

}  // namespace
