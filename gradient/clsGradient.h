#pragma once

#include "platform/headless/DeviceContext.h"
#include "platform/headless/Surface.h"

#include <cstdint>
#include <vector>

namespace gradient {

struct PointSng {
    float x = 0;
    float y = 0;
};

// The gradient painter: holds two colours and an angle, blends colours, fills rectangles with angled two-colour
// gradients drawn as a sweep of one-pixel lines, and gives surfaces their brushed-metal shading.
class clsGradient {
public:
    clsGradient();

    // Fills laRetColors with lSteps colours from lColor1 to lColor2 (at least 2) and returns how many.
    static std::int32_t BlendColors(std::int32_t lColor1, std::int32_t lColor2, std::int32_t lSteps,
                                    std::vector<std::int32_t>& laRetColors);

    // Colour properties: a system-colour reference (bit 31, index 0 to 24) is resolved to the desktop's colour
    // when it is assigned; any other value is stored as it is.
    void SetColor1(std::int32_t lData);
    std::int32_t Color1() const { return mlColor1; }
    void SetColor2(std::int32_t lData);
    std::int32_t Color2() const { return mlColor2; }
    // The angle in degrees, kept in [0, 360).
    void SetAngle(float fData);
    float Angle() const { return mfAngle; }

    // Paints the surface's whole height as three side-by-side horizontal gradients: c1 to c2 up to mid1, c2 to c3
    // up to mid2, c3 to c4 up to mid3. The band edges are in the surface's scale units and are converted to pixels
    // in place. Only forms and picture controls are painted.
    void MetalCylander(const std::int32_t& c1, const std::int32_t& c2, const std::int32_t& c3, const std::int32_t& c4,
                       std::int16_t& mid1, std::int16_t& mid2, std::int16_t& mid3, platform::Surface* obj);

    // The angled fill of the rectangle (X, Y, W, H) on a device context. Returns twice the number of lines drawn,
    // or 0 after a failure, which it reports in a box titled "GradientRect".
    std::int32_t DrawGradient(std::int16_t X, std::int16_t Y, platform::DeviceContext& dc, std::int32_t W,
                              std::int32_t H);

    // Turns a point about a centre by an angle in degrees, anticlockwise as seen on the screen.
    static void RotatePoint(const PointSng& centre, PointSng& point, float degrees);
    static double SafeDivide(double a, double b) { return b == 0.0 ? 0.0 : a / b; }

private:
    std::int32_t sweep(std::int16_t X, std::int16_t Y, platform::DeviceContext& dc, std::int32_t W, std::int32_t H,
                       platform::PenHandle& pen, platform::PenHandle& previous);

    // A new painter blends light yellow into dark blue at 315 degrees.
    std::int32_t mlColor1 = 0x00FFFFD0;
    std::int32_t mlColor2 = 0x00400000;
    float mfAngle = 315.0f;
};

} // namespace gradient
