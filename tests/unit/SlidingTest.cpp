#include "trays/sliding/Sliding.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using trays::False;
using trays::Slider;
using trays::True;

namespace {

// A window that reports its position exactly as written and logs what is done to it.
struct FakeWindow : platform::TopLevelWindow {
    FakeWindow(std::string windowName, std::vector<std::string>& sharedLog, float width, float height)
        : name(std::move(windowName)), log(sharedLog), w(width), h(height) {}
    std::string name;
    std::vector<std::string>& log;
    float x = 0, y = 0, w, h;
    bool visible = false;
    float Left() const override { return x; }
    float Top() const override { return y; }
    float Width() const override { return w; }
    float Height() const override { return h; }
    void SetLeft(float v) override { x = v; }
    void SetTop(float v) override { y = v; }
    void Show() override {
        visible = true;
        log.push_back("show " + name);
    }
    void Hide() override {
        visible = false;
        log.push_back("hide " + name);
    }
    void Refresh() override { log.push_back("refresh " + name); }
    void ZOrder() override { ++fronts; }
    int fronts = 0;
};

class Sliding : public ::testing::Test {
protected:
    Sliding()
        : main("main", log, 4695, 3150), word("word", log, 3555, 2835), meaning("meaning", log, 3945, 3045),
          find("find", log, 4290, 2025),
          slider(
              state, [this]() -> platform::TopLevelWindow& { return main; },
              [this]() -> platform::TopLevelWindow& { return word; },
              [this]() -> platform::TopLevelWindow& { return meaning; },
              [this]() -> platform::TopLevelWindow& { return find; }, [this] { yielded(); }) {
        main.x = 6000;
        main.y = 4000;
        park();
    }
    // What the main window's load routine does to the tray state and positions.
    void park() {
        state.LeftTrayOut = state.RightTrayOut = state.BottomTrayOut = False;
        state.LeftTrayStop = state.RightTrayStop = trays::nearest(main.x);
        slider.ParkTrays();
    }
    void yielded() {
        ++steps;
        if (onStep) {
            auto action = std::move(onStep); // one action, at the first step after it was set
            action();
        }
    }

    std::vector<std::string> log;
    FakeWindow main, word, meaning, find;
    trays::TrayState state;
    Slider slider;
    int steps = 0;
    std::function<void()> onStep;
};

} // namespace

TEST_F(Sliding, WordTrayWorkedExample) {
    slider.SlideLeftTrayOut();
    EXPECT_EQ(steps, 116);
    EXPECT_EQ(word.x, 2520.0f); // target 2545, less than one step beyond it
    EXPECT_EQ(word.y, 4100.0f);
    EXPECT_EQ(state.LeftTrayStop, 3455); // the tray's width less 100, not a position
    EXPECT_EQ(state.LeftTrayOut, True);
    EXPECT_EQ(main.fronts, 116);
    steps = 0;
    slider.btnToolsIn_Click();
    EXPECT_EQ(steps, 116);
    EXPECT_EQ(word.x, 6000.0f);
    EXPECT_EQ(state.LeftTrayStop, 6000);
    EXPECT_EQ(state.LeftTrayOut, False);
    EXPECT_FALSE(word.visible);
}

TEST_F(Sliding, MeaningTrayWorkedExample) {
    slider.SlideRightTrayOut();
    EXPECT_EQ(state.RightTrayStop, 10515);
    EXPECT_EQ(steps, 151);
    EXPECT_EQ(meaning.x, 10530.0f);
    EXPECT_EQ(log.front(), "refresh meaning"); // repainted before it shows
    EXPECT_EQ(log.at(1), "show meaning");
    steps = 0;
    slider.btnRightIn_Click();
    EXPECT_EQ(state.RightTrayStop, 6000);
    EXPECT_EQ(steps, 151);
    EXPECT_EQ(meaning.x, 6000.0f);
    EXPECT_EQ(state.RightTrayOut, False);
}

TEST_F(Sliding, FindTrayWorkedExample) {
    slider.SlideBottomTrayDown();
    EXPECT_EQ(state.BottomTrayStop, 7050);
    EXPECT_EQ(steps, 204); // down in steps of 15
    EXPECT_EQ(find.y, 7060.0f);
    EXPECT_EQ(find.x, 6150.0f);
    steps = 0;
    slider.SlideBottomTrayUp();
    EXPECT_EQ(state.BottomTrayStop, 4000);
    EXPECT_EQ(steps, 102); // up in steps of 30
    EXPECT_EQ(find.y, 4000.0f);
    EXPECT_FALSE(find.visible);
}

TEST_F(Sliding, InButtonsDoNothingWhileParkedAndOutButtonsNothingWhileOut) {
    slider.btnToolsIn_Click();
    slider.btnRightIn_Click();
    slider.SlideBottomTrayUp();
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(log.empty());
    slider.SlideLeftTrayOut();
    const int afterOut = steps;
    slider.SlideLeftTrayOut();
    EXPECT_EQ(steps, afterOut);
}

TEST_F(Sliding, WordTrayInStoresTheMainWindowsEdgeNotTheTrays) {
    slider.SlideLeftTrayOut();
    word.x = 5990; // comes to rest 10 twips short of the edge
    slider.SlideLeftTrayIn();
    EXPECT_EQ(word.x, 6020.0f);
    EXPECT_EQ(state.LeftTrayStop, 6000);
}

TEST_F(Sliding, ParkedWordTrayStartsFromTheStoredStopAfterADrag) {
    main.x = 9600; // dragged right by more than the tray's width less 100
    slider.SlideLeftTrayOut();
    EXPECT_EQ(steps, 0); // shown where it starts, in front, and marked out
    EXPECT_EQ(word.x, 6000.0f);
    EXPECT_EQ(word.y, 4100.0f);
    EXPECT_EQ(state.LeftTrayOut, True);
    EXPECT_EQ(main.fronts, 0);
}

TEST_F(Sliding, StopsBeyondSixteenBitsDoNotOverflow) {
    main.x = 40005;
    park();
    slider.SlideRightTrayOut();
    EXPECT_EQ(state.RightTrayStop, 44520);
    EXPECT_EQ(meaning.x, 44535.0f);
    slider.SlideLeftTrayOut();
    EXPECT_EQ(state.LeftTrayOut, True);
}

// What happens when a click comes in the middle of a slide, row by row.
TEST_F(Sliding, SameOutButtonDuringItsSlideOutStartsThatSlideAgain) {
    onStep = [this] {
        word.x = 5000; // somewhere mid-way
        slider.SlideLeftTrayOut();
        EXPECT_EQ(word.x, 6000.0f); // back on its start at once
    };
    slider.SlideLeftTrayOut();
    EXPECT_EQ(word.x, 2520.0f); // and slid to the end
    EXPECT_EQ(state.LeftTrayStop, 3455);
    EXPECT_EQ(state.LeftTrayOut, True);
    EXPECT_EQ(steps, 1 + 116);
}

// A click on a slide's own button at every step, as a fast clicker does, must not nest one loop per click: the
// slides stay one deep and every one ends on its target.
TEST_F(Sliding, ClicksAtEveryStepNeverNestTheSameSlide) {
    int depth = 0;
    int deepest = 0;
    std::function<void()> again;
    const auto clickAtEveryStep = [&](const std::function<void()>& slide) {
        again = [&, slide] {
            ++depth;
            deepest = std::max(deepest, depth);
            if (steps < 2000) {
                onStep = again;
                slide();
            }
            --depth;
        };
        onStep = again;
        slide();
    };
    clickAtEveryStep([this] { slider.SlideLeftTrayOut(); });
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(state.LeftTrayOut, True);
    EXPECT_EQ(word.x, 2520.0f);
    steps = 0;
    clickAtEveryStep([this] { slider.SlideBottomTrayDown(); });
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(state.BottomTrayOut, True);
    EXPECT_EQ(find.y, 7060.0f);
    steps = 0;
    clickAtEveryStep([this] { slider.SlideRightTrayOut(); });
    EXPECT_EQ(state.RightTrayOut, True);
    EXPECT_EQ(meaning.x, 10530.0f);
}

TEST_F(Sliding, InButtonDuringSlideOutAndOutButtonDuringSlideInDoNothing) {
    onStep = [this] { slider.btnToolsIn_Click(); };
    slider.SlideLeftTrayOut();
    EXPECT_EQ(steps, 116);
    EXPECT_EQ(state.LeftTrayOut, True);
    steps = 0;
    onStep = [this] { slider.SlideLeftTrayOut(); };
    slider.btnToolsIn_Click();
    EXPECT_EQ(steps, 116);
    EXPECT_EQ(state.LeftTrayOut, False);
}

TEST_F(Sliding, SameInButtonDuringItsSlideInLetsThatSlideEnd) {
    slider.SlideBottomTrayDown();
    log.clear();
    steps = 0;
    onStep = [this] { slider.SlideBottomTrayUp(); };
    slider.SlideBottomTrayUp();
    EXPECT_EQ(find.y, 4000.0f);
    EXPECT_EQ(state.BottomTrayOut, False);
    EXPECT_EQ(steps, 102);
    EXPECT_EQ(std::count(log.begin(), log.end(), "hide find"), 1);
}

TEST_F(Sliding, AnotherTraysSlideRunsToItsEndInsideTheFirst) {
    onStep = [this] {
        slider.SlideRightTrayOut();
        EXPECT_EQ(state.RightTrayOut, True);
        EXPECT_EQ(state.LeftTrayOut, False); // the first slide is still under way
    };
    slider.SlideLeftTrayOut();
    EXPECT_EQ(state.LeftTrayOut, True);
    EXPECT_EQ(meaning.x, 10530.0f);
    EXPECT_EQ(word.x, 2520.0f);
}

TEST_F(Sliding, ReloadInTheMiddleOfASlideParksAndTheSlideCarriesOn) {
    // Next at the last word: the load routine runs again inside the slide. It parks the tray and sets the stop to
    // the main window's edge, so the slide's own stop test ends it there: the tray stays behind the main window,
    // marked out, and its next follow brings it out beside the main window.
    onStep = [this] { park(); };
    slider.SlideRightTrayOut();
    EXPECT_EQ(state.RightTrayOut, True);
    EXPECT_EQ(meaning.x, 6000.0f);
    slider.FollowMainWindow();
    EXPECT_EQ(meaning.x, 6000.0f + 4695 - 180);
}

TEST_F(Sliding, FollowPutsOutTraysBesideTheMainWindow) {
    slider.SlideLeftTrayOut();
    slider.SlideRightTrayOut();
    slider.SlideBottomTrayDown();
    main.x = 1500;
    main.y = 600;
    slider.FollowMainWindow();
    EXPECT_EQ(word.x, 1500.0f - 3455);
    EXPECT_EQ(word.y, 700.0f);
    EXPECT_EQ(meaning.x, 1500.0f + 4695 - 180);
    EXPECT_EQ(meaning.y, 700.0f);
    EXPECT_EQ(find.x, 1650.0f);
    EXPECT_EQ(find.y, 600.0f + 3150 - 100);
}

TEST_F(Sliding, FollowLeavesParkedAndSlidingOutTraysAlone) {
    onStep = [this] {
        main.x = 100;
        slider.FollowMainWindow();
    };
    slider.SlideRightTrayOut(); // sliding out: not followed; its target was fixed at the start
    EXPECT_EQ(meaning.x, 10530.0f);
    EXPECT_EQ(word.x, 6000.0f); // parked: not followed either
}

TEST_F(Sliding, FollowDuringASlideInPutsTheTrayBackOut) {
    slider.SlideRightTrayOut();
    int follows = 0;
    std::function<void()> followTwice = [&] {
        if (++follows <= 2) {
            slider.FollowMainWindow();
            EXPECT_EQ(meaning.x, 6000.0f + 4695 - 180);
            onStep = followTwice;
        }
    };
    onStep = followTwice;
    slider.SlideRightTrayIn();
    EXPECT_EQ(follows, 3);
    EXPECT_LE(meaning.x, 6000.0f); // on its target or less than one step beyond it
    EXPECT_GT(meaning.x, 6000.0f - 30);
    EXPECT_EQ(state.RightTrayOut, False);
}
