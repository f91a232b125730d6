#pragma once
// Identifiers of the resources that are not strings (strings are used by number).
#define IDI_APP 1
