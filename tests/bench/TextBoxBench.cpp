// How long the program is busy after a record with a very long word or meaning is shown: the text goes into the
// box, and the box is laid out and painted, as it is when a browse or a find shows the record. Target: the next
// click is handled within 200 ms whatever the size and shape of the text.
#include "platform/widgets/TextBox.h"
#include "tests/bench/BenchTargets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

QString longText(qsizetype size, bool withSpaces) {
    QString text;
    text.reserve(size);
    const QString word = QStringLiteral("abcdefghi");
    while (text.size() < size) {
        text += word;
        if (withSpaces) {
            text += QLatin1Char(' ');
        }
    }
    text.truncate(size);
    return text;
}

// Milliseconds from setting the text to the box being painted, median of a few runs.
double busyFor(QPlainTextEdit& box, const QString& text) {
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        platform::SetText(box, QStringLiteral("short"));
        box.repaint();
        QElapsedTimer timer;
        timer.start();
        platform::SetText(box, text);
        box.repaint();
        QApplication::processEvents();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Shaped as the trays' boxes are: the meaning box with a scroll bar, the word box in a large bold face.
    QPlainTextEdit meaning;
    meaning.setGeometry(0, 0, 225, 141);
    meaning.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    meaning.setFont(QFont(QStringLiteral("Liberation Sans"), 12));
    meaning.show();
    QPlainTextEdit word;
    word.setGeometry(0, 0, 203, 104);
    word.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    word.setFont(QFont(QStringLiteral("Liberation Sans"), 13, QFont::Bold));
    word.show();

    bool met = true;
    const qsizetype MB = 1 << 20;
    struct Case {
        const char* what;
        QPlainTextEdit* box;
        qsizetype size;
        bool spaces;
    };
    for (const Case& c : {Case{"a 1 MB meaning with spaces", &meaning, MB, true},
                          Case{"a 1 MB meaning without spaces", &meaning, MB, false},
                          Case{"a 10 MB meaning with spaces", &meaning, 10 * MB, true},
                          Case{"a 10 MB meaning without spaces", &meaning, 10 * MB, false},
                          Case{"a 1 MB word without spaces", &word, MB, false}}) {
        met &= benchsupport::check(std::string("showing ") + c.what + " (busy until painted)",
                                   busyFor(*c.box, longText(c.size, c.spaces)), 200, "ms");
    }
    return met ? EXIT_SUCCESS : EXIT_FAILURE;
}
