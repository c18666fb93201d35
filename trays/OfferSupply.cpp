#include "trays/OfferSupply.h"

#include <malloc.h>
#include <utility>

namespace trays {

template <typename Built> void Supply<Built>::build(const Reader& read) {
    try {
        m_built = std::make_unique<Built>(read());
        malloc_trim(0); // what reading and sorting took goes back to the system
    } catch (const std::exception&) {
        // Nothing built (out of memory, say): the find works as ever without it.
        m_built.reset();
    }
}

template class Supply<offers::OfferIndex>;
template class Supply<offers::DescriptionIndex>;

} // namespace trays
