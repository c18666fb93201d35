#pragma once

#include <QString>
#include <functional>

namespace platform::sessionbus {

// A program that is already running takes requests from new starts of itself through the desktop's session bus:
// the first instance owns the program's bus name, and a later start hands its request over and ends.

// What the running instance does with a request: the request's text (empty for none).
using RequestHandler = std::function<void(const QString& text)>;

// Claims the name on the session bus at once, without waiting for the bus: a start of the program moments later
// finds it taken and hands its request over (which waits for the requests to be answered). Nothing happens when there
// is no session bus or another instance owns the name.
void claimName(const QString& name);

// Owns the name on the session bus and answers each request by calling the handler once the reply is sent (a
// handler may open boxes; the sender does not wait for them). False when there is no session bus or another
// instance owns the name.
bool answerRequests(const QString& name, RequestHandler handler);

// Hands the text to the instance that owns the name. True when one took it; false when none runs, or there is no
// session bus, or it did not answer in time (an instance that has claimed the name but does not answer yet is asked
// again for a while).
bool sendRequest(const QString& name, const QString& text);

// Whether there is a session bus to hand requests over.
bool reachable();

// Whether an instance owns the name now.
bool isAnswered(const QString& name);

} // namespace platform::sessionbus
