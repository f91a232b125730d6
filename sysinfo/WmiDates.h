#pragma once
// WMI dates: CIM DATETIME texts ("yyyymmddHHMMSS.mmmmmmsUUU", sUUU the offset from UTC in
// minutes) to dates, and dates to the text the user's locale writes.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/wmi.h"

// The date and time of the first 14 characters, as written: the fraction, the offset and
// the locale are ignored. No value for Null, a value that is not a text, a text shorter than
// 14 characters, anything but digits in those 14, or fields that make no valid date and time
// (month 13, 30 February, hour 24 ...). Years run from 1601 to 9999.
std::optional<SYSTEMTIME> WMIDateToDate(const platform::WmiValue& value);

// The moment the text names, in local time: the fields are taken at the text's UTC offset
// and moved into `zone` by that zone's rule for that date (standard or daylight time).
// `zone` null means this computer's time zone. An offset of asterisks (unknown) takes the
// fields as local time already. No value where WMIDateToDate gives none, for an interval
// (":" in place of the offset's sign), or an offset that is not three digits.
std::optional<SYSTEMTIME> CimDateToLocal(const platform::WmiValue& value,
                                         const TIME_ZONE_INFORMATION* zone = nullptr);

// The date in the user's short date format, followed by a blank and the time in the long
// time format; a time of exactly midnight gives the date alone.
std::string DateText(const SYSTEMTIME& date);
