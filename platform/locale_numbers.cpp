#include "platform/locale_numbers.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  char buffer[16]{};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 0) return fallback;
  return buffer;
}

}  // namespace

std::string LocaleNumber(double value, int decimals, bool grouped) {
  char plain[400];
  std::snprintf(plain, sizeof plain, "%.*f", decimals, value);
  std::string decimal = LocaleText(LOCALE_SDECIMAL, ".");
  std::string thousand = LocaleText(LOCALE_STHOUSAND, ",");
  // The locale writes "3;0" for groups of three throughout and "3;2;0" for three, then
  // twos; the format wants 3 and 32. Without the closing ";0" the last group does not
  // repeat ("3" is 30).
  const std::string grouping = LocaleText(LOCALE_SGROUPING, "3;0");
  UINT groups = 0;
  for (char c : grouping)
    if (c >= '1' && c <= '9') groups = groups * 10 + (c - '0');
  if (grouping.size() < 2 || grouping.compare(grouping.size() - 2, 2, ";0") != 0) groups *= 10;
  NUMBERFMTA format{};
  format.NumDigits = static_cast<UINT>(decimals);
  format.LeadingZero = 1;
  format.Grouping = grouped ? groups : 0;
  format.lpDecimalSep = decimal.data();
  format.lpThousandSep = thousand.data();
  format.NegativeOrder = std::strtoul(LocaleText(LOCALE_INEGNUMBER, "1").c_str(), nullptr, 10);
  char shown[512]{};
  if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, plain, &format, shown, sizeof shown) <= 0) return plain;
  return shown;
}

}  // namespace platform
