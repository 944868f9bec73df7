// Number <-> text and rounding, exactly as files and controls hold them. Nothing here reads the
// process locale: Qt sets it from the environment, and a decimal comma must never reach a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4). NaN or a value outside
// the 64-bit range raises EInvalidOp, as the run time does.
int64_t Round(double x);
// Towards zero; the same range rule.
int64_t Trunc(double x);

// Decimal integer text.
std::string IntToStr(int64_t v);
// General format, up to 15 significant digits; scientific when the decimal exponent passes 15
// or the value is below 0.0001 in magnitude: "0.1", "1E-5", "1.5E20", "1.23456789012346E17".
std::string FloatToStr(double v);
// General format with a chosen number of significant digits (1..18).
std::string FloatToStrPrec(double v, int precision);
// Fixed notation with `decimals` digits, right-aligned in `width` characters ("%5.2f").
std::string FormatFixed(double v, int width, int decimals);
// Scientific notation with `digits` significant digits and a signed exponent of at least
// `expDigits` digits, right-aligned in `width`: FormatScientific(1.5, 23, 15, 4) gives
// " 1.50000000000000E+0000".
std::string FormatScientific(double v, int width, int digits, int expDigits);
// Integer right-aligned in `width`, or zero-padded with zeroPad ("%.3d").
std::string FormatInt(int64_t v, int width, bool zeroPad = false);

// Strict conversions: surrounding blanks allowed; anything else raises EConvertError with the
// run time's text ("'12abc' is not a valid integer value").
int64_t StrToInt(std::string_view s);
double StrToFloat(std::string_view s);
// Lenient conversions in the manner of the run time's Val: leading blanks skipped; `code` is 0
// when the whole text was a number, else the 1-based position of the first character that
// stopped it; the result is the value read up to there (0 for nothing).
int64_t ValInt(std::string_view s, int& code);
double ValReal(std::string_view s, int& code);
// The same into 32 bits: a number that leaves their range stops at the character that took it
// out, `code` its position, with the value read before it.
int32_t ValInt32(std::string_view s, int& code);
// Strict conversion with a default instead of an error.
int64_t StrToIntDef(std::string_view s, int64_t def);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string Trim(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
