#include "platform/widgets/Accessibility.h"

#include "platform/widgets/ImageControl.h"
#include "platform/widgets/LabelControl.h"

#include "platform/widgets/Program.h"

#include <QAccessibleWidget>
#include <functional>

namespace platform {

namespace {

// A control whose click handler may be set after it was made, so its role and action are looked up when asked.
class PressableControl : public QAccessibleWidget {
public:
    PressableControl(QWidget* widget, std::function<void()>* onClick, QAccessible::Role pressable,
                     QAccessible::Role otherwise)
        : QAccessibleWidget(widget, otherwise), m_onClick(onClick), m_pressable(pressable), m_otherwise(otherwise) {}

    QAccessible::Role role() const override { return pressable() ? m_pressable : m_otherwise; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = dynamic_cast<const QLabel*>(widget())) {
                return label->text();
            }
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable()) {
            names.prepend(pressAction());
        }
        return names;
    }

    void doAction(const QString& name) override {
        if (name == pressAction() && pressable()) {
            const std::function<void()> click = *m_onClick; // the handler may unload the window that holds it
            program::guarded(click);
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    bool pressable() const { return *m_onClick != nullptr && widget()->isEnabled(); }

    std::function<void()>* m_onClick;
    QAccessible::Role m_pressable;
    QAccessible::Role m_otherwise;
};

QAccessibleInterface* controlInterface(const QString& /*className*/, QObject* object) {
    if (auto* image = dynamic_cast<ImageControl*>(object)) {
        return new PressableControl(image, &image->onClick, QAccessible::Button, QAccessible::Graphic);
    }
    if (auto* label = dynamic_cast<LabelControl*>(object)) {
        return new PressableControl(label, &label->onClick, QAccessible::Link, QAccessible::StaticText);
    }
    return nullptr;
}

} // namespace

void installControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    (void)installed;
}

} // namespace platform
