#include "fMain.h"
#include "platform/Application.h"
#include "platform/FontWarmUp.h"
#include "platform/Program.h"
#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
    platform::preferXcbOnWayland();
    platform::FontWarmUp fonts;
    platform::Application app(argc, argv);
    fonts.join();
    // Loading the start-up window runs the whole start-up sequence.
    platform::program::guarded([] { platform::instance<core::fMain>(); });
    return platform::Application::exec();
}
