// Writes the application icon as PNG files for the desktop's icon theme, drawn by the same code as the window icon.
//
//   makeicons OUTDIR      writes OUTDIR/16x16.png, 32x32.png and 48x48.png

#include "skin/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons OUTDIR\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1); // NOLINT(concurrency-mt-unsafe): one thread yet
    QGuiApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    for (int size : {16, 32, 48}) {
        const QString file = dir.filePath(QStringLiteral("%1x%1.png").arg(size));
        if (!skin::applicationIconImage(size).save(file)) {
            std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
