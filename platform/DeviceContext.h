#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace platform {

using PenHandle = std::uint32_t;

// The drawing calls of a device context that the gradient painter uses. A window's context draws into the
// window's persistent image; tests substitute one that records the calls.
class DeviceContext {
public:
    virtual ~DeviceContext() = default;
    virtual PenHandle createPen(int style, int width, std::int32_t colour) = 0;
    // Selects a pen and returns the one it replaces.
    virtual PenHandle selectObject(PenHandle pen) = 0;
    virtual bool deleteObject(PenHandle pen) = 0;
    virtual void moveToEx(int x, int y) = 0;
    virtual bool lineTo(int x, int y) = 0;
};

// 32-bit pixels in memory, 0xAARRGGBB, rows `stride` pixels apart.
struct PixelSurface {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// The pixel for a colour value 0x00BBGGRR (a system-colour reference is taken as its raw low bits).
constexpr std::uint32_t pixelFromColour(std::int32_t colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
static_assert(pixelFromColour(0x00FF0000) == 0xFF0000FFu);

// A device context that draws one-pixel lines into a pixel surface. It owns the pens it creates.
//
// A sweep of vertical lines would walk the image column by column, one cache line per pixel. So vertical lines are
// held back in a small batch and written row by row when the batch is full, when another kind of line comes, or
// when anyone reads the pixels (flush): the pixels, and the order in which lines overwrite each other, stay the same.
class SurfaceDeviceContext final : public DeviceContext {
public:
    explicit SurfaceDeviceContext(PixelSurface surface);

    // Writes the vertical lines still held back.
    void flush();
    // Forgets them (the image is about to be overwritten).
    void discard() { m_pending.clear(); }

    PenHandle createPen(int style, int width, std::int32_t colour) override;
    PenHandle selectObject(PenHandle pen) override;
    bool deleteObject(PenHandle pen) override;
    void moveToEx(int x, int y) override;
    bool lineTo(int x, int y) override;

    int livePens() const { return static_cast<int>(m_pens.size()); }

private:
    struct Pen {
        int style;
        int width;
        std::int32_t colour;
    };
    // A clipped vertical line: column x, rows top to bottom inclusive.
    struct Span {
        int x;
        int top;
        int bottom;
        std::uint32_t pixel;
    };
    static constexpr PenHandle StockBlackPen = 1;
    static constexpr std::size_t BatchLines = 256;

    void holdVertical(int x, int fromY, int toY, std::uint32_t pixel);
    void flushUniform(int left, int right, int top, int bottom);

    PixelSurface m_surface;
    const Pen* findPen(PenHandle handle) const;

    // The live pens; a painter keeps one or two alive at a time, so a short list beats a hash table.
    std::vector<std::pair<PenHandle, Pen>> m_pens;
    PenHandle m_nextPen = StockBlackPen + 1;
    PenHandle m_selected = StockBlackPen;
    Pen m_selectedPen{0, 1, 0}; // what lineTo draws with, kept by value
    int m_x = 0;
    int m_y = 0;
    std::vector<Span> m_pending;
    std::vector<std::uint32_t> m_row;
    std::vector<std::uint8_t> m_rowSet;
};

} // namespace platform
