#include "skin/ArrowHover.h"

namespace skin {

void ArrowHover::bind(Arrow& arrow, Arrow& partner) {
    m_arrows.push_back(&arrow);
    arrow[0]->onMouseMove = [&arrow, &partner] {
        arrow[0]->setPicture(arrow[2]->picture());
        partner[0]->setPicture(partner[1]->picture());
    };
}

void ArrowHover::reset() const {
    for (const Arrow* arrow : m_arrows) {
        (*arrow)[0]->setPicture((*arrow)[1]->picture());
    }
}

} // namespace skin
