#pragma once

#include "platform/headless/DeviceContext.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

// Scale modes of a drawing surface.
inline constexpr int vbTwips = 1;
inline constexpr int vbPixels = 3;

// What kind of window object a surface belongs to; the painter only paints forms and picture controls.
enum class SurfaceKind { Form, PictureBox, Other };

// A window's persistent image: pixels that stay as the window's background, with the drawing properties the form
// runtime gives a surface. Plain C++: the window only shows these pixels.
class Surface {
public:
    Surface(int widthPixels, int heightPixels, SurfaceKind kind, std::uint32_t background = 0xFFC0C0C0u);

    SurfaceKind kind() const { return m_kind; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    bool AutoRedraw() const { return m_autoRedraw; }
    void SetAutoRedraw(bool on);
    int ScaleMode() const { return m_scaleMode; }
    void SetScaleMode(int mode) { m_scaleMode = mode; }
    // Converts a horizontal measure between scale modes (twips and pixels).
    float ScaleX(float value, int fromMode, int toMode) const;
    // The inside height in the current scale mode.
    float ScaleHeight() const;
    // The device context that draws into the image.
    DeviceContext& hDC();

    // The pixels, with every line drawn so far in them.
    std::uint32_t pixel(int x, int y) const { return bits()[static_cast<std::size_t>(y) * m_width + x]; }
    const std::uint32_t* bits() const;
    void fill(std::uint32_t pixel);
    void resize(int widthPixels, int heightPixels);

    // Called whenever the image may have changed, so that the window can show it.
    std::function<void()> changed;

private:
    void notify() const;

    SurfaceKind m_kind;
    int m_width = 0;
    int m_height = 0;
    std::uint32_t m_background;
    std::vector<std::uint32_t> m_pixels;
    std::unique_ptr<SurfaceDeviceContext> m_dc;
    bool m_autoRedraw = false;
    int m_scaleMode = vbTwips;
};

} // namespace platform
