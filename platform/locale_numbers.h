#pragma once
// Numbers written as the user's locale writes them: its decimal separator and, when asked,
// its digit grouping.
#include <string>

namespace platform {

// The value rounded to `decimals` places (at least one digit before the separator), e.g.
// 12345.678 with 2 decimals and grouping gives "12,345.68" in English (United States) and
// "12.345,68" in German (Germany); without grouping "12345.68".
std::string LocaleNumber(double value, int decimals, bool grouped);

}  // namespace platform
