#pragma once
// The system's own words for an error code, in the language of the user's Windows.

#include <string>

std::wstring SystemText(unsigned long code);
