#pragma once
// Identifiers of the resources that are not strings (strings are used by number).
#include "picture_ids.h"

#define IDI_APP 1
