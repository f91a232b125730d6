#include "sysinfo/WmiDates.h"

#include <cstdint>

namespace {

constexpr int64_t kTicksPerMinute = 60LL * 10000000LL;  // FILETIME counts 100 ns

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Field(const std::string& text, size_t at, size_t length) {
  int n = 0;
  for (size_t i = at; i < at + length; ++i) n = n * 10 + (text[i] - '0');
  return n;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

const std::string* TextOf(const platform::WmiValue& value) {
  return std::get_if<std::string>(&value);
}

}  // namespace

std::optional<SYSTEMTIME> WMIDateToDate(const platform::WmiValue& value) {
  const std::string* text = TextOf(value);
  if (!text || text->size() < 14) return std::nullopt;
  for (size_t i = 0; i < 14; ++i) {
    if (!IsDigit((*text)[i])) return std::nullopt;
  }
  SYSTEMTIME date{};
  const int year = Field(*text, 0, 4), month = Field(*text, 4, 2), day = Field(*text, 6, 2);
  const int hour = Field(*text, 8, 2), minute = Field(*text, 10, 2), second = Field(*text, 12, 2);
  if (year < 1601 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour > 23 || minute > 59 || second > 59) {
    return std::nullopt;
  }
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  date.wHour = static_cast<WORD>(hour);
  date.wMinute = static_cast<WORD>(minute);
  date.wSecond = static_cast<WORD>(second);
  return date;
}

std::optional<SYSTEMTIME> CimDateToLocal(const platform::WmiValue& value,
                                         const TIME_ZONE_INFORMATION* zone) {
  std::optional<SYSTEMTIME> fields = WMIDateToDate(value);
  if (!fields) return std::nullopt;
  const std::string& text = *TextOf(value);
  // No offset, or an unknown one: the fields are local time already.
  if (text.size() < 25 || text.compare(22, 3, "***") == 0) {
    if (text.size() > 21 && text[21] == ':') return std::nullopt;  // an interval, not a date
    return fields;
  }
  const char sign = text[21];
  if ((sign != '+' && sign != '-') || !IsDigit(text[22]) || !IsDigit(text[23]) ||
      !IsDigit(text[24])) {
    return std::nullopt;
  }
  const int offsetMinutes = Field(text, 22, 3) * (sign == '+' ? 1 : -1);
  FILETIME at{};
  if (!SystemTimeToFileTime(&*fields, &at)) return std::nullopt;
  ULARGE_INTEGER ticks{};
  ticks.LowPart = at.dwLowDateTime;
  ticks.HighPart = at.dwHighDateTime;
  // The fields are UTC plus the offset.
  ticks.QuadPart -= static_cast<ULONGLONG>(static_cast<int64_t>(offsetMinutes) * kTicksPerMinute);
  FILETIME utcTime{ticks.LowPart, ticks.HighPart};
  SYSTEMTIME utc{}, local{};
  if (!FileTimeToSystemTime(&utcTime, &utc)) return std::nullopt;
  if (!SystemTimeToTzSpecificLocalTime(zone, &utc, &local)) return std::nullopt;
  local.wMilliseconds = 0;
  return local;
}

std::string DateText(const SYSTEMTIME& date) {
  char buffer[128];
  std::string text;
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, sizeof buffer) > 0) {
    text = buffer;
  }
  if (date.wHour == 0 && date.wMinute == 0 && date.wSecond == 0) return text;
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &date, nullptr, buffer, sizeof buffer) > 0) {
    text += ' ';
    text += buffer;
  }
  return text;
}
