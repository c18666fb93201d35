#include "platform/widgets/Program.h"

#include "platform/headless/MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <new>
#include <unistd.h>
#ifdef LEXORANT_LEAK_CHECK_AT_END
#include <sanitizer/lsan_interface.h>

// Allocations that the system libraries under Qt keep for the life of the process are not the program's leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libX11\nleak:libxcb\nleak:libdbus\n";
}
#endif
#include <utility>

namespace platform::program {

namespace {
std::vector<Form*>& loaded() {
    static std::vector<Form*> list;
    return list;
}
EndHandler& endHandler() {
    static EndHandler h;
    return h;
}
YieldHandler& yieldHandler() {
    static YieldHandler h;
    return h;
}
} // namespace

const std::vector<Form*>& forms() {
    return loaded();
}

void formLoaded(Form* form) {
    if (std::find(loaded().begin(), loaded().end(), form) == loaded().end()) {
        loaded().push_back(form);
    }
}

void formUnloaded(Form* form) {
    std::erase(loaded(), form);
}

void DoEvents() {
    if (yieldHandler()) {
        yieldHandler()();
        return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void end(int status) {
    if (endHandler()) {
        endHandler()(status);
    }
    // Like the runtime's End: no handler, loop or slide that was under way gets to run on. The windows have been
    // unloaded by then, the store is never written, and the X server lets go of whatever the process held.
    std::fflush(stdout);
    std::fflush(stderr);
#ifdef LEXORANT_LEAK_CHECK_AT_END
    // The sanitizer build looks for leaks here, since no exit handler runs after _exit: whatever the program still
    // holds is reachable and fine; what nothing holds is reported, and the program ends with the checker's status.
    __lsan_do_leak_check();
#endif
    ::_exit(status);
}

EndHandler setEndHandler(EndHandler handler) {
    return std::exchange(endHandler(), std::move(handler));
}
YieldHandler setYieldHandler(YieldHandler handler) {
    return std::exchange(yieldHandler(), std::move(handler));
}

void reportUnhandled(const RuntimeError& error) {
    std::fprintf(stderr, "lexorant: run-time error %d: %s\n", error.number(), error.description().c_str());
    MsgBox(QString::fromStdString(unhandledErrorText(error)), vbCritical, AppTitle);
    end(1);
}

namespace {
thread_local int g_guards = 0;
} // namespace

bool insideGuard() {
    return g_guards > 0;
}

void reportingErrors(const std::function<void()>& work) {
    try {
        work();
    } catch (const RuntimeError& error) {
        reportUnhandled(error);
    } catch (const std::bad_alloc&) {
        reportUnhandled(RuntimeError(err::OutOfMemory, "Out of memory"));
    }
}

void guarded(const std::function<void()>& handler) {
    struct Depth {
        Depth() { ++g_guards; }
        ~Depth() { --g_guards; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
    } const depth;
    reportingErrors(handler);
}

QString executableName() {
    if (QCoreApplication::instance() == nullptr) {
        return QStringLiteral("lexorant");
    }
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

namespace {
QString& directoryOverride() {
    static QString directory;
    return directory;
}
} // namespace

QString executableDirectory() {
    return directoryOverride().isEmpty() ? QCoreApplication::applicationDirPath() : directoryOverride();
}

void setExecutableDirectory(const QString& directory) {
    directoryOverride() = directory;
}

} // namespace platform::program
