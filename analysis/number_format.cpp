#include "analysis/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zvx {

namespace {

// A double is good for 15 decimal digits; rounding those (rather than the exact binary value) is what makes
// 2.675 round up as a reader of the screen expects.
constexpr int SignificantDigits = 15;

// Formatted numbers are cut to this many characters so that a huge value cannot spill out of its cell.
constexpr std::size_t FormattedNumberLimit = 16;

struct DecimalParts {
    std::string Whole;    // at least one digit, no leading zeros except a lone "0"
    std::string Fraction; // exactly the requested number of digits
    bool Negative = false; // false when the rounded value is zero
};

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// |value| rounded half away from zero to `decimals` places, split at the decimal point. `value` must be finite.
DecimalParts RoundDecimal(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 20);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", SignificantDigits - 1, std::fabs(value));
    // buffer reads "d.dddddddddddddde+XX": the value is 0.dddd... x 10^(exponent + 1).
    std::string digits(1, buffer[0]);
    digits.append(buffer + 2, static_cast<std::size_t>(SignificantDigits - 1));
    const char* exponentText = std::strchr(buffer, 'e');
    const int exponent = exponentText ? std::atoi(exponentText + 1) : 0;

    // The rounded value times 10^decimals, as a string of digits.
    const long keep = static_cast<long>(exponent) + 1 + decimals;
    std::string scaled;
    if (keep < 0) {
        scaled = "0";
    } else if (keep == 0) {
        scaled = digits[0] >= '5' ? "1" : "0";
    } else if (static_cast<std::size_t>(keep) >= digits.size()) {
        scaled = digits + std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
    } else {
        scaled = digits.substr(0, static_cast<std::size_t>(keep));
        if (digits[static_cast<std::size_t>(keep)] >= '5') Increment(scaled);
    }

    const auto places = static_cast<std::size_t>(decimals);
    if (scaled.size() < places + 1) scaled.insert(0, places + 1 - scaled.size(), '0');
    DecimalParts parts;
    parts.Whole = scaled.substr(0, scaled.size() - places);
    parts.Fraction = scaled.substr(scaled.size() - places);
    const auto firstDigit = parts.Whole.find_first_not_of('0');
    parts.Whole = firstDigit == std::string::npos ? "0" : parts.Whole.substr(firstDigit);
    const bool isZero = scaled.find_first_not_of('0') == std::string::npos;
    parts.Negative = value < 0 && !isZero;
    return parts;
}

std::string WithThousands(const std::string& whole) {
    std::string out;
    const std::size_t n = whole.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += whole[i];
    }
    return out;
}

std::string CutToLimit(std::string text) {
    if (text.size() > FormattedNumberLimit) text.resize(FormattedNumberLimit);
    return text;
}

} // namespace

std::string GroupedNumber(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    const DecimalParts parts = RoundDecimal(value, decimals);
    std::string text = parts.Negative ? "-" : "";
    text += WithThousands(parts.Whole);
    if (!parts.Fraction.empty()) text += "." + parts.Fraction;
    return text;
}

std::string IntervalText(double low, double high, int decimals) {
    return "[" + GroupedNumber(low, decimals) + ", " + GroupedNumber(high, decimals) + "]";
}

std::string FigureWithinError(double value, double low, double high, int decimals) {
    const double halfWidth = (high - low) / 2;
    if (!std::isfinite(halfWidth) || halfWidth <= 0) return GroupedNumber(value, decimals);
    int place = static_cast<int>(std::floor(std::log10(halfWidth)));
    // At least the figure's first digit: an N0 of 31,700 within [11,800, 241,000] reads 30,000, not 0.
    if (value != 0) place = std::min(place, static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    if (place < 0) return GroupedNumber(value, std::min(-place, 20));
    const double step = std::pow(10.0, place);
    return GroupedNumber(std::round(value / step) * step, 0);
}

std::string FormatNumber(std::string_view format, double value) {
    if (!std::isfinite(value)) return {};
    const auto percent = format.find('%');
    if (percent == std::string_view::npos) return CutToLimit(std::string(format));

    std::size_t pos = percent + 1;
    bool leftJustify = false;
    if (pos < format.size() && format[pos] == '-') {
        leftJustify = true;
        ++pos;
    }
    std::size_t width = 0;
    while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') width = width * 10 + static_cast<std::size_t>(format[pos++] - '0');
    int decimals = 2;
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        decimals = 0;
        while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') decimals = decimals * 10 + (format[pos++] - '0');
    }
    if (pos >= format.size() || format[pos] != 'n') return CutToLimit(std::string(format));

    std::string number = GroupedNumber(value, decimals);
    if (number.size() < width) {
        const std::string padding(width - number.size(), ' ');
        number = leftJustify ? number + padding : padding + number;
    }
    std::string text(format.substr(0, percent));
    text += number;
    text += format.substr(pos + 1);
    return CutToLimit(std::move(text));
}

std::string PercentText(double x) {
    if (!std::isfinite(x)) return {};
    const DecimalParts parts = RoundDecimal(x, 4);
    const bool negative = x < 0;
    if (parts.Whole == "0") {
        // Below 1: the four decimals read as "d1d2.d3d4 %"; a leading zero digit gives way to a blank and the
        // whole text moves one blank further right, which keeps the figures lined up in a proportional font.
        std::string digits = parts.Fraction.substr(0, 2) + "." + parts.Fraction.substr(2, 2) + " %";
        std::string text = negative ? "    -" : "     ";
        if (digits[0] == '0') {
            digits[0] = ' ';
            text.insert(0, " ");
        }
        return text + digits;
    }
    // 1 or more (at four decimals): an integer part of three or more digits.
    const std::string whole = parts.Whole + parts.Fraction.substr(0, 2);
    const int blanks = std::max(1, 9 - 2 * static_cast<int>(whole.size()));
    std::string text(static_cast<std::size_t>(blanks), ' ');
    if (negative) text.back() = '-';
    return text + whole + "." + parts.Fraction.substr(2, 2) + " %";
}

std::string MoneyText(double x) {
    if (!std::isfinite(x)) return {};
    if (x <= -10) return FormatNumber("$  %-14n", x);
    if (x <= -0.01) return FormatNumber("$    %-14n", x);
    if (x < 10) return FormatNumber("$     %-14n", x);
    return FormatNumber("$   %-14n", x);
}

} // namespace zvx
