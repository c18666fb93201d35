#include "platform/headless/DeviceContext.h"

#include "platform/headless/LineRasteriser.h"

#include <algorithm>
#include <cstring>

namespace platform {

SurfaceDeviceContext::SurfaceDeviceContext(PixelSurface surface) : m_surface(surface) {
    m_pending.reserve(BatchLines);
}

void SurfaceDeviceContext::flush() {
    if (m_pending.empty()) {
        return;
    }
    int left = m_pending.front().x;
    int right = left;
    int top = m_pending.front().top;
    int bottom = m_pending.front().bottom;
    bool uniform = true;
    for (const Span& s : m_pending) {
        left = std::min(left, s.x);
        right = std::max(right, s.x);
        uniform = uniform && s.top == top && s.bottom == bottom;
        top = std::min(top, s.top);
        bottom = std::max(bottom, s.bottom);
    }
    if (uniform && right - left < 4 * static_cast<int>(BatchLines)) {
        flushUniform(left, right, top, bottom);
    } else {
        for (int y = top; y <= bottom; ++y) {
            std::uint32_t* row = m_surface.bits + static_cast<std::ptrdiff_t>(y) * m_surface.stride;
            for (const Span& s : m_pending) {
                if (y >= s.top && y <= s.bottom) {
                    row[s.x] = s.pixel;
                }
            }
        }
    }
    m_pending.clear();
}

// Every held line covers the same rows: lay them out once as one row, later lines over earlier ones, then copy
// that row into each row of the image.
void SurfaceDeviceContext::flushUniform(int left, int right, int top, int bottom) {
    const std::size_t width = static_cast<std::size_t>(right) - static_cast<std::size_t>(left) + 1; // right >= left
    m_row.assign(width, 0);
    m_rowSet.assign(width, 0);
    for (const Span& s : m_pending) {
        m_row[static_cast<std::size_t>(s.x - left)] = s.pixel;
        m_rowSet[static_cast<std::size_t>(s.x - left)] = 1;
    }
    const bool solid = std::all_of(m_rowSet.begin(), m_rowSet.end(), [](std::uint8_t set) { return set != 0; });
    for (int y = top; y <= bottom; ++y) {
        std::uint32_t* row = m_surface.bits + static_cast<std::ptrdiff_t>(y) * m_surface.stride + left;
        if (solid) {
            std::memcpy(row, m_row.data(), width * sizeof(std::uint32_t));
        } else {
            for (std::size_t i = 0; i < width; ++i) {
                if (m_rowSet[i] != 0) {
                    row[i] = m_row[i];
                }
            }
        }
    }
}

void SurfaceDeviceContext::drawLine(int x, int y) {
    flush();
    const std::uint32_t pixel = pixelFromColour(m_selectedPen.colour);
    std::uint32_t* bits = m_surface.bits;
    const int stride = m_surface.stride;
    rasteriseLine(m_x, m_y, x, y, m_surface.width, m_surface.height,
                  [bits, stride, pixel](int px, int py) { bits[py * stride + px] = pixel; });
}

} // namespace platform
