#include "cards/hand.h"

namespace zvx {

void CreateHands(HandArray& hands) {
    for (auto& hand : hands) hand = THand{};
}

} // namespace zvx
