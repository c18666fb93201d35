#pragma once

namespace testsupport {

// Destroys every window's single instance, so that the next test builds its windows fresh.
void destroyWindows();

} // namespace testsupport
