#include "gradient/MetalShading.h"
#include "gradient/clsGradient.h"
#include "platform/headless/MessageBox.h"
#include "platform/headless/RuntimeError.h"
#include "platform/headless/SystemColors.h"

#include <gtest/gtest.h>
#include <map>

using gradient::clsGradient;
using platform::RGB;

namespace {

struct Line {
    int x0, y0, x1, y1;
    std::int32_t colour;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& l) {
    return out << "(" << l.x0 << "," << l.y0 << ")-(" << l.x1 << "," << l.y1 << ") #" << std::hex << l.colour
               << std::dec;
}

// Records the lines drawn, checking that each is drawn with a pen of its own that is released right after it.
class RecordingDC : public platform::DeviceContext {
public:
    std::vector<Line> lines;
    std::map<platform::PenHandle, std::int32_t> live;
    platform::PenHandle selected = 1;
    platform::PenHandle next = 2;
    int x = 0, y = 0;

    platform::PenHandle createPen(int style, int width, std::int32_t colour) override {
        EXPECT_EQ(style, 0);
        EXPECT_EQ(width, 1);
        live[next] = colour;
        return next++;
    }
    platform::PenHandle selectObject(platform::PenHandle pen) override { return std::exchange(selected, pen); }
    bool deleteObject(platform::PenHandle pen) override {
        EXPECT_NE(pen, selected);
        return live.erase(pen) == 1;
    }
    void moveToEx(int nx, int ny) override {
        x = nx;
        y = ny;
    }
    bool lineTo(int nx, int ny) override {
        EXPECT_NE(selected, 1u) << "a line drawn with the stock pen";
        lines.push_back({x, y, nx, ny, live.at(selected)});
        x = nx;
        y = ny;
        return true;
    }
};

std::vector<Line> fill(float angle, int w, int h, std::int32_t c1 = RGB(0, 0, 0), std::int32_t c2 = RGB(255, 0, 0),
                       std::int32_t* result = nullptr, int X = 0, int Y = 0) {
    clsGradient painter;
    painter.SetColor1(c1);
    painter.SetColor2(c2);
    painter.SetAngle(angle);
    RecordingDC dc;
    const std::int32_t n = painter.DrawGradient(static_cast<std::int16_t>(X), static_cast<std::int16_t>(Y), dc, w, h);
    if (result != nullptr) {
        *result = n;
    }
    EXPECT_TRUE(dc.live.empty()) << "pens left behind";
    EXPECT_EQ(dc.selected, 1u) << "the device context keeps a pen of the fill";
    return dc.lines;
}

// Vertical lines across the 4 x 2 rectangle at the given columns, in the given reds.
std::vector<Line> vertical(std::initializer_list<int> xs, std::initializer_list<int> reds) {
    std::vector<Line> out;
    auto r = reds.begin();
    for (int x : xs) {
        out.push_back({x, 5, x, -3, *r++});
    }
    return out;
}

// The red channels of a blend.
std::vector<int> reds(std::int32_t from, std::int32_t to, std::int32_t steps) {
    std::vector<std::int32_t> colours;
    clsGradient::BlendColors(from, to, steps, colours);
    std::vector<int> out;
    out.reserve(colours.size());
    for (std::int32_t c : colours) {
        out.push_back(c & 0xFF);
    }
    return out;
}

} // namespace

TEST(GradientFill, WorkedExamplesOnAFourByTwoRectangle) {
    std::int32_t n = 0;
    EXPECT_EQ(fill(0, 4, 2, RGB(0, 0, 0), RGB(255, 0, 0), &n),
              vertical({0, 1, 2, 3, 4, 5}, {0, 42, 85, 128, 170, 255}));
    EXPECT_EQ(n, 12);

    EXPECT_EQ(fill(90, 4, 2),
              (std::vector<Line>{{6, 2, -2, 2, 0}, {6, 1, -2, 1, 64}, {6, 0, -2, 0, 128}, {6, -1, -2, -1, 255}}));

    const auto at180 = fill(180, 4, 2);
    ASSERT_EQ(at180.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(at180[i].x0, 4 - i);
        EXPECT_EQ(at180[i].x1, 4 - i);
    }
    EXPECT_EQ(at180.front().colour, RGB(0, 0, 0));
    EXPECT_EQ(at180.back().colour, RGB(255, 0, 0));

    const auto at270 = fill(270, 4, 2);
    ASSERT_EQ(at270.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(at270[i].y0, i);
        EXPECT_EQ(at270[i].y1, i);
    }
    EXPECT_EQ(at270.front().colour, RGB(0, 0, 0));
}

TEST(GradientFill, DegenerateWidthsAndOffsets) {
    EXPECT_EQ(fill(0, 0, 2), (std::vector<Line>{{0, 3, 0, -1, 0}, {1, 3, 1, -1, 255}})); // columns X and X + 1
    std::int32_t n = 0;
    const auto negative = fill(0, -3, 2, RGB(0, 0, 0), RGB(255, 0, 0), &n);
    ASSERT_EQ(negative.size(), 1u); // n = 3: one line, and the second colour is never drawn
    EXPECT_EQ(negative[0].x0, 0);
    EXPECT_EQ(negative[0].colour, 0);
    EXPECT_EQ(n, 2);

    const auto moved = fill(0, 4, 2, RGB(0, 0, 0), RGB(255, 0, 0), nullptr, 100, 50);
    EXPECT_EQ(moved.front(), (Line{100, 55, 100, 47, 0}));
}

TEST(GradientFill, FailureIsReportedOnceAndEndsTheFill) {
    std::vector<platform::MessageBoxCall> boxes;
    const auto old = platform::setMessageBoxHandler([&](const platform::MessageBoxCall& call) {
        boxes.push_back(call);
        return platform::vbOK;
    });
    std::int32_t n = -1;
    // Endpoints beyond the 32-bit range: an overflow inside the fill.
    EXPECT_TRUE(fill(90, 2147483647, 1, RGB(0, 0, 0), RGB(255, 0, 0), &n).empty());
    platform::setMessageBoxHandler(old);
    EXPECT_EQ(n, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, "Overflow");
    EXPECT_EQ(boxes[0].title, "GradientRect");
    EXPECT_EQ(boxes[0].style, platform::vbExclamation);
}

TEST(BlendColors, StepsTiesAndFallingChannels) {
    for (int steps : {2, 1, 0, -5}) {
        std::vector<std::int32_t> colours{7, 7, 7};
        EXPECT_EQ(clsGradient::BlendColors(RGB(1, 2, 3), RGB(4, 5, 6), steps, colours), 2);
        EXPECT_EQ(colours, (std::vector<std::int32_t>{RGB(1, 2, 3), RGB(4, 5, 6)}));
    }
    std::vector<std::int32_t> colours;
    clsGradient::BlendColors(RGB(0, 0, 0), RGB(100, 0, 200), 4, colours);
    EXPECT_EQ(colours, (std::vector<std::int32_t>{RGB(0, 0, 0), RGB(25, 0, 50), RGB(50, 0, 100), RGB(100, 0, 200)}));
    EXPECT_EQ(reds(RGB(0, 0, 0), RGB(2, 0, 0), 4), (std::vector<int>{0, 0, 1, 2})); // 0.5 rounds to 0
    EXPECT_EQ(reds(RGB(200, 0, 0), RGB(0, 0, 0), 4), (std::vector<int>{200, 150, 100, 0}));
    EXPECT_EQ(reds(RGB(0, 0, 0), RGB(90, 0, 0), 3), (std::vector<int>{0, 30, 90}));

    clsGradient::BlendColors(static_cast<std::int32_t>(0x8000000F), static_cast<std::int32_t>(0x8000000F), 4, colours);
    EXPECT_EQ(colours, (std::vector<std::int32_t>{static_cast<std::int32_t>(0x8000000F), 0x0F, 0x0F,
                                                  static_cast<std::int32_t>(0x8000000F)}));
}

TEST(GradientProperties, DefaultsSystemColoursAndAngles) {
    clsGradient painter;
    EXPECT_EQ(painter.Color1(), 0x00FFFFD0);
    EXPECT_EQ(painter.Color2(), 0x00400000);
    EXPECT_EQ(painter.Angle(), 315.0f);

    const auto old = platform::setSysColorProvider([](int index) -> std::optional<std::int32_t> {
        if (index == 5) {
            return RGB(1, 2, 3);
        }
        return std::nullopt;
    });
    painter.SetColor1(static_cast<std::int32_t>(0x80000005));
    EXPECT_EQ(painter.Color1(), RGB(1, 2, 3)); // resolved once, when assigned
    painter.SetColor2(static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(painter.Color2(), RGB(192, 192, 192)); // no role known: the platform's default
    platform::setSysColorProvider(old);
    EXPECT_EQ(painter.Color1(), RGB(1, 2, 3));
    painter.SetColor1(static_cast<std::int32_t>(0x80000019));
    EXPECT_EQ(painter.Color1(), static_cast<std::int32_t>(0x80000019));
}

// The angle is kept in [0, 360).
struct AngleCase {
    const char* name;
    float set;
    float kept;
};
class GradientAngle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(GradientAngle, IsKeptWithinOneTurn) {
    clsGradient painter;
    painter.SetAngle(GetParam().set);
    EXPECT_EQ(painter.Angle(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(GradientProperties, GradientAngle,
                         ::testing::Values(AngleCase{"Negative", -45, 315}, AngleCase{"OneTurn", 360, 0},
                                           AngleCase{"TwoTurnsAndMore", 725, 5},
                                           AngleCase{"TwoTurnsAndAHalfDegree", 720.5f, 0.5f},
                                           AngleCase{"JustBelowZero", -1e-8f, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(GradientRotation, TurnsAnticlockwiseOnTheScreen) {
    gradient::PointSng p{10, 0};
    clsGradient::RotatePoint({0, 0}, p, 90);
    EXPECT_NEAR(p.x, 0, 1e-5);
    EXPECT_NEAR(p.y, -10, 1e-5); // straight up: y grows downwards
    EXPECT_EQ(clsGradient::SafeDivide(1, 0), 0.0);
}

class MetalShading : public ::testing::Test {
protected:
    static void shade(platform::Surface& surface, std::int16_t& m1, std::int16_t& m2, std::int16_t& m3,
                      clsGradient& painter) {
        painter.MetalCylander(RGB(25, 25, 25), RGB(215, 215, 215), RGB(50, 50, 50), RGB(200, 200, 200), m1, m2, m3,
                              &surface);
    }
    static std::uint32_t grey(int v) { return 0xFF000000u | (v << 16) | (v << 8) | v; }
};

TEST_F(MetalShading, MainWindowColumns) {
    platform::Surface surface(313, 210, platform::SurfaceKind::Form);
    surface.SetAutoRedraw(false);
    std::int16_t m1 = 2347, m2 = 3912, m3 = 4695;
    clsGradient painter;
    shade(surface, m1, m2, m3, painter);
    EXPECT_EQ(m1, 156); // converted from twips in the caller's variables
    EXPECT_EQ(m2, 261);
    EXPECT_EQ(m3, 313);
    EXPECT_EQ(surface.pixel(0, 0), grey(25));
    EXPECT_EQ(surface.pixel(156, 0), grey(215));
    EXPECT_EQ(surface.pixel(261, 0), grey(50));
    EXPECT_LT(surface.pixel(155, 0) & 0xFF, 215u); // the band before ends just short of the next band's colour
    for (int x = 0; x < surface.width(); ++x) {
        for (int y = 1; y < surface.height(); ++y) {
            ASSERT_EQ(surface.pixel(x, y), surface.pixel(x, 0)) << "column " << x << " row " << y;
        }
    }
    // The surface keeps its settings; the painter keeps the last band's.
    EXPECT_FALSE(surface.AutoRedraw());
    EXPECT_EQ(surface.ScaleMode(), platform::vbTwips);
    EXPECT_EQ(painter.Angle(), 0.0f);
    EXPECT_EQ(painter.Color1(), RGB(50, 50, 50));
    EXPECT_EQ(painter.Color2(), RGB(200, 200, 200));
}

TEST_F(MetalShading, ScaleModesAndSurfaceKinds) {
    platform::Surface twips(500, 10, platform::SurfaceKind::PictureBox);
    std::int16_t m1 = 3000, m2 = 4500, m3 = 6000;
    clsGradient painter;
    shade(twips, m1, m2, m3, painter);
    EXPECT_EQ((std::vector<int>{m1, m2, m3}), (std::vector<int>{200, 300, 400}));
    EXPECT_EQ(twips.pixel(200, 5), grey(215));
    EXPECT_EQ(twips.pixel(300, 5), grey(50));
    EXPECT_EQ(twips.pixel(401, 5), grey(200));           // the last band's overshoot
    EXPECT_EQ(twips.pixel(402, 5), twips.pixel(499, 5)); // untouched background

    platform::Surface pixels(50, 4, platform::SurfaceKind::Form);
    pixels.SetScaleMode(platform::vbPixels);
    m1 = 10, m2 = 20, m3 = 30;
    shade(pixels, m1, m2, m3, painter);
    EXPECT_EQ((std::vector<int>{m1, m2, m3}), (std::vector<int>{10, 20, 30}));

    platform::Surface label(50, 4, platform::SurfaceKind::Other);
    const std::uint32_t before = label.pixel(0, 0);
    clsGradient untouched;
    shade(label, m1, m2, m3, untouched);
    EXPECT_EQ(label.pixel(0, 0), before);
    EXPECT_EQ(untouched.Angle(), 315.0f);
}

TEST(MetalShadingEdges, TheWindowsSplits) {
    const auto main = gradient::edgesByHalvesAndThirds(4695);
    EXPECT_EQ((std::vector<int>{main.mid1, main.mid2, main.mid3}), (std::vector<int>{2347, 3912, 4695}));
    const auto find = gradient::edgesByHalvesAndThirds(4290);
    EXPECT_EQ((std::vector<int>{find.mid1, find.mid2, find.mid3}), (std::vector<int>{2145, 3575, 4290}));
    const auto word = gradient::edgesBySixthAndMargin(3555);
    EXPECT_EQ((std::vector<int>{word.mid1, word.mid2, word.mid3}), (std::vector<int>{592, 3405, 3555}));
    // The edges are 16-bit: a surface wider than 32767 twips overflows, as the designs' arithmetic does.
    EXPECT_THROW(gradient::edgesByHalvesAndThirds(70000), platform::RuntimeError);
}
