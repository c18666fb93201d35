#include "gradient/clsGradient.h"

#include "platform/headless/Conversions.h"
#include "platform/headless/MessageBox.h"
#include "platform/headless/RuntimeError.h"
#include "platform/headless/SystemColors.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace gradient {

using platform::roundHalfEven;
using platform::single;

namespace {
constexpr double Pi = 3.14159265358979;
constexpr std::size_t ListChunk = 1000;

struct PointL {
    std::int32_t x;
    std::int32_t y;
};

std::int32_t resolveSystemColour(std::int32_t lData) {
    if (lData < 0) {
        const std::int32_t index = lData & 0x7FFFFFFF;
        if (index <= 24) {
            return platform::GetSysColor(index);
        }
    }
    return lData;
}

std::int32_t add32(std::int64_t a, std::int64_t b) {
    return platform::toInt32(static_cast<double>(a + b));
}
// Appends copies of the line two endpoints back, one pixel further on, until the two newest endpoints both lie
// beyond the far side; the test runs after every endpoint. The list grows by ListChunk points at a time.
template <int DX, int DY> void sweepEnds(std::vector<PointL>& ends, std::int32_t W, std::int32_t H) {
    for (;;) {
        const PointL back = ends[ends.size() - 2];
        ends.push_back({DX == 0 ? back.x : add32(back.x, DX), DY == 0 ? back.y : add32(back.y, DY)});
        const PointL& newest = ends[ends.size() - 1];
        const PointL& before = ends[ends.size() - 2];
        bool done = false;
        if constexpr (DX > 0) {
            done = newest.x > W && before.x > W;
        } else if constexpr (DX < 0) {
            done = newest.x < 0 && before.x < 0;
        } else if constexpr (DY > 0) {
            done = newest.y > H && before.y > H;
        } else {
            done = newest.y < 0 && before.y < 0;
        }
        if (done) {
            return;
        }
        if (ends.size() == ends.capacity()) {
            ends.reserve(ends.size() + ListChunk);
        }
    }
}
template <typename Context>
void drawLines(Context& dc, const std::vector<PointL>& ends, const std::vector<std::int32_t>& colours, std::int16_t X,
               std::int16_t Y, platform::PenHandle& pen, platform::PenHandle& previous) {
    const auto n = static_cast<std::int32_t>(ends.size());
    for (std::int32_t i = 0; i <= n - 2; i += 2) {
        const PointL& from = ends[static_cast<std::size_t>(i)];
        const PointL& to = ends[static_cast<std::size_t>(i) + 1];
        dc.moveToEx(add32(from.x, X), add32(from.y, Y));
        pen = dc.createPen(0, 1, colours[static_cast<std::size_t>(i / 2)]);
        previous = dc.selectObject(pen);
        dc.lineTo(add32(to.x, X), add32(to.y, Y));
        dc.selectObject(previous);
        dc.deleteObject(pen);
        pen = 0;
    }
}
} // namespace

clsGradient::clsGradient() = default;

void clsGradient::SetColor1(std::int32_t lData) {
    mlColor1 = resolveSystemColour(lData);
}
void clsGradient::SetColor2(std::int32_t lData) {
    mlColor2 = resolveSystemColour(lData);
}

void clsGradient::SetAngle(float fData) {
    const double degrees = fData;
    float normal = single(degrees - 360.0 * std::floor(degrees / 360.0));
    // A tiny negative angle would round up to 360 in single precision; keep the angle below a full turn.
    if (normal >= 360.0f) {
        normal = 0.0f;
    }
    mfAngle = normal;
}

std::int32_t clsGradient::BlendColors(std::int32_t lColor1, std::int32_t lColor2, std::int32_t lSteps,
                                      std::vector<std::int32_t>& laRetColors) {
    lSteps = std::max(lSteps, 2);
    // The channels of the low three bytes; bits 24 to 31 play no part.
    auto channel = [](std::int32_t colour, int shift) { return static_cast<double>((colour >> shift) & 0xFF); };
    const double r1 = channel(lColor1, 0), g1 = channel(lColor1, 8), b1 = channel(lColor1, 16);
    const double r2 = channel(lColor2, 0), g2 = channel(lColor2, 8), b2 = channel(lColor2, 16);
    const float dR = single(SafeDivide(r2 - r1, lSteps));
    const float dG = single(SafeDivide(g2 - g1, lSteps));
    const float dB = single(SafeDivide(b2 - b1, lSteps));
    laRetColors.assign(static_cast<std::size_t>(lSteps), 0);
    laRetColors.front() = lColor1;
    laRetColors.back() = lColor2;
    for (std::int32_t i = 1; i <= lSteps - 2; ++i) {
        const double fi = single(i);
        const auto red = static_cast<std::int32_t>(roundHalfEven(r1 + fi * dR));
        const auto green = static_cast<std::int32_t>(roundHalfEven(g1 + fi * dG));
        const auto blue = static_cast<std::int32_t>(roundHalfEven(b1 + fi * dB));
        laRetColors[static_cast<std::size_t>(i)] = green * 256 + red + blue * 65536;
    }
    return lSteps;
}

void clsGradient::RotatePoint(const PointSng& centre, PointSng& point, float degrees) {
    const double rad = single(degrees * (Pi / 180.0));
    const double ddx = single(static_cast<double>(point.x) - centre.x);
    const double ddy = single(static_cast<double>(point.y) - centre.y);
    const double x = centre.x + ddx * std::cos(rad) + ddy * std::sin(rad);
    const double y = centre.y - ddx * std::sin(rad) + ddy * std::cos(rad);
    point.x = single(x);
    point.y = single(y);
}

std::int32_t clsGradient::DrawGradient(std::int16_t X, std::int16_t Y, platform::DeviceContext& dc, std::int32_t W,
                                       std::int32_t H) {
    platform::PenHandle pen = 0;
    platform::PenHandle previous = 0;
    try {
        return sweep(X, Y, dc, W, H, pen, previous);
    } catch (const platform::RuntimeError& error) {
        platform::MsgBox(QString::fromStdString(error.description()), platform::vbExclamation,
                         QStringLiteral("GradientRect"));
    } catch (const std::bad_alloc&) {
        platform::MsgBox(QStringLiteral("Out of memory"), platform::vbExclamation, QStringLiteral("GradientRect"));
    }
    // The fill ends after its failure: the pen it had made is released and nothing more is drawn.
    if (pen != 0) {
        dc.selectObject(previous);
        dc.deleteObject(pen);
    }
    return 0;
}

namespace {

// The sweep line, from (x0, y0) to (x1, y1).
struct SweepLine {
    float x0, y0, x1, y1;
};

// The line through the rectangle's centre, long enough to span it at any angle, turned to lie across the gradient's
// direction.
SweepLine lineAcross(std::int32_t W, std::int32_t H, float angle) {
    const PointSng centre{single(std::floor(W / 2.0)), single(std::floor(H / 2.0))};
    const double r = W > H ? W : H;
    const float h = single((std::sqrt(r * r + r * r) + 2.0) / 2.0);
    PointSng from{single(static_cast<double>(centre.x) - h), centre.y};
    PointSng to{single(static_cast<double>(h) + centre.x), centre.y};
    const double turn = static_cast<double>(angle) + 90.0;
    const float a = single(turn - 360.0 * std::floor(turn / 360.0));
    clsGradient::RotatePoint(centre, from, a);
    clsGradient::RotatePoint(centre, to, a);
    return {from.x, from.y, to.x, to.y};
}

// The first line's endpoints, moved to the side the gradient starts from, and the one-pixel step that carries the
// line across the rectangle (dx, dy).
struct SweepStart {
    PointL from, to;
    int dx, dy;
};

SweepStart startOf(const SweepLine& l, std::int32_t W, std::int32_t H, float angle) {
    const bool steep =
        std::fabs(single(static_cast<double>(l.y0) - l.y1)) >= std::fabs(single(static_cast<double>(l.x0) - l.x1));
    const int row = angle <= 90.0f ? 0 : angle <= 180.0f ? 1 : angle <= 270.0f ? 2 : 3;
    float ox = 0, oy = 0;
    int dx = 0, dy = 0;
    if (steep) {
        const bool fromLeft = row == 0 || row == 3;
        ox = fromLeft ? -std::max(l.x0, l.x1) : single(W - static_cast<double>(std::min(l.x0, l.x1)));
        dx = fromLeft ? 1 : -1;
    } else {
        const bool fromBottom = row == 0 || row == 1;
        oy = fromBottom ? single(H - static_cast<double>(std::min(l.y0, l.y1))) : -std::max(l.y0, l.y1);
        dy = fromBottom ? -1 : 1;
    }
    const auto at = [](float offset, float v) { return platform::toInt32(single(static_cast<double>(offset) + v)); };
    return {{at(ox, l.x0), at(oy, l.y0)}, {at(ox, l.x1), at(oy, l.y1)}, dx, dy};
}

// The first line, then copies of it one pixel further on until both ends of a line lie beyond the far side.
std::vector<PointL> sweepEndpoints(const SweepStart& start, std::int32_t W, std::int32_t H) {
    std::vector<PointL> ends;
    ends.reserve(ListChunk);
    ends.push_back(start.from);
    ends.push_back(start.to);
    switch (start.dx * 2 + start.dy) { // one loop for each step, so that each endpoint costs one sum and one test
    case 2:
        sweepEnds<1, 0>(ends, W, H);
        break;
    case -2:
        sweepEnds<-1, 0>(ends, W, H);
        break;
    case 1:
        sweepEnds<0, 1>(ends, W, H);
        break;
    default:
        sweepEnds<0, -1>(ends, W, H);
        break;
    }
    return ends;
}

} // namespace

std::int32_t clsGradient::sweep(std::int16_t X, std::int16_t Y, platform::DeviceContext& dc, std::int32_t W,
                                std::int32_t H, platform::PenHandle& pen, platform::PenHandle& previous) {
    const std::vector<PointL> ends = sweepEndpoints(startOf(lineAcross(W, H, mfAngle), W, H, mfAngle), W, H);
    const auto n = static_cast<std::int32_t>(ends.size());
    // One colour per line, and every complete line in its own pen, released straight after it. A window's own
    // device context is called directly rather than through the interface: the calls are the fill's whole cost on
    // small surfaces.
    std::vector<std::int32_t> colours;
    BlendColors(mlColor1, mlColor2, platform::toInt32(n / 2.0), colours);
    if (auto* surface = dynamic_cast<platform::SurfaceDeviceContext*>(&dc)) {
        drawLines(*surface, ends, colours, X, Y, pen, previous);
    } else {
        drawLines(dc, ends, colours, X, Y, pen, previous);
    }
    return n - n % 2;
}

void clsGradient::MetalCylander(const std::int32_t& c1, const std::int32_t& c2, const std::int32_t& c3,
                                const std::int32_t& c4, std::int16_t& mid1, std::int16_t& mid2, std::int16_t& mid3,
                                platform::Surface* obj) {
    if (obj == nullptr ||
        (obj->kind() != platform::SurfaceKind::Form && obj->kind() != platform::SurfaceKind::PictureBox)) {
        return;
    }
    const bool oldAutoRedraw = obj->AutoRedraw();
    const int oldScaleMode = obj->ScaleMode();
    if (obj->ScaleMode() != platform::vbPixels) {
        mid1 = platform::toInt16(obj->ScaleX(mid1, obj->ScaleMode(), platform::vbPixels));
        mid2 = platform::toInt16(obj->ScaleX(mid2, obj->ScaleMode(), platform::vbPixels));
        mid3 = platform::toInt16(obj->ScaleX(mid3, obj->ScaleMode(), platform::vbPixels));
    }
    obj->SetAutoRedraw(true);
    obj->SetScaleMode(platform::vbPixels);
    SetAngle(0);

    SetColor1(c1);
    SetColor2(c2);
    DrawGradient(0, 0, obj->hDC(), mid1, platform::toInt32(obj->ScaleHeight()));
    SetColor1(c2);
    SetColor2(c3);
    DrawGradient(mid1, 0, obj->hDC(), platform::sub16(mid2, mid1), platform::toInt32(obj->ScaleHeight()));
    SetColor1(c3);
    SetColor2(c4);
    DrawGradient(mid2, 0, obj->hDC(), platform::sub16(mid3, mid2), platform::toInt32(obj->ScaleHeight()));

    obj->SetAutoRedraw(oldAutoRedraw);
    obj->SetScaleMode(oldScaleMode);
}

} // namespace gradient
