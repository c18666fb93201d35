// What a reader does with the word shown besides reading it: hears it said (or is told why it cannot be), and makes
// the boxes' text larger and smaller within limits, kept across runs.
#include "platform/speech/Speech.h"
#include "tests/widget/ProgramFixture.h"
#include "trays/TextSize.h"
#include "trays/WordActions.h"

#include <QMenu>
#include <QWheelEvent>
#include <gtest/gtest.h>

using platform::instance;
using trays::TextSize;

namespace {
class Reading : public testsupport::Program {
protected:
    Reading() { trays::SetShownWord({}); }
    ~Reading() override {
        platform::speech::setSoundDeviceCheck(nullptr);
        TextSize::shared().reset();
    }
    static double size(const QPlainTextEdit* box) { return box->font().pointSizeF(); }
};

void wheel(QWidget& over, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(5, 5), over.mapToGlobal(QPointF(5, 5)), {}, QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&over, &event);
}
} // namespace

TEST_F(Reading, WithNoSoundDeviceSayIsGreyedWithTheReasonAndCtrlPDoesNothing) {
    start();
    QMenu before;
    trays::addWordActions(before);
    EXPECT_TRUE(before.isEmpty()) << "no word of the dictionary shown yet, only the box's own text";
    start().cmdNext_Click();
    const QString shown = word();
    platform::speech::setSoundDeviceCheck([] { return false; });
    QMenu menu;
    trays::addWordActions(menu);
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[1]->text(), QStringLiteral("&Say \u201C%1\u201D (no sound device)").arg(shown));
    EXPECT_FALSE(menu.actions()[1]->isEnabled());
    trays::SayShownWord();
    EXPECT_TRUE(prompts().isEmpty()) << "never a box";
}

TEST_F(Reading, TheTextGrowsAndShrinksWithinLimitsAndComesBack) {
    start();
    auto* meaningBox = instance<trays::fRightTray>().Text2;
    auto* wordBox = instance<trays::fLeftTray>().Text1;
    const double meaningSize = size(meaningBox);
    const double wordSize = size(wordBox);
    // Ctrl+wheel over either box: a notch a step, half notches added up; the other box follows.
    wheel(*meaningBox->viewport(), 120, Qt::ControlModifier);
    wheel(*wordBox->viewport(), 60, Qt::ControlModifier);
    wheel(*wordBox->viewport(), 60, Qt::ControlModifier);
    EXPECT_EQ(TextSize::shared().step(), 2);
    EXPECT_DOUBLE_EQ(size(meaningBox), meaningSize * TextSize::factor(2));
    EXPECT_DOUBLE_EQ(size(wordBox), wordSize * TextSize::factor(2));
    EXPECT_EQ(TextSize::savedStep(), 2) << "kept for the next run";
    wheel(*meaningBox->viewport(), 120, Qt::NoModifier); // a plain wheel scrolls, as ever
    EXPECT_EQ(TextSize::shared().step(), 2);

    TextSize::shared().change(100);
    EXPECT_EQ(TextSize::shared().step(), TextSize::Largest);
    EXPECT_LE(size(meaningBox), meaningSize * 3);
    TextSize::shared().change(-100);
    EXPECT_EQ(TextSize::shared().step(), TextSize::Smallest);
    EXPECT_GE(size(meaningBox), meaningSize * 0.8);
    TextSize::shared().reset();
    EXPECT_DOUBLE_EQ(size(meaningBox), meaningSize);
    EXPECT_EQ(TextSize::savedStep(), 0);
}
