#include "skin/arrows/ArrowPicture.h"

#include <algorithm>

namespace skin {

ArrowPixels arrowPixels(ArrowDirection direction) {
    constexpr int Long = 20;
    constexpr int Short = 11;
    const bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
    ArrowPixels picture{vertical ? Long : Short, vertical ? Short : Long, {}};
    picture.indices.assign(std::size_t{Long} * Short, 1);
    // Worked out for an up arrow: distance d from the tip row (0) to the base rows (9 and 10); row d covers the
    // columns whose distance from the centre line is under d + 1, the base rows every column.
    for (int d = 0; d < Short; ++d) {
        const int half = std::min(d + 1, Long / 2);
        for (int across = Long / 2 - half; across < Long / 2 + half; ++across) {
            int x = across;
            int y = d;
            switch (direction) {
            case ArrowDirection::Up:
                break;
            case ArrowDirection::Down:
                y = Short - 1 - d;
                break;
            case ArrowDirection::Left:
                x = d;
                y = across;
                break;
            case ArrowDirection::Right:
                x = Short - 1 - d;
                y = across;
                break;
            }
            picture.indices[(static_cast<std::size_t>(y) * picture.width) + x] = 0;
        }
    }
    return picture;
}

} // namespace skin
