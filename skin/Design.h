#pragma once

#include "platform/headless/SystemColors.h"
#include "platform/widgets/Graphics.h"
#include "skin/Pictures.h"

#include <cstdint>
#include <span>

namespace skin {

// The kinds of control a window design holds.
enum class Kind { Label, Image, Shape, Line, TextBox, ListBox, Button, Timer };
enum class Align { Left, Right, Centre };

// The two faces of the designs: the classic dialog face and its heavy display face.
enum class Face { SansSerif, Heavy };

struct FontSpec {
    Face face = Face::SansSerif;
    float points = 8.25f;
    bool bold = false;
    bool underline = false;
};

inline constexpr std::int32_t Default = -1; // the control's default colour
inline constexpr std::int32_t ButtonFace = static_cast<std::int32_t>(0x8000000F);
inline constexpr std::int32_t WindowText = static_cast<std::int32_t>(0x80000008);
inline constexpr std::int32_t ButtonText = static_cast<std::int32_t>(0x80000012);

using platform::RGB;

// One control of a design: positions and sizes in twips from the window's inside top-left corner; a line runs from
// (left, top) to (right, bottom).
struct ControlSpec {
    Kind kind = Kind::Label;
    const char* name = "";
    int index = -1; // member of a control array, or -1
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right = 0;  // lines only
    int bottom = 0; // lines only
    const char* text = nullptr;
    std::int32_t foreColour = Default;
    std::int32_t backColour = Default;
    FontSpec font{};
    bool ownFont = false;
    Align align = Align::Left;
    bool autoSize = false;
    bool visible = true;
    int tabIndex = -1;
    Picture picture = Picture::None;
    platform::ShapeKind shape = platform::ShapeKind::Rectangle;
    int borderWidth = 1;
    bool filled = false;
    std::int32_t fillColour = Default;
    bool multiLine = false;
    bool scrollBars = false;
    const char* hint = nullptr; // tooltip
    // What a control the user acts on is for, as assistive tools tell it: its description where the control shows
    // a text (the text is its name, so a user can say what is on screen), its name where it shows none.
    const char* accessible = nullptr;
    const char* shows = nullptr; // the text a user sees on a control that draws none itself (a picture under a label)
};

// A window's own settings and its controls, front to back.
struct FormDesign {
    const char* caption;
    int width;  // inside, twips
    int height; // inside, twips
    std::int32_t backColour;
    FontSpec font;
    std::span<const ControlSpec> controls;
};

const FormDesign& mainDesign();
const FormDesign& wordTrayDesign();
const FormDesign& meaningTrayDesign();
const FormDesign& findTrayDesign();

} // namespace skin
