#include "DeviceContext.h"

#include "LineRasteriser.h"

namespace platform {

namespace {
constexpr int PenStyleNull = 5;
}

SurfaceDeviceContext::SurfaceDeviceContext(PixelSurface surface) : m_surface(surface) {}

PenHandle SurfaceDeviceContext::createPen(int style, int width, std::int32_t colour) {
    const PenHandle handle = m_nextPen++;
    m_pens.emplace(handle, Pen{style, width, colour});
    return handle;
}

PenHandle SurfaceDeviceContext::selectObject(PenHandle pen) {
    if (pen != StockBlackPen && !m_pens.contains(pen)) {
        return 0;
    }
    const PenHandle previous = m_selected;
    m_selected = pen;
    return previous;
}

bool SurfaceDeviceContext::deleteObject(PenHandle pen) {
    // A selected pen cannot be deleted, and the stock pen is never deleted.
    if (pen == m_selected || pen == StockBlackPen) {
        return false;
    }
    return m_pens.erase(pen) > 0;
}

void SurfaceDeviceContext::moveToEx(int x, int y) {
    m_x = x;
    m_y = y;
}

bool SurfaceDeviceContext::lineTo(int x, int y) {
    Pen pen{0, 1, 0};
    if (m_selected != StockBlackPen) {
        pen = m_pens.at(m_selected);
    }
    if (pen.style != PenStyleNull && m_surface.bits != nullptr) {
        const std::uint32_t pixel = pixelFromColour(pen.colour);
        std::uint32_t* bits = m_surface.bits;
        const int stride = m_surface.stride;
        rasteriseLine(m_x, m_y, x, y, m_surface.width, m_surface.height,
                      [bits, stride, pixel](int px, int py) { bits[py * stride + px] = pixel; });
    }
    m_x = x;
    m_y = y;
    return true;
}

} // namespace platform
