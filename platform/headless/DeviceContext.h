#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
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
// held back in a batch and written row by row when the batch is full, when another kind of line comes, or
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

    // Vertical lines held back at most before they are written: a sweep across a full-HD image fits in one batch.
    static constexpr std::size_t BatchLines = 2048;

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
    static constexpr int PenStyleNull = 5;
    void holdVertical(int x, int fromY, int toY, std::uint32_t pixel);
    void drawLine(int x, int y); // any line but a vertical one
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

// The small operations are inline: a fill calls them for every line it draws.
inline bool SurfaceDeviceContext::lineTo(int x, int y) {
    if (m_selectedPen.style != PenStyleNull && m_surface.bits != nullptr) {
        if (x == m_x) {
            holdVertical(x, m_y, y, pixelFromColour(m_selectedPen.colour));
        } else {
            drawLine(x, y);
        }
    }
    m_x = x;
    m_y = y;
    return true;
}

inline void SurfaceDeviceContext::holdVertical(int x, int fromY, int toY, std::uint32_t pixel) {
    if (fromY == toY || x < 0 || x >= m_surface.width) {
        return;
    }
    // First pixel in, last pixel out, whichever way the line runs.
    int top = fromY < toY ? fromY : toY + 1;
    int bottom = fromY < toY ? toY - 1 : fromY;
    top = std::max(top, 0);
    bottom = std::min(bottom, m_surface.height - 1);
    if (top > bottom) {
        return;
    }
    m_pending.push_back({x, top, bottom, pixel});
    if (m_pending.size() == BatchLines) {
        flush();
    }
}

inline PenHandle SurfaceDeviceContext::createPen(int style, int width, std::int32_t colour) {
    const PenHandle handle = m_nextPen++;
    m_pens.emplace_back(handle, Pen{style, width, colour});
    return handle;
}

inline PenHandle SurfaceDeviceContext::selectObject(PenHandle pen) {
    if (pen != StockBlackPen && findPen(pen) == nullptr) {
        return 0;
    }
    const PenHandle previous = m_selected;
    m_selected = pen;
    const Pen* selected = findPen(pen);
    m_selectedPen = selected != nullptr ? *selected : Pen{0, 1, 0};
    return previous;
}

inline bool SurfaceDeviceContext::deleteObject(PenHandle pen) {
    // A selected pen cannot be deleted, and the stock pen is never deleted.
    if (pen == m_selected || pen == StockBlackPen) {
        return false;
    }
    // Pens are mostly deleted right after they were made: look from the newest.
    const auto it = std::find_if(m_pens.rbegin(), m_pens.rend(), [pen](const auto& p) { return p.first == pen; });
    if (it == m_pens.rend()) {
        return false;
    }
    m_pens.erase(std::next(it).base());
    return true;
}

inline const SurfaceDeviceContext::Pen* SurfaceDeviceContext::findPen(PenHandle handle) const {
    for (auto it = m_pens.rbegin(); it != m_pens.rend(); ++it) {
        if (it->first == handle) {
            return &it->second;
        }
    }
    return nullptr;
}

inline void SurfaceDeviceContext::moveToEx(int x, int y) {
    m_x = x;
    m_y = y;
}

} // namespace platform
