#pragma once

#include "platform/headless/TopLevelWindow.h"
#include "trays/sliding/TrayState.h"

#include <functional>

namespace trays {

using SlideWindow = platform::TopLevelWindow;

// The six slides and the tray follow of the main window. Each step moves the tray, brings the main window to the
// front and yields, so any other handler (another slide included) can run in the middle of a slide; the flags
// change only at the end of a slide. A click for a slide that is already under way does not start a second loop
// inside it: the running slide starts again from its beginning (the tray jumps back to its start and slides to its
// end), so however fast the clicks come, slides nest at most one of each kind deep. The windows are reached through
// accessors, as the program reaches its single instances.
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

    // Parks the three trays behind the main window, hidden or not, as the main window's load routine does.
    void ParkTrays();

    // Puts every tray that is out back beside the main window, where its slide-out would have left it.
    void FollowMainWindow();

private:
    enum Slide : unsigned { LeftOut = 1, LeftIn = 2, RightOut = 4, RightIn = 8, BottomDown = 16, BottomUp = 32 };
    // Marks a slide as running for as long as it lives; false when that slide was already running.
    class Running {
    public:
        Running(unsigned& running, Slide slide);
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        bool first() const { return m_first; }

    private:
        unsigned& m_running;
        Slide m_slide;
        bool m_first;
    };

    void step(SlideWindow& tray, bool horizontal, float by);

    TrayState& m_state;
    WindowOf m_main;
    WindowOf m_word;
    WindowOf m_meaning;
    WindowOf m_find;
    std::function<void()> m_yield;
    unsigned m_running = 0;
};

// nearest(x): rounded to the nearest whole twip, halves to even, as a 32-bit stop.
std::int32_t nearest(double twips);

} // namespace trays
