#pragma once
// The HTML system report: the operating system, processors, BIOS, baseboard, memory modules
// and video controllers, read anew from WMI and written as one page of six sections to
// "report.html" in the temporary folder.
#include <string>

// The report's place: the TEMP variable followed by "\report.html" (the root of the current
// drive when TEMP is not set).
std::string ReportPath();

// Writes the report to ReportPath(), replacing any earlier one: ANSI text, CR LF line ends,
// no byte-order mark. Values are escaped for HTML; labels and markup are written as they are.
// True when the file was opened, every line written and the file closed.
bool WriteSystemReport();
