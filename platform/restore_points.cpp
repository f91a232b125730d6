#include "platform/restore_points.h"

#include "platform/wmi.h"

namespace platform {
namespace {

constexpr char kNamespace[] = "root\\default";
constexpr int64_t kBeginSystemChange = 100;

class RealRestorePoints final : public RestorePoints {
 public:
  HRESULT List(std::vector<std::string>* descriptions) override {
    std::vector<WmiObject> rows;
    HRESULT hr = wmi().Query(kNamespace, "Select * from SystemRestore", &rows);
    for (const WmiObject& row : rows) {
      const WmiValue* description = row.Find("Description");
      if (auto* text = description ? std::get_if<std::string>(description) : nullptr) {
        descriptions->push_back(*text);
      }
    }
    return hr;
  }

  RestorePointResult Create(const std::string& description, int type) override {
    WmiObject out;
    RestorePointResult result;
    result.hr = wmi().CallMethod(kNamespace, "SystemRestore", "CreateRestorePoint",
                                 {{"Description", description},
                                  {"RestorePointType", int64_t{type}},
                                  {"EventType", kBeginSystemChange}},
                                 &out);
    const WmiValue* returned = out.Find("ReturnValue");
    if (auto* number = returned ? std::get_if<int64_t>(returned) : nullptr) {
      result.returnValue = *number;
    }
    return result;
  }
};

}  // namespace

RestorePoints& RestorePoints::Real() {
  static RealRestorePoints real;
  return real;
}

}  // namespace platform
