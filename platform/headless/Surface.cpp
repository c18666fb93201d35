#include "platform/headless/Surface.h"

#include "platform/headless/Conversions.h"

#include <algorithm>

namespace platform {

Surface::Surface(int widthPixels, int heightPixels, SurfaceKind kind, std::uint32_t background)
    : m_kind(kind), m_background(background) {
    resize(widthPixels, heightPixels);
}

void Surface::SetAutoRedraw(bool on) {
    m_autoRedraw = on;
    notify();
}

float Surface::ScaleX(float value, int fromMode, int toMode) const {
    const double pixels = fromMode == vbPixels ? value : twipsToPixels(value);
    return single(toMode == vbPixels ? pixels : pixelsToTwips(pixels));
}

float Surface::ScaleHeight() const {
    return m_scaleMode == vbPixels ? static_cast<float>(m_height) : single(pixelsToTwips(m_height));
}

DeviceContext& Surface::hDC() {
    notify();
    return *m_dc;
}

const std::uint32_t* Surface::bits() const {
    m_dc->flush();
    return m_pixels.data();
}

void Surface::fill(std::uint32_t pixel) {
    m_dc->discard();
    m_background = pixel;
    std::fill(m_pixels.begin(), m_pixels.end(), pixel);
    notify();
}

void Surface::resize(int widthPixels, int heightPixels) {
    m_width = std::max(0, widthPixels);
    m_height = std::max(0, heightPixels);
    m_pixels.assign(static_cast<std::size_t>(m_width) * m_height, m_background);
    m_dc = std::make_unique<SurfaceDeviceContext>(PixelSurface{m_pixels.data(), m_width, m_height, m_width});
    notify();
}

void Surface::notify() const {
    if (changed) {
        changed();
    }
}

} // namespace platform
