// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/vb.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vb {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsPassedOver(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// `text` without the characters `drop` picks at either end.
std::string_view TrimEnds(std::string_view text, bool (*drop)(char)) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && drop(text[b])) {
        ++b;
    }
    while (e > b && drop(text[e - 1])) {
        --e;
    }
    return text.substr(b, e - b);
}

// Length of the number at the start of `s` (sign, digits, fraction, exponent E or D), 0 when there is
// none. `mantissaDigits` tells whether a digit was seen before the exponent. An exponent letter counts
// only when at least one digit follows it, so "1e" is the number 1 followed by other text.
std::size_t NumberPrefix(std::string_view s, bool& mantissaDigits) {
    std::size_t i = 0;
    mantissaDigits = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        mantissaDigits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            mantissaDigits = true;
        }
    }
    if (!mantissaDigits) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// Converts a number text already checked by NumberPrefix. Always the point as decimal separator, never
// the locale's. A number beyond the range of a Double gives nullopt; one too small to hold gives 0.
std::optional<double> ConvertChecked(std::string_view number) {
    std::string buf;
    buf.reserve(number.size());
    for (char c : number) {
        buf.push_back((c == 'd' || c == 'D') ? 'e' : c);
    }
    std::size_t start = (!buf.empty() && buf[0] == '+') ? 1 : 0;
    bool negative = !buf.empty() && buf[0] == '-';
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(buf.data() + start, buf.data() + buf.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Tell an underflow (a mantissa of zeros or a large negative exponent) from an overflow.
        std::size_t e = buf.find_first_of("eE");
        std::string_view mant(buf.data(), e == std::string::npos ? buf.size() : e);
        bool allZero = mant.find_first_of("123456789") == std::string_view::npos;
        bool negExp = e != std::string::npos && e + 1 < buf.size() && buf[e + 1] == '-';
        if (allZero || negExp) {
            return negative ? -0.0 : 0.0;
        }
        return std::nullopt;
    }
    if (ec != std::errc() || ptr != buf.data() + buf.size()) {
        return std::nullopt;
    }
    return value;
}

// The value's 15 significant digits and its decimal exponent: value = d.dddddddddddddd x 10^exp.
struct Decimal15 {
    std::string digits; // 15 digits, the first not zero unless the value is zero
    int exp = 0;
    bool negative = false;
};

Decimal15 ToDecimal15(double value) {
    Decimal15 d;
    d.negative = std::signbit(value);
    char buf[64];
    auto [ptr, ec] =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string_view text(buf, ec == std::errc() ? static_cast<std::size_t>(ptr - buf) : 0);
    std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e && i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            d.digits.push_back(text[i]);
        }
    }
    if (e != std::string_view::npos) {
        std::string_view ex = text.substr(e + 1);
        if (!ex.empty() && ex[0] == '+') {
            ex.remove_prefix(1);
        }
        std::from_chars(ex.data(), ex.data() + ex.size(), d.exp);
    }
    if (d.digits.empty()) {
        d.digits = "0";
    }
    return d;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return;
        }
    }
    digits.insert(digits.begin(), '1');
}

struct Pattern {
    std::string prefix;
    int intZeros = 0;    // integer digits that are always written
    bool point = false;  // the pattern has a decimal point: it is always written
    int decZeros = 0;    // decimals always written
    int decOptional = 0; // further decimals written only when not trailing zeros
    std::string suffix;
    bool hasDigits = false;
};

Pattern ParsePattern(std::string_view p) {
    Pattern pat;
    std::size_t i = 0;
    while (i < p.size() && p[i] != '0' && p[i] != '#' && p[i] != '.') {
        pat.prefix.push_back(p[i++]);
    }
    while (i < p.size() && (p[i] == '0' || p[i] == '#')) {
        if (p[i] == '0') {
            ++pat.intZeros;
        }
        pat.hasDigits = true;
        ++i;
    }
    if (i < p.size() && p[i] == '.') {
        pat.point = true;
        ++i;
        while (i < p.size() && (p[i] == '0' || p[i] == '#')) {
            // A '0' after a '#' still counts as a digit that is always written.
            if (p[i] == '0') {
                pat.decZeros += pat.decOptional + 1;
                pat.decOptional = 0;
            } else {
                ++pat.decOptional;
            }
            pat.hasDigits = true;
            ++i;
        }
    }
    pat.suffix.assign(p.substr(i));
    return pat;
}

} // namespace

double Val(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        if (!IsPassedOver(c)) {
            clean.push_back(c);
        }
    }
    bool digits = false;
    std::size_t len = NumberPrefix(clean, digits);
    if (len == 0) {
        return 0.0;
    }
    return ConvertChecked(std::string_view(clean).substr(0, len)).value_or(0.0);
}

std::optional<double> StrictNumber(std::string_view text) {
    const std::string_view t = TrimEnds(text, IsPassedOver);
    bool digits = false;
    std::size_t len = NumberPrefix(t, digits);
    if (len == 0 || len != t.size()) {
        return std::nullopt;
    }
    return ConvertChecked(t);
}

std::string Format(double value, std::string_view pattern) {
    if (!std::isfinite(value)) {
        return "";
    }
    Pattern pat = ParsePattern(pattern);
    if (!pat.hasDigits && !pat.point) {
        return pat.prefix + CStr(value) + pat.suffix;
    }
    const int decimals = pat.decZeros + pat.decOptional;
    Decimal15 d = ToDecimal15(value);

    // Scaled = |value| x 10^decimals as a whole number, rounded half away from zero on the 15-digit text.
    std::string scaled;
    if (d.digits.find_first_not_of('0') != std::string::npos) {
        const long keep = static_cast<long>(d.exp) + 1 + decimals; // digits before the rounding place
        const long have = static_cast<long>(d.digits.size());
        if (keep >= have) {
            scaled = d.digits + std::string(static_cast<std::size_t>(keep - have), '0');
        } else if (keep >= 0) {
            scaled = d.digits.substr(0, static_cast<std::size_t>(keep));
            if (scaled.empty()) {
                scaled = "0";
            }
            if (d.digits[static_cast<std::size_t>(keep)] >= '5') {
                Increment(scaled);
            }
        }
    }
    std::size_t nz = scaled.find_first_not_of('0');
    scaled = nz == std::string::npos ? std::string() : scaled.substr(nz);
    const bool isZero = scaled.empty();
    if (scaled.size() <= static_cast<std::size_t>(decimals)) {
        scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
    }
    std::string intPart = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    std::string decPart = scaled.substr(scaled.size() - static_cast<std::size_t>(decimals));
    if (intPart == "0") {
        intPart.clear();
    }
    if (intPart.size() < static_cast<std::size_t>(pat.intZeros)) {
        intPart.insert(0, static_cast<std::size_t>(pat.intZeros) - intPart.size(), '0');
    }
    while (decPart.size() > static_cast<std::size_t>(pat.decZeros) && decPart.back() == '0') {
        decPart.pop_back();
    }

    std::string out = pat.prefix;
    // A value that rounds to zero is written without a minus sign.
    if (d.negative && !isZero) {
        out.push_back('-');
    }
    out += intPart;
    if (pat.point) {
        out.push_back('.');
        out += decPart;
    }
    out += pat.suffix;
    return out;
}

std::string CStr(double value) {
    if (!std::isfinite(value)) {
        return "";
    }
    if (value == 0.0) {
        return "0";
    }
    Decimal15 d = ToDecimal15(value);
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string out = d.negative ? "-" : "";
    const long n = static_cast<long>(digits.size());
    const long intDigits = static_cast<long>(d.exp) + 1;
    if (intDigits <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-intDigits), '0');
        out += digits;
    } else if (intDigits >= n) {
        out += digits;
        out.append(static_cast<std::size_t>(intDigits - n), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(intDigits));
        out.push_back('.');
        out += digits.substr(static_cast<std::size_t>(intDigits));
    }
    return out;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff > 0.5) {
        return lower + 1.0;
    }
    if (diff < 0.5) {
        return lower;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::optional<Integer> CInt(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double r = RoundHalfEven(value);
    if (r < std::numeric_limits<Integer>::min() || r > std::numeric_limits<Integer>::max()) {
        return std::nullopt;
    }
    return static_cast<Integer>(r);
}

std::optional<std::int32_t> CLng(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double r = RoundHalfEven(value);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(r);
}

double Int(double value) {
    return std::floor(value);
}

int DisplayWidth(std::string_view text) {
    int width = 0;
    for (unsigned char c : text) {
        if (c < 0x80) {
            width += 1;
        } else if ((c & 0xC0) != 0x80) {
            width += 2; // the first byte of a character outside ASCII; its continuation bytes add nothing
        }
    }
    return width;
}

std::string Trim(std::string_view text) {
    return std::string(TrimEnds(text, IsBlank));
}

} // namespace vb
