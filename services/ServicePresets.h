#pragma once
// Applying a start-type preset to the known services.
#include <functional>
#include <string>
#include <vector>

#include "platform/service_control.h"
#include "services/KnownServices.h"

namespace services {

// Gives every known service, in table order, the start type that `preset` names for it:
// through `control` for the start type, and in the service's registry key for
// "DelayedAutoStart" (0 for automatic, 1 for delayed automatic start; a manual or disabled
// service keeps its value). Only what differs from the preset is changed, so a service that
// already has its type is left alone. `beforeEach` runs once before each service.
//
// Returns the display names of the services that were not brought to the preset: the
// service manager or the registry refused the change. A service this computer does not
// have is none of them (the table spans editions), and neither is a key that is missing:
// "DelayedAutoStart" goes only into a key that exists.
std::vector<std::string> ApplyServicePreset(Preset preset, platform::ServiceControl& control,
                                            const std::function<void()>& beforeEach);

// The names of the services that were not changed, under a heading (a long list cut, with
// a count of the rest).
std::string ServicesNotChangedList(const std::vector<std::string>& displayNames);

// The warning that takes the place of the closing message when services were not changed:
// their names (a long list cut, with a count of the rest), and that the other services'
// new start types take effect after a restart.
std::string ServicesNotChangedMessage(const std::vector<std::string>& displayNames);

}  // namespace services
