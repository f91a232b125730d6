#include "sysinfo/InfoRows.h"

#include <oleauto.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "shell/ResourceMonitor.h"
#include "shell/Strings.h"
#include "sysinfo/WmiDates.h"

namespace sysinfo {

const char kSeparator[] = "---------------------";

namespace {

std::string RealText(double number) {
  VARIANT in, out;
  VariantInit(&in);
  VariantInit(&out);
  V_VT(&in) = VT_R8;
  V_R8(&in) = number;
  std::string text;
  if (SUCCEEDED(VariantChangeType(&out, &in, 0, VT_BSTR))) {
    const int length = static_cast<int>(SysStringLen(V_BSTR(&out)));
    const int n = WideCharToMultiByte(CP_ACP, 0, V_BSTR(&out), length, nullptr, 0, nullptr, nullptr);
    text.resize(n);
    WideCharToMultiByte(CP_ACP, 0, V_BSTR(&out), length, text.data(), n, nullptr, nullptr);
  }
  VariantClear(&out);
  return text;
}

// A byte count held as a number, or as a text of decimal digits.
std::optional<double> ByteCount(const platform::WmiValue& value) {
  if (auto* n = std::get_if<int64_t>(&value)) return static_cast<double>(*n);
  if (auto* d = std::get_if<double>(&value)) return *d;
  if (auto* s = std::get_if<std::string>(&value); s && !s->empty()) {
    errno = 0;
    char* end = nullptr;
    unsigned long long n = std::strtoull(s->c_str(), &end, 10);
    if (errno == 0 && *end == '\0' && (*s)[0] >= '0' && (*s)[0] <= '9') return static_cast<double>(n);
  }
  return std::nullopt;
}

InfoRow Row(int label, std::string value, bool textless = false) {
  return InfoRow{LoadResString(label), std::move(value), textless};
}

std::string DateValue(const std::optional<SYSTEMTIME>& date) {
  return date ? DateText(*date) : std::string();
}

void AppendRow(const RowSpec& spec, const platform::WmiObject& instance, std::vector<InfoRow>* out) {
  const platform::WmiValue* value = instance.Find(spec.property);
  static const platform::WmiValue kNull;
  switch (spec.conversion) {
    case Conversion::kLocalDate:
      // Converted in a step of its own: a property that cannot be read gives an empty date.
      out->push_back(Row(spec.label, DateValue(CimDateToLocal(value ? *value : kNull))));
      return;
    case Conversion::kOptions: {
      auto* options = value ? std::get_if<std::vector<std::string>>(value) : nullptr;
      if (!options) {
        out->push_back(Row(spec.label, ""));
        return;
      }
      for (const std::string& option : *options) out->push_back(Row(spec.label, option));
      return;
    }
    default:
      break;
  }
  if (!value) return;  // this instance has no such property: no row
  switch (spec.conversion) {
    case Conversion::kDate:
      out->push_back(Row(spec.label, DateValue(WMIDateToDate(*value))));
      return;
    case Conversion::kMegabytes:
      if (auto text = MegabyteText(*value)) out->push_back(Row(spec.label, *text));
      return;
    case Conversion::kServicePack:
      if (std::holds_alternative<std::vector<std::string>>(*value)) return;
      out->push_back(Row(spec.label, "SP" + ValueText(*value).value_or("")));
      return;
    default: {
      std::optional<std::string> text = ValueText(*value);
      const bool textless = !text && std::holds_alternative<std::vector<std::string>>(*value);
      out->push_back(Row(spec.label, text.value_or(""), textless));
      return;
    }
  }
}

}  // namespace

std::optional<std::string> ValueText(const platform::WmiValue& value) {
  if (auto* b = std::get_if<bool>(&value)) return std::string(*b ? "True" : "False");
  if (auto* n = std::get_if<int64_t>(&value)) return std::to_string(*n);
  if (auto* d = std::get_if<double>(&value)) return RealText(*d);
  if (auto* s = std::get_if<std::string>(&value)) return *s;
  return std::nullopt;
}

std::optional<std::string> MegabyteText(const platform::WmiValue& value) {
  if (std::holds_alternative<std::vector<std::string>>(value)) return std::nullopt;
  std::optional<double> bytes = ByteCount(value);
  if (bytes && *bytes >= 0) {
    return std::to_string(MegabyteFigure(static_cast<uint64_t>(*bytes))) + " MB";
  }
  return ValueText(value).value_or("") + " MB";
}

void AppendInstanceRows(std::span<const RowSpec> rows, const platform::WmiObject& instance,
                        std::vector<InfoRow>* out) {
  for (const RowSpec& spec : rows) AppendRow(spec, instance, out);
}

std::vector<InfoRow> ReadCategory(const Category& category) {
  std::vector<platform::WmiObject> instances;
  const HRESULT hr = platform::wmi().Query("root\\cimv2", category.query, &instances);
  if (FAILED(hr) && instances.empty()) {
    if (!category.failedQueryRows) return {};
    instances.emplace_back();  // one pass without an instance
  }
  std::vector<InfoRow> rows;
  for (const platform::WmiObject& instance : instances) {
    AppendInstanceRows(category.rows, instance, &rows);
    if (category.separator) rows.push_back(InfoRow{kSeparator, kSeparator});
  }
  return rows;
}

}  // namespace sysinfo
