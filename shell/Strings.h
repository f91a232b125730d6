#pragma once
// Texts of the program's string table, by number.
#include <string>

// The text of string id; "" when the table has no such entry.
std::string LoadResString(int id);
