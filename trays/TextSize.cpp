#include "trays/TextSize.h"

#include "platform/widgets/Program.h"

#include <QAbstractScrollArea>
#include <QPlainTextEdit>
#include <QSettings>
#include <QShortcut>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <memory>

namespace trays {

namespace {

const QString SettingName = QStringLiteral("boxes/textSizeStep");

// The user's settings: $XDG_CONFIG_HOME/lexorant/lexorant.conf (~/.config/lexorant/ by default).
std::unique_ptr<QSettings> userSettings() {
    return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("lexorant"), QStringLiteral("lexorant"));
}

// About a tenth larger a step, then a quarter, up to three times the design's size; down to four fifths.
constexpr std::array<double, TextSize::Largest - TextSize::Smallest + 1> Factors{0.8, 0.9,  1.0, 1.1, 1.25,
                                                                                 1.5, 1.75, 2.0, 2.5, 3.0};
constexpr int WheelStep = 120; // one notch of a wheel

} // namespace

int TextSize::stepped(int step, int by) {
    return std::clamp(step + by, Smallest, Largest);
}

double TextSize::factor(int step) {
    return Factors.at(static_cast<std::size_t>(std::clamp(step, Smallest, Largest) - Smallest));
}

TextSize& TextSize::shared() {
    static auto* size = new TextSize; // lives as long as the program's boxes
    return *size;
}

int TextSize::savedStep() {
    return stepped(userSettings()->value(SettingName, 0).toInt(), 0);
}

TextSize::TextSize() : m_step(savedStep()) {}

void TextSize::follow(QPlainTextEdit& box) {
    m_boxes.push_back({&box, box.font().pointSizeF()});
    box.viewport()->installEventFilter(this);
    using platform::program::onSignal;
    const auto key = [&box, this](const QKeySequence& sequence, const std::function<void()>& handler) {
        auto* shortcut = new QShortcut(sequence, &box);
        shortcut->setContext(Qt::WidgetShortcut);
        onSignal(shortcut, &QShortcut::activated, this, handler);
    };
    for (const QKeySequence& larger : {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                       QKeySequence(QKeySequence::ZoomIn)}) {
        key(larger, [this] { change(1); });
    }
    for (const QKeySequence& smaller : {QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence(QKeySequence::ZoomOut)}) {
        key(smaller, [this] { change(-1); });
    }
    key(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { reset(); });
    apply();
}

void TextSize::change(int by) {
    const int step = stepped(m_step, by);
    if (step == m_step) {
        return;
    }
    m_step = step;
    userSettings()->setValue(SettingName, m_step);
    apply();
}

void TextSize::reset() {
    change(-m_step);
}

void TextSize::apply() {
    std::erase_if(m_boxes, [](const Box& b) { return b.box.isNull(); });
    for (const Box& b : m_boxes) {
        QFont font = b.box->font();
        font.setPointSizeF(b.designSize * factor(m_step));
        b.box->setFont(font);
    }
}

bool TextSize::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::Wheel) {
        return false;
    }
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (!wheel->modifiers().testFlag(Qt::ControlModifier)) {
        return false;
    }
    m_wheel += wheel->angleDelta().y();
    const int steps = m_wheel / WheelStep;
    m_wheel -= steps * WheelStep;
    platform::program::guarded([&] { change(steps); });
    return true; // the box's own zoom never runs: one size, within the limits
}

} // namespace trays
