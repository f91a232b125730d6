#pragma once
// The services Windows Update needs ("wuauserv", "wscsvc", "BITS", in this order), started
// for a visit to Windows Update and stopped and disabled afterwards, on the calling form's
// own service control.
#include "platform/service_control.h"

// Sets each service to start automatically and starts it, then asks whether to open
// Windows Update (wuapp.exe). The question is the usual one only when all three now run;
// otherwise it first names each service that could not be set or started. Yes starts
// wuapp.exe without waiting for it; a wuapp.exe that cannot be started is reported.
void StartWindowsUpdateServices(platform::ServiceControl& service);

// Sets each service to disabled and stops it, then reports: the usual message only when all
// three are disabled and stopped, otherwise a message naming each one that is not.
void StopWindowsUpdateServices(platform::ServiceControl& service);
