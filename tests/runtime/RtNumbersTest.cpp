#include "runtime/RtNumbers.h"
#include "runtime/RtErrors.h"
#include "runtime/RtMath.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

const std::pair<double, const char*> GeneralFormat[] = {
    {0.1, "0.1"},
    {0.00001, "1E-5"},
    {0.0001, "0.0001"},
    {1.5e20, "1.5E20"},
    {0.0, "0"},
    {255.0, "255"},
    {-2.25, "-2.25"},
    {1e15, "1E15"},
    {-1.5e-7, "-1.5E-7"},
    {1e14, "100000000000000"},
    {1.0 / 3.0, "0.333333333333333"}, //
    {999999999999999.0, "999999999999999"},
    {123456789012345678.0, "1.23456789012346E17"}};

void ExpectConversionsIgnoreLocale() {
    for (const auto& [value, text] : GeneralFormat)
        EXPECT_EQ(FloatToStr(value), text) << value;
    EXPECT_EQ(FormatFixed(3.14159, 5, 2), " 3.14");
    EXPECT_DOUBLE_EQ(StrToFloat("2.5"), 2.5);
    int code = 0;
    EXPECT_DOUBLE_EQ(ValReal("0.25", code), 0.25);
    EXPECT_EQ(code, 0);
}

TEST(RtNumbers, GeneralFormatTexts) {
    ExpectConversionsIgnoreLocale();
}

TEST(RtNumbers, DecimalCommaLocaleChangesNothing) {
    const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "pt_BR.UTF-8"};
    const char* set = nullptr;
    for (const char* l : locales)
        if ((set = std::setlocale(LC_ALL, l))) break;
    if (!set) GTEST_SKIP() << "no decimal-comma locale installed";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    ExpectConversionsIgnoreLocale();
    std::setlocale(LC_ALL, "C");
}

TEST(RtNumbers, RoundHalvesToEven) {
    const std::pair<double, int64_t> cases[] = {{2.5, 2},   {3.5, 4}, {0.5, 0},     {-2.5, -2},
                                                {-3.5, -4}, {2.6, 3}, {128.5, 128}, {254.5, 254}};
    for (auto [v, r] : cases)
        EXPECT_EQ(Round(v), r) << v;
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_THROW(Round(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
    EXPECT_THROW(Round(1e300), EInvalidOp);
}

TEST(RtNumbers, LenientConversionStopsAtFirstBadCharacter) {
    // Text, value, error position (0: none).
    const std::tuple<const char*, int64_t, int> ints[] = {
        {"12abc", 12, 3}, {"  42", 42, 0}, {"-7", -7, 0},  {"x", 0, 1},
        {"$ff", 255, 0},  {"$FF", 255, 0}, {"$1aG", 26, 4}};
    for (const auto& [text, value, position] : ints) {
        int code = -1;
        EXPECT_EQ(ValInt(text, code), value) << text;
        EXPECT_EQ(code, position) << text;
    }
    // Into 32 bits: the digit that leaves their range stops the number.
    const std::tuple<const char*, int32_t, int> ints32[] = {{"2147483647", 2147483647, 0},
                                                            {"-2147483648", INT32_MIN, 0},
                                                            {"99999999999", 999999999, 10},
                                                            {" -2147483649", -214748364, 12},
                                                            {"12a", 12, 3}};
    for (const auto& [text, value, position] : ints32) {
        int code = -1;
        EXPECT_EQ(ValInt32(text, code), value) << text;
        EXPECT_EQ(code, position) << text;
    }
    int code = 0;
    EXPECT_EQ(ValInt("", code), 0);
    EXPECT_NE(code, 0);
    const std::tuple<const char*, double, int> reals[] = {
        {"1.5e3", 1500.0, 0}, {"3.25 ", 3.25, 5}, {"1,5", 1.0, 2}, {".5", 0.5, 0}};
    for (const auto& [text, value, position] : reals) {
        EXPECT_DOUBLE_EQ(ValReal(text, code), value) << text;
        EXPECT_EQ(code, position) << text;
    }
}

TEST(RtNumbers, StrictConversionRaisesWithTheRunTimeText) {
    EXPECT_EQ(StrToInt(" 17 "), 17);
    try {
        StrToInt("12abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'12abc' is not a valid integer value");
    }
    try {
        StrToFloat("1,5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
    }
    EXPECT_THROW(StrToInt(""), EConvertError);
    for (const char* dangling : {"1e", "2E+", "3e-"})
        EXPECT_THROW(StrToFloat(dangling), EConvertError) << dangling;
    EXPECT_EQ(StrToIntDef("zz", 9), 9);
}

TEST(RtNumbers, FixedAndScientificWidths) {
    EXPECT_EQ(FormatFixed(0.0, 5, 2), " 0.00");
    EXPECT_EQ(FormatFixed(255.0, 5, 2), "255.00");
    EXPECT_EQ(FormatFixed(-0.001, 5, 2), " 0.00");
    EXPECT_EQ(FormatFixed(2.675, 0, 2), "2.67"); // the binary value is below the half
    EXPECT_EQ(FormatScientific(1.5, 23, 15, 4), " 1.50000000000000E+0000");
    EXPECT_EQ(FormatScientific(-0.00125, 23, 15, 4), "-1.25000000000000E-0003");
    EXPECT_EQ(FormatInt(7, 3, true), "007");
    EXPECT_EQ(FormatInt(42, 5), "   42");
}

TEST(RtMath, CheckedHelpersRaiseTheTypedErrors) {
    EXPECT_THROW(rt::fdiv(1.0, 0.0), EZeroDivide);
    EXPECT_THROW(rt::fdiv(0.0, 0.0), EInvalidOp);
    EXPECT_THROW(rt::idiv(5, 0), EDivByZero);
    EXPECT_THROW(rt::fln(0.0), EZeroDivide);
    EXPECT_THROW(rt::fln(-1.0), EInvalidOp);
    EXPECT_THROW(rt::fexp(1000.0), EOverflow);
    EXPECT_THROW(rt::fsqrt(-1.0), EInvalidOp);
    EXPECT_DOUBLE_EQ(rt::fdiv(1.0, 4.0), 0.25);
    EXPECT_EQ(rt::ClampRoundByte(128.5), 128);
    EXPECT_EQ(rt::ClampRoundByte(254.5), 254);
    EXPECT_EQ(rt::ClampRoundByte(-3.0), 0);
    EXPECT_EQ(rt::ClampRoundByte(300.0), 255);
    EXPECT_EQ(rt::roundByte(258.0), 2);
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EInvalidOp().what(), "Invalid floating point operation");
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
    EXPECT_STREQ(EDivByZero().what(), "Division by zero");
}

} // namespace
