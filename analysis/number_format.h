#pragma once

#include <string>
#include <string_view>

namespace zvx {

// Number texts of the analysis screens. Separators are fixed ("," for thousands, "." for decimals) so that a
// screen reads the same on every machine and in every test.

// Formats one number with a "%n"-style format: literal text, then "%", an optional "-" (left-justify, padding
// with blanks on the right; otherwise blanks go on the left), an optional width, an optional ".p" (decimals,
// 2 when absent), "n", then more literal text. The number gets thousands separators and is rounded half away
// from zero on its decimal value (2.675 with two decimals gives "2.68"). The whole result is cut to 16
// characters: the screens add their own prefixes and suffixes only after that cut.
// A format without a "%...n" conversion is returned as it is (cut to 16); a NaN or infinite value gives "".
std::string FormatNumber(std::string_view format, double value);

// The number alone with thousands separators and the given decimals, rounded as above ("-1,234.50").
// NaN or infinite gives "".
std::string GroupedNumber(double value, int decimals);

// "[low, high]" with the given decimals, each end rounded as GroupedNumber does, so a tiny negative end reads
// "0.00", never "-0.00".
std::string IntervalText(double low, double high, int decimals);

// A figure with no more digits than its 95 % interval [low, high] allows: rounded to the place of the first
// digit of the interval's half-width (26.734 in [26.11, 27.35] gives "26.7"; 20,698 in [18,900, 22,800] gives
// "21,000"), with thousands separators, but never coarser than the figure's own first digit (31,700 within
// [11,800, 241,000] gives "30,000"). A figure without spread keeps `decimals`.
std::string FigureWithinError(double value, double low, double high, int decimals);

// A rate or ratio as a percentage with the screens' blank-padded alignment:
//   0.4236 -> "     42.36 %", -0.0512 -> "     - 5.12 %", 0 -> "       0.00 %", 1 -> "   100.00 %".
// Magnitudes of 1 or more at four decimals (a count's payouts can exceed its bets, and 0.99996 rounds up) use
// the alignment of "   100.00 %": every further digit takes the place of two blanks (down to one), and a
// negative value shows its minus in the last of those blanks ("  -100.00 %", "  -123.45 %"). So -1 keeps its
// sign: a count at which every bet was lost must not read like one at which every bet was won.
// NaN or infinite gives "".
std::string PercentText(double x);

// A dollar amount, two decimals with thousands separators, left-justified in 14 characters behind "$" and
// blanks that keep the figures roughly aligned in a proportional font; cut to 16 characters like every
// formatted number. NaN or infinite gives "".
std::string MoneyText(double x);

} // namespace zvx
