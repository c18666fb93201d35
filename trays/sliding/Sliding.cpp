#include "trays/sliding/Sliding.h"

#include "platform/headless/Conversions.h"
#include "trays/sliding/TrayGeometry.h"

#include <utility>

namespace trays {

using platform::single;
using namespace geometry;

std::int32_t nearest(double twips) {
    return platform::toInt32(twips);
}

Slider::Slider(TrayState& state, WindowOf main, WindowOf wordTray, WindowOf meaningTray, WindowOf findTray,
               std::function<void()> yield)
    : m_state(state), m_main(std::move(main)), m_word(std::move(wordTray)), m_meaning(std::move(meaningTray)),
      m_find(std::move(findTray)), m_yield(std::move(yield)) {}

Slider::Running::Running(unsigned& running, Slide slide)
    : m_running(running), m_slide(slide), m_first((running & slide) == 0) {
    m_running |= slide;
}

Slider::Running::~Running() {
    if (m_first) {
        m_running &= ~static_cast<unsigned>(m_slide);
    }
}

void Slider::step(SlideWindow& tray, bool horizontal, float by) {
    if (horizontal) {
        tray.SetLeft(single(static_cast<double>(tray.Left()) + by));
    } else {
        tray.SetTop(single(static_cast<double>(tray.Top()) + by));
    }
    m_main().ZOrder();
    m_yield();
}

void Slider::SlideLeftTrayOut() {
    if (m_state.LeftTrayOut != False) {
        return;
    }
    m_word().SetLeft(static_cast<float>(m_state.LeftTrayStop));
    m_word().SetTop(single(static_cast<double>(m_main().Top()) + SideTrayDrop));
    m_word().Show();
    const Running run(m_running, LeftOut);
    if (!run.first()) {
        return; // the slide under way carries on from the start just set
    }
    // The target follows a main window that moves during the slide: it is read again before every step.
    while (m_word().Left() > single(static_cast<double>(m_main().Left()) - m_word().Width() + WordTrayOverlap)) {
        step(m_word(), true, -SideTrayStep);
    }
    m_state.LeftTrayStop = nearest(static_cast<double>(m_word().Width()) - WordTrayOverlap);
    m_state.LeftTrayOut = True;
}

void Slider::SlideLeftTrayIn() {
    const Running run(m_running, LeftIn);
    if (!run.first()) {
        return;
    }
    while (m_word().Left() < m_main().Left()) {
        step(m_word(), true, SideTrayStep);
    }
    m_state.LeftTrayStop = nearest(m_main().Left());
    m_word().Hide();
    m_state.LeftTrayOut = False;
}

void Slider::btnToolsIn_Click() {
    if (m_state.LeftTrayOut != False) {
        SlideLeftTrayIn();
    }
}

void Slider::SlideRightTrayOut() {
    if (m_state.RightTrayOut != False) {
        return;
    }
    m_meaning().SetLeft(m_main().Left());
    m_meaning().SetTop(single(static_cast<double>(m_main().Top()) + SideTrayDrop));
    m_meaning().Refresh();
    m_meaning().Show();
    m_state.RightTrayStop = nearest(static_cast<double>(m_main().Width()) + m_main().Left() - MeaningTrayOverlap);
    const Running run(m_running, RightOut);
    if (!run.first()) {
        return;
    }
    while (m_meaning().Left() < static_cast<float>(m_state.RightTrayStop)) {
        step(m_meaning(), true, SideTrayStep);
    }
    m_state.RightTrayOut = True;
}

void Slider::SlideRightTrayIn() {
    m_state.RightTrayStop = nearest(m_main().Left());
    const Running run(m_running, RightIn);
    if (!run.first()) {
        return;
    }
    while (m_meaning().Left() > static_cast<float>(m_state.RightTrayStop)) {
        step(m_meaning(), true, -SideTrayStep);
    }
    m_meaning().Hide();
    m_state.RightTrayOut = False;
}

void Slider::btnRightIn_Click() {
    if (m_state.RightTrayOut != False) {
        SlideRightTrayIn();
    }
}

void Slider::SlideBottomTrayDown() {
    if (m_state.BottomTrayOut != False) {
        return;
    }
    m_find().SetLeft(single(static_cast<double>(m_main().Left()) + FindTrayInset));
    m_find().SetTop(m_main().Top());
    m_find().Show();
    m_state.BottomTrayStop = nearest(static_cast<double>(m_main().Height()) + m_main().Top() - FindTrayOverlap);
    const Running run(m_running, BottomDown);
    if (!run.first()) {
        return;
    }
    while (m_find().Top() < static_cast<float>(m_state.BottomTrayStop)) {
        step(m_find(), false, FindTrayStepDown);
    }
    m_state.BottomTrayOut = True;
}

void Slider::SlideBottomTrayUp() {
    if (m_state.BottomTrayOut == False) {
        return;
    }
    m_state.BottomTrayStop = nearest(m_main().Top());
    const Running run(m_running, BottomUp);
    if (!run.first()) {
        return;
    }
    while (m_find().Top() > static_cast<float>(m_state.BottomTrayStop)) {
        step(m_find(), false, -FindTrayStepUp);
    }
    m_find().Hide();
    m_state.BottomTrayOut = False;
}

void Slider::ParkTrays() {
    // Each tray's position is read from the main window first and its left edge written first: that write is the
    // tray's first touch, which loads it. So the trays load in this order: word, meaning, find.
    const float wordLeft = m_main().Left();
    m_word().SetLeft(wordLeft);
    m_word().SetTop(single(static_cast<double>(m_main().Top()) + SideTrayDrop));
    const float meaningLeft = m_main().Left();
    m_meaning().SetLeft(meaningLeft);
    m_meaning().SetTop(single(static_cast<double>(m_main().Top()) + SideTrayDrop));
    const float findLeft = single(static_cast<double>(m_main().Left()) + FindTrayInset);
    m_find().SetLeft(findLeft);
    m_find().SetTop(m_main().Top());
}

void Slider::FollowMainWindow() {
    SlideWindow& main = m_main();
    if (m_state.LeftTrayOut != False) {
        m_word().SetLeft(single(static_cast<double>(main.Left()) - m_state.LeftTrayStop));
        m_word().SetTop(single(static_cast<double>(main.Top()) + SideTrayDrop));
    }
    if (m_state.RightTrayOut != False) {
        m_meaning().SetLeft(single(static_cast<double>(main.Width()) + main.Left() - MeaningTrayOverlap));
        m_meaning().SetTop(single(static_cast<double>(main.Top()) + SideTrayDrop));
    }
    if (m_state.BottomTrayOut != False) {
        m_find().SetLeft(single(static_cast<double>(main.Left()) + FindTrayInset));
        m_find().SetTop(single(static_cast<double>(main.Height()) + main.Top() - FindTrayOverlap));
    }
}

} // namespace trays
