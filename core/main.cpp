#include "core/fMain.h"
#include "platform/widgets/Application.h"
#include "platform/widgets/FontWarmUp.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"

int main(int argc, char** argv) {
    platform::preferXcbOnWayland();
    platform::FontWarmUp fonts;
    platform::Application app(argc, argv);
    fonts.join();
    // Loading the start-up window runs the whole start-up sequence.
    platform::program::guarded([] { platform::instance<core::fMain>(); });
    return platform::Application::exec();
}
