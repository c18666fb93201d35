// Writes the four region files that give the windows their outlines: main.pts for the main window and lh.pts,
// rh.pts and bot.pts for the word, meaning and find trays. Each is a rounded outline of its window's size.
//
//   makeregions OUTDIR

#include "platform/Region.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

struct Outline {
    const char* file;
    int width;
    int height;
    int corner; // the corner ellipse's diameter
};

// Window sizes in pixels. The main window's corners stay clear of the arrows at its corners; the trays' follow
// the rounded outline shapes drawn on them.
constexpr Outline Outlines[] = {
    {"main.pts", 313, 210, 16},
    {"lh.pts", 237, 189, 44},
    {"rh.pts", 263, 203, 44},
    {"bot.pts", 286, 135, 40},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makeregions OUTDIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const Outline& outline : Outlines) {
        const platform::Region region =
            platform::createRoundRectRgn(0, 0, outline.width, outline.height, outline.corner, outline.corner);
        const std::vector<std::uint8_t> bytes = platform::regionBytes(region.rects);
        std::ofstream out(dir / outline.file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "makeregions: cannot write " << (dir / outline.file).string() << "\n";
            return 1;
        }
    }
    return 0;
}
