#include "about/Version.h"
#include "core/fMain.h"
#include "core/module/WordView.h"
#include "offers/OfferData.h"
#include "platform/headless/Processes.h"
#include "platform/widgets/Application.h"
#include "platform/widgets/FontWarmUp.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SessionBus.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/X11Selection.h"
#include "run/CommandLine.h"
#include "store/Database.h"

#include <QAbstractEventDispatcher>
#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The name a running Lexorant answers to on the session bus.
const QString BusName = QStringLiteral("example.lexorant.Lexorant");

// What the command line asks to find: the words given, or the text selected in any program (the clipboard's when
// nothing is selected).
QString lookUpText(const run::CommandLine& line) {
    if (!line.selection) {
        return QString::fromStdString(line.lookUp);
    }
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // A program that holds a selection and never answers is waited on two seconds, not the toolkit's thirty.
        constexpr std::chrono::seconds MostWait{2};
        for (const platform::Offered which : {platform::Offered::Selection, platform::Offered::Clipboard}) {
            if (const auto text = platform::offeredText(which, MostWait); text && !text->trimmed().isEmpty()) {
                return text->simplified();
            }
        }
        return {};
    }
    const QClipboard* clipboard = QGuiApplication::clipboard();
    QString text = clipboard->text(QClipboard::Selection).simplified();
    if (text.isEmpty()) {
        text = clipboard->text(QClipboard::Clipboard).simplified();
    }
    return text;
}

// A look-up for the main window, once it is up and the loop runs.
void lookUpSoon(const QString& text) {
    QTimer::singleShot(0, [text] {
        platform::program::guarded([&text] { platform::instance<core::fMain>().LookUpRequested(text); });
    });
}

// What the command line asks for, Qt's own options taken out (Qt saw only what came before "--").
run::CommandLine commandLine(char** argv, int argc, int words) {
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        arguments.push_back(argument.toStdString());
    }
    arguments.insert(arguments.end(), argv + words, argv + argc);
    return run::parseCommandLine(arguments);
}

// A Lexorant started moments before this one, on the same session bus, may not be on the bus yet: on a busy machine
// its first steps can come later than this one's. The look-up waits for it this long at most.
constexpr std::chrono::seconds StartingWait{5};
constexpr std::chrono::milliseconds StartingRetry{50};

// A Lexorant that is already running, or one started moments before this one, does the look-up and comes to the
// front, and this one ends with the status returned; nothing when this one is to run. A blank request does nothing
// there: there is nothing to send.
std::optional<int> handOver(const QString& text) {
    if (text.trimmed().isEmpty()) {
        if (platform::sessionbus::isAnswered(BusName)) {
            std::fputs("lexorant: nothing is selected\n", stderr);
            return 1;
        }
        return std::nullopt;
    }
    if (!platform::sessionbus::reachable()) {
        return std::nullopt;
    }
    const auto until = std::chrono::steady_clock::now() + StartingWait;
    for (;;) {
        if (platform::sessionbus::sendRequest(BusName, text)) {
            return 0;
        }
        // One that owns the name and did not take the look-up is not asked again.
        if (platform::sessionbus::isAnswered(BusName) || std::chrono::steady_clock::now() > until ||
            !platform::processes::startedJustBefore(StartingWait, run::PrintingOnly, "DBUS_SESSION_BUS_ADDRESS")) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(StartingRetry);
    }
}

// The index for one description is some 90 MB of small blocks, made within a second. A quarter of that second went
// to faulting the heap in a page at a time and to finding where each of so many small pages lies: so the heap is
// grown at once and kept, and offered the system's large pages where it has them (its "madvise" setting). Under a
// sanitizer, which keeps a heap of its own, this changes nothing.
void prepareHeapForIndex() {
    constexpr std::size_t Block = std::size_t{16} << 20;
    constexpr std::size_t Blocks = 8;
    constexpr std::uintptr_t LargePage = std::uintptr_t{2} << 20;
    // The index's large blocks come from the heap too, and what it frees stays there for the next.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(2 * Block));          // NOLINT(concurrency-mt-unsafe): one thread yet
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * Block * Blocks)); // NOLINT(concurrency-mt-unsafe): one thread yet
    auto* const from = static_cast<char*>(sbrk(0));
    std::array<void*, Blocks> grown{};
    for (void*& block : grown) {
        block = std::malloc(Block);
    }
    auto* const to = static_cast<char*>(sbrk(0));
    // From the first large page boundary in what was grown.
    const std::uintptr_t misaligned = reinterpret_cast<std::uintptr_t>(from) % LargePage;
    char* const start = misaligned == 0 ? from : from + (LargePage - misaligned);
    if (to > start) {
        madvise(start, static_cast<std::size_t>(to - start), MADV_HUGEPAGE);
    }
    for (void* block : grown) {
        std::free(block);
    }
}

// --words-for: the words for a meaning out of the word database beside the program, printed one a line, best first;
// no display, no window, no running Lexorant asked.
int printWordsFor(const run::CommandLine& asked) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string database = (self.parent_path() / "db2.mdb").string();
    if (error || !std::filesystem::is_regular_file(database, error)) {
        std::fprintf(stderr, "lexorant: no word database at %s\n", database.c_str());
        return 1;
    }
    prepareHeapForIndex();
    const offers::DescriptionIndex index = offers::readDescriptions(database, "Table3", asked.description);
    for (const offers::Described& found : index.wordsFor(asked.description, static_cast<std::size_t>(asked.count))) {
        std::printf("%s\n", found.word.c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// The program itself: the start-up window loaded, the text looked up once it is up, later requests answered.
int runProgram(const std::optional<QString>& lookUp) {
    // At rest the word store holds no lock on its file, for other programs that write it.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [] { store::DBEngine::instance().EndReads(); });
    // The running Lexorant from the first moment: a start a moment later hands its look-up over.
    platform::sessionbus::claimName(BusName);
    // Loading the start-up window runs the whole start-up sequence; an Access file's reader starts first, to open
    // the file while the window is built.
    core::PrepareWordViews();
    platform::program::guarded([] { platform::instance<core::fMain>(); });
    if (lookUp) {
        lookUpSoon(*lookUp);
    }
    // Later look-ups come here once the first picture is up (the bus costs the start-up nothing).
    QTimer::singleShot(core::fMain::TrayBuildDelay, [] {
        platform::sessionbus::answerRequests(BusName, [](const QString& handedOver) { lookUpSoon(handedOver); });
    });
    return platform::Application::exec();
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer without a display.
    const run::CommandLine asked = run::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (asked.action == run::CommandLine::Action::Help) {
        std::fputs(run::commandLineHelp().c_str(), stdout);
        return 0;
    }
    if (asked.action == run::CommandLine::Action::Version) {
        std::printf("lexorant %d.%d.%d\n", about::VersionMajor, about::VersionMinor, about::VersionRevision);
        return 0;
    }
    if (asked.action == run::CommandLine::Action::WordsFor) {
        return printWordsFor(asked);
    }
    if (asked.action == run::CommandLine::Action::Error &&
        (asked.error.find("--words-for") != std::string::npos || asked.error.find("--count") != std::string::npos)) {
        // Said without a display: --words-for is for scripts.
        std::fprintf(stderr, "lexorant: %s\nTry 'lexorant --help'.\n", asked.error.c_str());
        return 2;
    }
    platform::preferXcbOnWayland();
    platform::FontWarmUp fonts;
    // Qt takes its own options (-reverse, -style, ...) out of what it is given: it is given nothing after "--", which
    // is words whatever they look like.
    const int words = static_cast<int>(std::find(argv, argv + argc, std::string_view("--")) - argv);
    int qtArgc = words;
    platform::Application app(qtArgc, argv);
    fonts.join();
    const run::CommandLine line = commandLine(argv, argc, words);
    if (line.action == run::CommandLine::Action::Error) {
        std::fprintf(stderr, "lexorant: %s\nTry 'lexorant --help'.\n", line.error.c_str());
        return 2;
    }
    std::optional<QString> lookUp;
    if (line.selection || !line.lookUp.empty()) {
        lookUp = lookUpText(line);
        if (const auto status = handOver(*lookUp)) {
            return *status;
        }
    }
    return runProgram(lookUp);
}
