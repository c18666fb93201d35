#pragma once

#include <thread>

namespace platform {

// Loads the desktop's font configuration on a second thread while the application object connects to the display:
// the first text the program lays out would otherwise wait for it. Joined before any window is built.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;
    void join();

private:
    std::thread m_thread;
};

} // namespace platform
