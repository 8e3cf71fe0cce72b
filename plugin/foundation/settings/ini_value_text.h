#pragma once
#include <cstdint>
#include <string>

// How setting values are written to and read from ini texts. Formatting always uses the
// classic locale; trimming and letter-case comparison use the current global locale.
namespace kvl {

// Removes leading and trailing white space (the global locale's space class).
std::string trimIniText(const std::string& text);

// Equal length and equal characters after upper-casing both through the global locale.
bool sameIniName(const std::string& a, const std::string& b);

// Default and save texts: bool "1"/"0"; plain decimal integers; floats with six significant
// digits in the shorter of fixed and exponent notation (1, 0.5, 1e-07, 1.23457e+08).
std::string formatIniBool(bool value);
std::string formatIniInt(int32_t value);
std::string formatIniUnsigned(uint32_t value);
std::string formatIniFloat(float value);

// "true"/"false" in any letter case, else true exactly when the leading integer is 1.
bool parseIniBool(const std::string& text);
// The leading decimal integer as atoi reads it (blanks, sign, digits); 0 when there is none.
// A number beyond the 32-bit range gives the nearest limit.
int32_t parseIniInt(const std::string& text);
// The leading number as a classic-locale stream reads it; 0 when there is none.
uint32_t parseIniUnsigned(const std::string& text);
float parseIniFloat(const std::string& text);

}  // namespace kvl
