#include "analysis/run_notes.h"

#include "analysis/number_format.h"

namespace zvx {

std::string HoursPlayedText(std::int64_t hours) {
    return "Hours Played: " + GroupedNumber(static_cast<double>(hours), 0);
}

std::string RulesInForceText(const CasinoRules& r) {
    std::string text = "Rules: " + std::to_string(r.Decks) + (r.Decks == 1 ? " deck, " : " decks, ");
    text += r.Penetration == 2 ? "1/2 dealt, " : "3/4 dealt, ";
    text += "$" + GroupedNumber(r.TableMinimum, 0) + " minimum, ";
    text += r.PlayTwoHands ? "2 hands; " : "1 hand; ";
    text += r.DoubleAnyHand ? "double any two cards" : "double on 10 and 11 only";
    text += r.DoubleAfterSplit ? ", double after split" : ", no double after split";
    text += r.ResplitAllowed ? ", re-split; " : ", no re-split; ";
    text += r.DealerHitsSoft17 ? "dealer hits soft 17; " : "dealer stands on soft 17; ";
    text += r.SurrenderAllowed ? "surrender" : "no surrender";
    return text;
}

} // namespace zvx
