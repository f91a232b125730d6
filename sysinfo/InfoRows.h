#pragma once
// The rows of system information: a category is one WMI class read instance by instance,
// each instance giving one row per property of the category's row table (label, value),
// then a separator row. The system information page lists them; the system report writes
// them as lines.
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/wmi.h"

namespace sysinfo {

// How a property becomes a row's value.
enum class Conversion {
  kNone,         // the value as text
  kDate,         // WMIDateToDate: the date as written, or an empty value
  kLocalDate,    // the moment in local time, or an empty value; the row is there even when
                 // the property is not
  kMegabytes,    // a byte count as even whole megabytes, followed by " MB"
  kServicePack,  // "SP" followed by the number
  kOptions,      // one row per element of a list; no list gives one row with an empty value
};

// One line of a row table: the label's entry in the string table and the property.
struct RowSpec {
  int label;
  const char* property;
  Conversion conversion = Conversion::kNone;
};

// A WMI class and how its instances are listed.
struct Category {
  const char* query;             // "Select * from <class>", in root\cimv2
  std::span<const RowSpec> rows;
  bool separator = true;         // a separator row after each instance
  bool failedQueryRows = true;   // a query that fails before any instance still gives the
                                 // rows that need no instance (and the separator)
};

// A row as shown.
struct InfoRow {
  std::string label;
  std::string value;
  // The property holds a value with no text form (a list where one value belongs): the
  // list shows the row with an empty value, the report leaves its line out.
  bool textless = false;

  bool operator==(const InfoRow&) const = default;
};

// "---------------------", the separator row's label and value.
extern const char kSeparator[];

// The text of a single value: numbers in decimal (fractions with the user's decimal
// separator), booleans "True" and "False", texts unchanged. No text for Null or a list.
std::optional<std::string> ValueText(const platform::WmiValue& value);

// The megabyte figure of a byte count and " MB": bytes / 2^20, rounded half to even and
// raised by one when odd. Null gives " MB"; a text that is not a number stays as it is.
// No value for a list.
std::optional<std::string> MegabyteText(const platform::WmiValue& value);

// The rows of one instance (or of no instance: an object without properties), in table order.
void AppendInstanceRows(std::span<const RowSpec> rows, const platform::WmiObject& instance,
                        std::vector<InfoRow>* out);

// Queries the category's class and gives the rows of every instance, in WMI's order:
//  - a query that fails before any instance gives the rows of no instance, where the
//    category has them;
//  - a failure after some instances gives the rows of those;
//  - a query without instances gives no rows.
std::vector<InfoRow> ReadCategory(const Category& category);

}  // namespace sysinfo
