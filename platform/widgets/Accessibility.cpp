#include "platform/widgets/Accessibility.h"

#include "platform/widgets/ImageControl.h"
#include "platform/widgets/LabelControl.h"

#include "platform/widgets/Program.h"
#include "platform/widgets/TextBox.h"

#include <QAccessibleWidget>
#include <QPlainTextEdit>
#include <QTextCursor>
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

// A text box read through its text interface gives exactly the text that was set: neither the rows that long lines
// are shown in nor the line breaks as the box keeps them. Offsets are the set text's; the box's own are mapped.
class StoredTextBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit StoredTextBox(QPlainTextEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = box()->isReadOnly();
        s.multiLine = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Text(*box()) : QAccessibleWidget::text(t);
    }

    QString text(int startOffset, int endOffset) const override {
        return Text(*box()).mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Text(*box()).size()); }
    int cursorPosition() const override { return toStored(box()->textCursor().position()); }
    void setCursorPosition(int position) override {
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(toShown(position));
        box()->setTextCursor(cursor);
    }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        const QTextCursor cursor = box()->textCursor();
        *startOffset = selectionIndex == 0 ? toStored(cursor.selectionStart()) : 0;
        *endOffset = selectionIndex == 0 ? toStored(cursor.selectionEnd()) : 0;
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int /*selectionIndex*/) override {
        QTextCursor cursor = box()->textCursor();
        cursor.clearSelection();
        box()->setTextCursor(cursor);
    }
    void setSelection(int /*selectionIndex*/, int startOffset, int endOffset) override {
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(toShown(startOffset));
        cursor.setPosition(toShown(endOffset), QTextCursor::KeepAnchor);
        box()->setTextCursor(cursor);
    }
    QRect characterRect(int offset) const override {
        QTextCursor cursor(box()->document());
        cursor.setPosition(toShown(offset));
        const QRect r = box()->cursorRect(cursor);
        return {box()->viewport()->mapToGlobal(r.topLeft()), r.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return toStored(box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position());
    }
    void scrollToSubstring(int startIndex, int /*endIndex*/) override {
        QTextCursor cursor(box()->document());
        cursor.setPosition(toShown(startIndex));
        box()->setTextCursor(cursor);
        box()->ensureCursorVisible();
    }
    // One font for the whole text: its family and size, for screen readers and magnifiers.
    QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        const QFont font = box()->font();
        return QStringLiteral("font-family:\"%1\";font-size:%2pt;").arg(font.family()).arg(font.pointSizeF());
    }

private:
    QPlainTextEdit* box() const { return static_cast<QPlainTextEdit*>(widget()); }

    int toStored(int shown) const { return storedOffset(*box(), shown); }
    int toShown(int stored) const { return shownOffset(*box(), stored); }
};

QAccessibleInterface* controlInterface(const QString& /*className*/, QObject* object) {
    if (auto* image = dynamic_cast<ImageControl*>(object)) {
        return new PressableControl(image, &image->onClick, QAccessible::Button, QAccessible::Graphic);
    }
    if (auto* label = dynamic_cast<LabelControl*>(object)) {
        return new PressableControl(label, &label->onClick, QAccessible::Link, QAccessible::StaticText);
    }
    if (auto* box = dynamic_cast<QPlainTextEdit*>(object)) {
        return new StoredTextBox(box);
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
