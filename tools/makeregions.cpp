// Writes the four region files that give the windows their outlines: main.pts for the main window and lh.pts,
// rh.pts and bot.pts for the word, meaning and find trays.
//
// The main window is a rounded rectangle. A tray is rounded on its three open sides and square on the side that
// tucks under the main window, and leaves out the strip that lies under the main window when the tray is out
// (100 twips for the word and find trays, 180 for the meaning tray, rounded up to whole pixels): a tray that
// the desktop brings in front never covers the main window's arrow buttons.
//
//   makeregions OUTDIR

#include "platform/headless/Region.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

enum class Tucked { None, Right, Left, Top };

struct Outline {
    const char* file;
    int width;
    int height;
    int corner; // the corner ellipse's diameter
    Tucked tucked;
    int strip; // pixels left out on the tucked side
};

constexpr std::array Outlines{
    Outline{"main.pts", 313, 210, 16, Tucked::None, 0},
    Outline{"lh.pts", 237, 189, 44, Tucked::Right, 7},
    Outline{"rh.pts", 263, 203, 44, Tucked::Left, 12},
    Outline{"bot.pts", 286, 135, 40, Tucked::Top, 7},
};

std::vector<platform::Rect> outlineRects(const Outline& o) {
    int left = 0, top = 0, right = o.width, bottom = o.height;
    switch (o.tucked) {
    case Tucked::Right:
        right -= o.strip;
        break;
    case Tucked::Left:
        left += o.strip;
        break;
    case Tucked::Top:
        top += o.strip;
        break;
    case Tucked::None:
        break;
    }
    std::vector<platform::Rect> rects =
        platform::createRoundRectRgn(left, top, right, bottom, o.corner, o.corner).rects;
    // Square corners on the tucked side: a plain rectangle over that half.
    switch (o.tucked) {
    case Tucked::Right:
        rects.push_back({(left + right) / 2, top, right, bottom});
        break;
    case Tucked::Left:
        rects.push_back({left, top, (left + right) / 2, bottom});
        break;
    case Tucked::Top:
        rects.push_back({left, top, right, (top + bottom) / 2});
        break;
    case Tucked::None:
        break;
    }
    return rects;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makeregions OUTDIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const Outline& outline : Outlines) {
        const std::vector<std::uint8_t> bytes = platform::regionBytes(outlineRects(outline));
        std::ofstream out(dir / outline.file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "makeregions: cannot write " << (dir / outline.file).string() << "\n";
            return 1;
        }
    }
    return 0;
}
