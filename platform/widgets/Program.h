#pragma once

#include "platform/headless/RuntimeError.h"

#include <QObject>
#include <QString>
#include <functional>
#include <type_traits>
#include <vector>

namespace platform {

class Form;

// The program-wide services of the form runtime: the collection of loaded windows, yielding to the message loop,
// ending the program, and the report of an error that nobody handled.
namespace program {

// The loaded windows, in the order they were loaded.
const std::vector<Form*>& forms();
void formLoaded(Form* form);
void formUnloaded(Form* form);

// Processes every pending event, then returns (the runtime's DoEvents).
void DoEvents();

// Ends the program at once with the given status: nothing that was under way runs on.
[[noreturn]] void end(int status);

// Test seams: what ending the program and yielding do. An empty function restores the real behaviour. A test's end
// handler must not return (it throws to unwind back to the test).
using EndHandler = std::function<void(int)>;
EndHandler setEndHandler(EndHandler handler);
using YieldHandler = std::function<void()>;
YieldHandler setYieldHandler(YieldHandler handler);

// Reports an error that left an event handler or start-up, then ends the program with a non-zero status.
[[noreturn]] void reportUnhandled(const RuntimeError& error);

// Runs an event handler; an error that leaves it is reported and ends the program.
void guarded(const std::function<void()>& handler);
// The same for what the runtime itself does around the handlers (delivering an event), which is no handler.
void reportingErrors(const std::function<void()>& work);
// Whether an event handler is running under that error handling now.
bool insideGuard();

// Connects a signal to an event handler that runs guarded, as every control's own handlers do. The handler takes
// nothing, or the signal's one argument.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection onSignal(Sender* sender, Signal signal, const QObject* context, Handler handler) {
    if constexpr (std::is_invocable_v<Handler>) {
        return QObject::connect(sender, signal, context, [handler] { guarded(handler); });
    } else {
        return QObject::connect(sender, signal, context,
                                [handler](const auto& argument) -> void { guarded([&] { handler(argument); }); });
    }
}

// The executable's name without its extension, the source of errors that the program raises again.
QString executableName();

// The directory of the executable as the platform reports it: no trailing separator except for the root.
QString executableDirectory();
// Test seam: the directory the program takes as its own (an empty text restores the real one).
void setExecutableDirectory(const QString& directory);

} // namespace program

} // namespace platform
