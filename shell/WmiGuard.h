#pragma once
// The WMI guard: makes sure the WMI service "winmgmt" runs before a form uses WMI. Every
// form that carries the guard has public CheckWMI() and StartWMI() members that call these
// with the form's own service control.
//
// Neither waits beyond what the service control's start waits, nor checks the outcome, nor
// shows anything: the caller goes on at once.
#include "platform/service_control.h"

namespace wmi_guard {

// Unless "winmgmt" reports exactly "Started", StartWMI.
void CheckWMI(platform::ServiceControl& service);
// Sets "winmgmt" to start automatically, then starts it.
void StartWMI(platform::ServiceControl& service);

}  // namespace wmi_guard
