#pragma once

#include "platform/widgets/ImageControl.h"

#include <array>
#include <vector>

namespace skin {

// The arrow buttons' feedback under the pointer. An arrow is three picture controls of one name: member 0 is shown,
// 1 holds the normal picture and 2 the highlighted one.
class ArrowHover {
public:
    using Arrow = std::array<platform::ImageControl*, 3>;

    // The pointer over the arrow lights it up and puts its partner (the arrow that slides the same tray the other
    // way) back to normal. Both arrays must outlive the binding.
    void bind(Arrow& arrow, Arrow& partner);
    // Every bound arrow back to its normal picture: the pointer has moved on to something else.
    void reset() const;

private:
    std::vector<const Arrow*> m_arrows;
};

} // namespace skin
