#include "about/Version.h"
#include "core/fMain.h"
#include "core/module/CommandLine.h"
#include "platform/widgets/Application.h"
#include "platform/widgets/FontWarmUp.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "trays/fBottomTray.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// What the command line asked to find, once the window is up: the words given, or the text selected in any program
// (the clipboard's when nothing is selected). Found as "&FindFast" finds it.
void lookUpAfterStart(const core::CommandLine& line) {
    if (line.lookUp.empty() && !line.selection) {
        return;
    }
    QTimer::singleShot(0, [line] {
        platform::program::guarded([&line] {
            QString text = QString::fromStdString(line.lookUp);
            if (line.selection) {
                const QClipboard* clipboard = QGuiApplication::clipboard();
                text = clipboard->text(QClipboard::Selection).simplified();
                if (text.isEmpty()) {
                    text = clipboard->text(QClipboard::Clipboard).simplified();
                }
            }
            if (!text.isEmpty()) {
                platform::instance<trays::fBottomTray>().LookUpWord(text);
            }
        });
    });
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer without a display.
    const core::CommandLine asked = core::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (asked.action == core::CommandLine::Action::Help) {
        std::fputs(core::commandLineHelp().c_str(), stdout);
        return 0;
    }
    if (asked.action == core::CommandLine::Action::Version) {
        std::printf("lexorant %d.%d.%d\n", about::VersionMajor, about::VersionMinor, about::VersionRevision);
        return 0;
    }
    platform::preferXcbOnWayland();
    platform::FontWarmUp fonts;
    platform::Application app(argc, argv);
    fonts.join();
    // Qt has taken its own options out of the arguments by now.
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        arguments.push_back(argument.toStdString());
    }
    const core::CommandLine line = core::parseCommandLine(arguments);
    if (line.action == core::CommandLine::Action::Error) {
        std::fprintf(stderr, "lexorant: %s\nTry 'lexorant --help'.\n", line.error.c_str());
        return 2;
    }
    // Loading the start-up window runs the whole start-up sequence.
    platform::program::guarded([] { platform::instance<core::fMain>(); });
    lookUpAfterStart(line);
    return platform::Application::exec();
}
