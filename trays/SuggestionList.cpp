#include "trays/SuggestionList.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace trays {

namespace {
constexpr int WordRole = Qt::UserRole;
}

SuggestionList::SuggestionList(QLineEdit& box, std::function<void(const QString&)> chosen)
    : QObject(&box), m_box(box), m_chosen(std::move(chosen)) {
    m_box.installEventFilter(this);
}

// The list window is made when it is first needed, not while the program starts.
QListWidget& SuggestionList::list() {
    if (m_list != nullptr) {
        return *m_list;
    }
    m_list = new QListWidget(nullptr);
    m_list->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    m_list->setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setWindowTitle(QStringLiteral("Suggestions"));
    m_list->setAccessibleName(QStringLiteral("Suggestions"));
    m_list->setAccessibleDescription(QStringLiteral("Words that begin with the typed text"));
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { choose(item); });
    return *m_list;
}

SuggestionList::~SuggestionList() {
    delete m_list;
}

void SuggestionList::show(const std::vector<Row>& rows) {
    if (rows.empty() && m_list == nullptr) {
        return;
    }
    list().clear();
    if (rows.empty()) {
        hide();
        return;
    }
    for (const Row& row : rows) {
        auto* item = new QListWidgetItem(row.shown, m_list);
        item->setData(WordRole, row.word);
    }
    const int height = m_list->sizeHintForRow(0) * static_cast<int>(rows.size()) + 2 * m_list->frameWidth();
    m_list->setGeometry(
        QRect(m_box.mapToGlobal(QPoint(0, m_box.height())), QSize(std::max(m_box.width(), 200), height)));
    m_list->show();
    m_list->raise();
}

void SuggestionList::hide() {
    if (m_list != nullptr) {
        m_list->hide();
        m_list->setCurrentRow(-1);
    }
}

bool SuggestionList::isVisible() const {
    return m_list != nullptr && m_list->isVisible();
}

void SuggestionList::choose(const QListWidgetItem* item) {
    const QString word = item->data(WordRole).toString();
    hide();
    m_chosen(word);
}

bool SuggestionList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_box && event->type() == QEvent::FocusOut && m_list != nullptr && !m_list->underMouse()) {
        hide();
    }
    if (watched != &m_box || event->type() != QEvent::KeyPress || !isVisible()) {
        return false;
    }
    const int rows = m_list->count();
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Down:
        m_list->setCurrentRow(std::min(m_list->currentRow() + 1, rows - 1));
        return true;
    case Qt::Key_Up:
        m_list->setCurrentRow(std::max(m_list->currentRow() - 1, 0));
        return true;
    case Qt::Key_Escape:
        hide();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const QListWidgetItem* item = m_list->currentItem(); item != nullptr && item->isSelected()) {
            choose(item);
            return true;
        }
        hide();
        return false; // the box finds what was typed
    default:
        return false;
    }
}

} // namespace trays
