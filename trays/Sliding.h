#pragma once

#include "TrayState.h"
#include "platform/TopLevelWindow.h"

#include <functional>

namespace trays {

using SlideWindow = platform::TopLevelWindow;

// The six slides and the tray follow of the main window. Each step moves the tray, brings the main window to the
// front and yields, so any other handler (another slide included) can run in the middle of a slide; the flags
// change only at the end of a slide. The windows are reached through accessors, as the program reaches its
// single instances.
class Slider {
public:
    using WindowOf = std::function<SlideWindow&()>;
    Slider(TrayState& state, WindowOf main, WindowOf wordTray, WindowOf meaningTray, WindowOf findTray,
           std::function<void()> yield);

    void SlideLeftTrayOut();  // btnToolsOut
    void SlideLeftTrayIn();   // the slide itself; btnToolsIn tests the flag first
    void SlideRightTrayOut(); // btnRightOut
    void SlideRightTrayIn();
    void SlideBottomTrayDown(); // btnBottomDown
    void SlideBottomTrayUp();   // btnBottomUp, which tests its flag itself

    void btnToolsIn_Click();
    void btnRightIn_Click();

    // Puts every tray that is out back beside the main window, where its slide-out would have left it.
    void FollowMainWindow();

private:
    void step(SlideWindow& tray, bool horizontal, float by);

    TrayState& m_state;
    WindowOf m_main;
    WindowOf m_word;
    WindowOf m_meaning;
    WindowOf m_find;
    std::function<void()> m_yield;
};

// nearest(x): rounded to the nearest whole twip, halves to even, as a 32-bit stop.
std::int32_t nearest(double twips);

} // namespace trays
