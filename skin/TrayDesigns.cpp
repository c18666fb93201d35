// The three trays' designs: every control, front to back, in twips.
#include "skin/Design.h"

#include <array>

namespace skin {

namespace {

constexpr std::int32_t Gray = RGB(128, 128, 128);
constexpr std::int32_t Silver = RGB(192, 192, 192);
constexpr FontSpec Tray{Face::SansSerif, 8.25f};

constexpr ControlSpec outline(int left, int top, int width, int height) {
    return {.kind = Kind::Shape,
            .name = "Shape1",
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .foreColour = Gray,
            .shape = platform::ShapeKind::RoundedRectangle,
            .borderWidth = 3};
}

constexpr auto WordTray = std::to_array<ControlSpec>({
    {.kind = Kind::ListBox,
     .name = "List1",
     .left = 2040,
     .top = 1560,
     .width = 1215,
     .height = 420,
     .tabIndex = 1,
     .accessible = "Word list"},
    {.kind = Kind::TextBox,
     .name = "Text1",
     .left = 495,
     .top = 600,
     .width = 3045,
     .height = 1560,
     .text = "Word",
     .foreColour = RGB(255, 255, 0),
     .backColour = RGB(0, 0, 0),
     .font = {Face::SansSerif, 13.5f, true},
     .ownFont = true,
     .tabIndex = 0,
     .multiLine = true,
     .accessible = "Word"},
    {.kind = Kind::Timer, .name = "Timer1"},
    outline(225, 255, 3750, 2475),
});

constexpr auto MeaningTray = std::to_array<ControlSpec>({
    {.kind = Kind::TextBox,
     .name = "Text2",
     .left = 120,
     .top = 480,
     .width = 3375,
     .height = 2115,
     .text = "Meaning\r\n",
     .foreColour = RGB(45, 255, 15),
     .backColour = WindowText,
     .font = {Face::SansSerif, 12.0f},
     .ownFont = true,
     .tabIndex = 1,
     .multiLine = true,
     .scrollBars = true,
     .accessible = "Meaning"},
    outline(-150, 225, 3825, 2520),
    {.kind = Kind::Label,
     .name = "Label1",
     .left = 375,
     .top = 840,
     .width = 2910,
     .height = 1290,
     .text = "Put all your cool stuff and doodads, widgets and whatever on these cool sliding panels ",
     .foreColour = RGB(0, 0, 128),
     .font = {Face::SansSerif, 12.0f},
     .ownFont = true},
});

constexpr auto FindTray = std::to_array<ControlSpec>({
    {.kind = Kind::TextBox,
     .name = "Text3",
     .left = 450,
     .top = 690,
     .width = 3495,
     .height = 450,
     .text = "",
     .foreColour = RGB(253, 183, 19),
     .backColour = RGB(0, 0, 0),
     .font = {Face::SansSerif, 13.5f},
     .ownFont = true,
     .tabIndex = 1,
     .accessible = "Word to find"},
    {.kind = Kind::Button,
     .name = "Command1",
     .left = 1680,
     .top = 1335,
     .width = 1245,
     .height = 330,
     .text = "&FindFast",
     .tabIndex = 0,
     .accessible = "Find the word"},
    outline(210, -30, 3960, 1980),
});

constexpr FormDesign Word{"Form1", 3555, 2835, Silver, Tray, WordTray};
constexpr FormDesign Meaning{"Form1", 3945, 3045, Silver, Tray, MeaningTray};
constexpr FormDesign Find{"Form1", 4290, 2025, Silver, Tray, FindTray};

} // namespace

const FormDesign& wordTrayDesign() {
    return Word;
}
const FormDesign& meaningTrayDesign() {
    return Meaning;
}
const FormDesign& findTrayDesign() {
    return Find;
}

} // namespace skin
