#include "trays/LookUp.h"

#include "platform/widgets/Program.h"
#include "trays/WordActions.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <memory>

namespace trays {

namespace {

bool inWord(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('\'') || c == QLatin1Char('-') || c == QChar(0x2019);
}

bool edge(QChar c) {
    return c.isLetterOrNumber();
}

} // namespace

LookUp::LookUp(QPlainTextEdit& box, std::function<void(const QString&)> lookUp)
    : QObject(&box), m_box(box), m_lookUp(std::move(lookUp)) {
    m_box.setContextMenuPolicy(Qt::CustomContextMenu);
    platform::program::onSignal(&m_box, &QWidget::customContextMenuRequested, this,
                                [this](const QPoint& point) { showMenu(point); });
    m_box.viewport()->installEventFilter(this);
}

QString LookUp::wordAt(const QPoint& point) const {
    QString selected = m_box.textCursor().selectedText().simplified();
    if (!selected.isEmpty()) {
        return selected;
    }
    const QTextCursor at = m_box.cursorForPosition(point);
    const QString text = at.block().text();
    qsizetype start = at.positionInBlock();
    qsizetype end = start;
    while (start > 0 && inWord(text[start - 1])) {
        --start;
    }
    while (end < text.size() && inWord(text[end])) {
        ++end;
    }
    // Apostrophes and hyphens only inside a word: "'tis" and "well-" are "tis" and "well".
    while (start < end && !edge(text[start])) {
        ++start;
    }
    while (end > start && !edge(text[end - 1])) {
        --end;
    }
    return text.mid(start, end - start);
}

void LookUp::showMenu(const QPoint& point) {
    const std::unique_ptr<QMenu> menu(m_box.createStandardContextMenu(point));
    const QString word = wordAt(point);
    if (!word.isEmpty()) {
        auto* lookUp = new QAction(QStringLiteral("Look up \u201C%1\u201D").arg(AsMenuText(word)), menu.get());
        connect(lookUp, &QAction::triggered, this,
                [this, word] { platform::program::guarded([&] { m_lookUp(word); }); });
        menu->insertAction(menu->actions().value(0), lookUp);
        menu->insertSeparator(menu->actions().value(1));
    }
    menu->addSeparator();
    addWordActions(*menu);
    menu->exec(m_box.viewport()->mapToGlobal(point));
}

bool LookUp::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* click = static_cast<QMouseEvent*>(event);
    if (click->button() != Qt::LeftButton || !click->modifiers().testFlag(Qt::ControlModifier)) {
        return false;
    }
    const QString word = wordAt(click->position().toPoint());
    if (word.isEmpty()) {
        return false;
    }
    platform::program::guarded([&] { m_lookUp(word); });
    return true;
}

} // namespace trays
