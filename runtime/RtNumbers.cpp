#include "runtime/RtNumbers.h"

#include "runtime/RtErrors.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double Int64Limit = 9223372036854775807.0;

int64_t CheckedToInt64(double r) {
    if (std::isnan(r) || r >= Int64Limit || r < -Int64Limit) throw EInvalidOp();
    return static_cast<int64_t>(r);
}

// Decimal digits (no leading zeros, at most `precision`) and the exponent e such that the
// value is 0.d1d2d3... x 10^e.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal(double v, int precision) {
    Decimal d;
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, precision - 1);
    std::string s(buf, res.ptr);
    size_t pos = 0;
    if (s[0] == '-') {
        d.negative = true;
        pos = 1;
    }
    size_t ePos = s.find('e');
    for (size_t i = pos; i < ePos; ++i)
        if (s[i] != '.') d.digits += s[i];
    int e = 0;
    std::from_chars(s.data() + ePos + 1 + (s[ePos + 1] == '+'), s.data() + s.size(), e);
    d.exponent = e + 1;
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Scans a real in the run time's syntax; returns the index just past the accepted text.
size_t ScanReal(std::string_view s, size_t i, double& value, bool& any) {
    size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t mant = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i;
    bool intDigits = i > mant;
    bool fracDigits = false;
    if (i < s.size() && s[i] == '.') {
        size_t f = i + 1;
        while (f < s.size() && s[f] >= '0' && s[f] <= '9')
            ++f;
        fracDigits = f > i + 1;
        if (intDigits || fracDigits) i = f;
    }
    any = intDigits || fracDigits;
    if (!any) {
        value = 0;
        return start;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t e = i + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
        size_t ed = e;
        while (e < s.size() && s[e] >= '0' && s[e] <= '9')
            ++e;
        if (e > ed) i = e;
    }
    std::string text(s.substr(start, i - start));
    if (!text.empty() && text[0] == '+') text.erase(0, 1);
    if (!text.empty() && text[0] == '.') text.insert(0, "0");
    if (text.size() >= 2 && text[0] == '-' && text[1] == '.') text.insert(1, "0");
    double v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is no number at all.
        bool tiny = false;
        for (size_t k = 0; k < text.size(); ++k)
            if ((text[k] == 'e' || text[k] == 'E') && k + 1 < text.size() && text[k + 1] == '-')
                tiny = true;
        if (!tiny) {
            any = false;
            value = 0;
            return start;
        }
        v = 0;
    }
    value = v;
    return i;
}

size_t ScanInt(std::string_view s, size_t i, int64_t& value, bool& any, bool& overflow) {
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    uint64_t acc = 0;
    any = false;
    overflow = false;
    const uint64_t limit = neg ? 9223372036854775808ull : 9223372036854775807ull;
    while (i < s.size()) {
        int d;
        char c = s[i];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        uint64_t base = hex ? 16 : 10;
        if (acc > (limit - d) / base) {
            overflow = true;
            break;
        }
        acc = acc * base + d;
        any = true;
        ++i;
    }
    value = neg ? static_cast<int64_t>(0 - acc) : static_cast<int64_t>(acc);
    return i;
}

} // namespace

int64_t Round(double x) {
    return CheckedToInt64(std::nearbyint(x));
}

int64_t Trunc(double x) {
    return CheckedToInt64(std::trunc(x));
}

std::string IntToStr(int64_t v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string FloatToStrPrec(double v, int precision) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    if (v == 0) return "0";
    Decimal d = ToDecimal(v, precision);
    std::string out = d.negative ? "-" : "";
    int n = static_cast<int>(d.digits.size());
    if (d.exponent > precision || d.exponent < -3) {
        out += d.digits[0];
        if (n > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        out += 'E';
        out += IntToStr(d.exponent - 1);
        return out;
    }
    if (d.exponent <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-d.exponent), '0');
        out += d.digits;
    } else if (d.exponent >= n) {
        out += d.digits;
        out.append(static_cast<size_t>(d.exponent - n), '0');
    } else {
        out += d.digits.substr(0, d.exponent);
        out += '.';
        out += d.digits.substr(d.exponent);
    }
    return out;
}

std::string FloatToStr(double v) {
    return FloatToStrPrec(v, 15);
}

std::string FormatFixed(double v, int width, int decimals) {
    std::string s;
    if (std::isnan(v))
        s = "NAN";
    else if (std::isinf(v))
        s = v > 0 ? "INF" : "-INF";
    else {
        char buf[512];
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
        s.assign(buf, r.ptr);
        if (s[0] == '-') {
            bool allZero = true;
            for (size_t i = 1; i < s.size(); ++i)
                if (s[i] != '0' && s[i] != '.') allZero = false;
            if (allZero) s.erase(0, 1);
        }
    }
    if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), ' ');
    return s;
}

std::string FormatScientific(double v, int width, int digits, int expDigits) {
    std::string s;
    if (std::isnan(v))
        s = "NAN";
    else if (std::isinf(v))
        s = v > 0 ? "INF" : "-INF";
    else {
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
        std::string t(buf, r.ptr);
        size_t e = t.find('e');
        std::string mant = t.substr(0, e);
        int ex = 0;
        std::from_chars(t.data() + e + 1 + (t[e + 1] == '+'), t.data() + t.size(), ex);
        if (v == 0) ex = 0;
        std::string es = IntToStr(ex < 0 ? -ex : ex);
        if (static_cast<int>(es.size()) < expDigits) es.insert(0, expDigits - es.size(), '0');
        s = mant + "E" + (ex < 0 ? "-" : "+") + es;
    }
    if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), ' ');
    return s;
}

std::string FormatInt(int64_t v, int width, bool zeroPad) {
    std::string s = IntToStr(v < 0 && zeroPad ? -v : v);
    if (zeroPad) {
        if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
        if (v < 0) s.insert(0, "-");
    } else if (static_cast<int>(s.size()) < width) {
        s.insert(0, width - s.size(), ' ');
    }
    return s;
}

int64_t ValInt(std::string_view s, int& code) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    int64_t v = 0;
    bool any = false, overflow = false;
    size_t end = ScanInt(s, i, v, any, overflow);
    if (!any) {
        code = static_cast<int>(end) + 1;
        return 0;
    }
    if (overflow || end < s.size()) {
        code = static_cast<int>(end) + 1;
        return v;
    }
    code = 0;
    return v;
}

int32_t ValInt32(std::string_view s, int& code) {
    const auto fits = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    const int64_t v = ValInt(s, code);
    if (fits(v)) return static_cast<int32_t>(v);
    // The shortest start of the text whose number no longer fits ends at the culprit.
    size_t end = 1;
    int unused = 0;
    while (end < s.size() && fits(ValInt(s.substr(0, end), unused)))
        ++end;
    code = static_cast<int>(end);
    return static_cast<int32_t>(ValInt(s.substr(0, end - 1), unused));
}

double ValReal(std::string_view s, int& code) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    double v = 0;
    bool any = false;
    size_t end = ScanReal(s, i, v, any);
    if (!any) {
        size_t stop = i;
        if (stop < s.size() && (s[stop] == '+' || s[stop] == '-')) ++stop;
        code = static_cast<int>(stop) + 1;
        return 0;
    }
    if (end < s.size()) {
        code = static_cast<int>(end) + 1;
        return v;
    }
    code = 0;
    return v;
}

int64_t StrToInt(std::string_view s) {
    std::string t = Trim(s);
    int code = 0;
    int64_t v = ValInt(t, code);
    if (code != 0 || t.empty())
        throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

int64_t StrToIntDef(std::string_view s, int64_t def) {
    std::string t = Trim(s);
    int code = 0;
    int64_t v = ValInt(t, code);
    return (code != 0 || t.empty()) ? def : v;
}

double StrToFloat(std::string_view s) {
    std::string t = Trim(s);
    int code = 0;
    double v = ValReal(t, code);
    if (code != 0 || t.empty())
        throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    return v;
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return std::string(s.substr(b, e - b));
}

bool SameText(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}
