#pragma once

#include "skin/arrows/ArrowPicture.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace skin {

// The pictures the designs hold, built into the program.
enum class Picture {
    None,
    ArrowUp,
    ArrowUpLit,
    ArrowDown,
    ArrowDownLit,
    ArrowLeft,
    ArrowLeftLit,
    ArrowRight,
    ArrowRightLit,
};

// An arrow as an indexed image with a 256-entry palette: entry 0 the arrow's colour, entry 1 magenta, transparent.
QImage arrowImage(ArrowDirection direction, bool highlighted);
QPixmap picturePixmap(Picture picture);

// The "previous" and "next" icons (a yellow diamond outlined in black with a black arrow) and the application
// icon, each at 16 and 32 pixels.
QIcon previousIcon();
QIcon nextIcon();
QIcon applicationIcon();
// The application icon's drawing at any size.
QImage applicationIconImage(int size);

} // namespace skin
