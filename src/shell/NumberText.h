// Conversions between numbers and the texts a person reads and types. They round to nearest
// whatever rounding mode the program's arithmetic runs in: the mode governs stored results,
// not how a value is written out or read in.
#pragma once

#include <string>
#include <string_view>

namespace tablon {

// snprintf of one floating-point value with a printf format ("%g", "%.*g" is not accepted).
std::string FormatDouble(const char* format, double value);
// strtod of text that is known to hold a decimal number.
double ParseDouble(std::string_view decimal);
// The float nearest to a double.
float NearestFloat(double value);

}  // namespace tablon
