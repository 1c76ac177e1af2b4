#include "cards/card.h"

namespace zvx {

std::uint16_t InitCard(TCard& card, int code) {
    card.Value = CardValue(code);
    card.Slot = 0;
    card.CountTag = CountTagOf(card.Value);
    card.Face = static_cast<std::uint8_t>(code);
    return card.Value;
}

} // namespace zvx
