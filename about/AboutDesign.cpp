#include "about/AboutDesign.h"

#include <array>

namespace about {

namespace {
using platform::RGB;
using skin::ControlSpec;
using skin::Kind;

constexpr skin::FontSpec Link{skin::Face::SansSerif, 8.25f, false, true};

constexpr auto Controls = std::to_array<ControlSpec>({
    {.kind = Kind::Image, .name = "imgIcon", .left = 120, .top = 120, .width = 480, .height = 480},
    {.kind = Kind::Label,
     .name = "lblTitle",
     .left = 840,
     .top = 120,
     .width = 2760,
     .height = 240,
     .foreColour = RGB(0, 0, 0)},
    {.kind = Kind::Label, .name = "lblCopyright", .left = 840, .top = 480, .width = 2760, .height = 225},
    {.kind = Kind::Label, .name = "lblDistribute", .left = 840, .top = 720, .width = 2760, .height = 255},
    {.kind = Kind::Line,
     .name = "Line1",
     .index = 1,
     .left = 810,
     .top = 1065,
     .right = 3450,
     .bottom = 1065,
     .foreColour = RGB(128, 128, 128)},
    {.kind = Kind::Line,
     .name = "Line1",
     .index = 0,
     .left = 810,
     .top = 1080,
     .right = 3450,
     .bottom = 1080,
     .foreColour = RGB(255, 255, 255),
     .borderWidth = 2},
    {.kind = Kind::Label, .name = "lblInfo", .left = 840, .top = 1200, .width = 2760, .height = 255},
    {.kind = Kind::Label,
     .name = "lblWww",
     .left = 840,
     .top = 1440,
     .width = 2325,
     .height = 255,
     .foreColour = RGB(0, 0, 255),
     .font = Link,
     .ownFont = true,
     .accessible = "Open the Lexorant web site"},
    {.kind = Kind::Label, .name = "lblComments", .left = 840, .top = 1800, .width = 2760, .height = 255},
    {.kind = Kind::Label,
     .name = "lblSmtp",
     .left = 840,
     .top = 2040,
     .width = 1950,
     .height = 255,
     .foreColour = RGB(0, 0, 255),
     .font = Link,
     .ownFont = true,
     .accessible = "Write to the Lexorant developers"},
    {.kind = Kind::Button,
     .name = "cmdOK",
     .left = 1200,
     .top = 2475,
     .width = 1260,
     .height = 345,
     .text = "OK",
     .tabIndex = 0,
     .accessible = "Close the about box"},
});

constexpr skin::FormDesign About{"", 3735, 2955, skin::ButtonFace, {skin::Face::SansSerif, 8.25f}, Controls};
} // namespace

const skin::FormDesign& aboutDesign() {
    return About;
}

} // namespace about
