// libFuzzer target: region bytes from anywhere must give a region or none, never a crash or a huge allocation.
#include "platform/headless/Region.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const platform::RegionHandle region = platform::extCreateRegion({data, size});
    if (region) {
        // A region never holds more rectangles than the bytes could carry, and none of them is empty or wild.
        if (region->rects.size() > size / 16) {
            std::abort();
        }
        for (const platform::Rect& r : region->rects) {
            if (r.left >= r.right || r.top >= r.bottom || r.right > platform::MaxRegionCoordinate ||
                r.left < -platform::MaxRegionCoordinate) {
                std::abort();
            }
        }
        (void)region->contains(1, 1);
    }
    return 0;
}
