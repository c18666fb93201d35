#include "trays/OfferList.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <utility>

namespace trays {

namespace {

constexpr int WordRole = Qt::UserRole;
const QString BaseFormOf = QStringLiteral(" \u2014 base form of ");
const QString Dash = QStringLiteral(" \u2014 ");

// A row shows at most this many characters of a text: a word of a hundred thousand characters (a damaged or
// hostile database may hold one) would keep the window laying it out.
constexpr qsizetype LongestShown = 200;

QString shortened(const QString& text) {
    return text.size() > LongestShown ? text.left(LongestShown) + QChar(0x2026) : text;
}

// A sense beside its word is cut to about a line's worth, at a blank.
constexpr qsizetype LongestSense = 60;

QString senseShown(const QString& sense) {
    if (sense.size() <= LongestSense) {
        return sense;
    }
    const qsizetype blank = sense.lastIndexOf(QLatin1Char(' '), LongestSense);
    return sense.left(blank > 0 ? blank : LongestSense) + QChar(0x2026);
}

// What follows the word in its row: " — base form of geese", or " — " and the sense a description matched.
QString leadOf(const OfferList::Row& row) {
    return shortened(row.word) + (row.baseFormOf.isEmpty() ? Dash : BaseFormOf);
}
QString explanationOf(const OfferList::Row& row) {
    return row.baseFormOf.isEmpty() ? senseShown(row.sense) : shortened(row.baseFormOf);
}

QString textOf(const OfferList::Row& row) {
    if (row.baseFormOf.isEmpty() && row.sense.isEmpty()) {
        return shortened(row.word);
    }
    return leadOf(row) + explanationOf(row);
}

} // namespace

OfferList::OfferList(QLineEdit& box, std::function<void(const QString&)> chosen)
    : QObject(&box), m_box(box), m_chosen(std::move(chosen)) {
    m_box.installEventFilter(this);
    m_box.window()->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) {
            hide();
        }
    });
}

// The list window is made when it is first needed, not while the program starts.
QListWidget& OfferList::list() {
    if (m_list) {
        return *m_list;
    }
    m_list = std::make_unique<QListWidget>(nullptr);
    m_list->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    m_list->setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setWindowTitle(QStringLiteral("Offers"));
    m_list->setAccessibleName(QStringLiteral("Offers"));
    m_list->setAccessibleDescription(QStringLiteral("Words for the typed text: select one to find it"));
    connect(m_list.get(), &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { choose(item); });
    connect(m_list.get(), &QListWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    return *m_list;
}

OfferList::~OfferList() = default;

void OfferList::show(const std::vector<Row>& rows, int current) {
    if (rows.empty() && !m_list) {
        return;
    }
    QListWidget& shown = list();
    m_moving = true;
    shown.clear();
    m_moving = false;
    if (rows.empty()) {
        hide();
        return;
    }
    const QFontMetrics metrics(shown.font());
    const QPoint at = m_box.mapToGlobal(QPoint(0, m_box.height()));
    const QScreen* screen = m_box.screen();
    const int room = screen != nullptr ? screen->availableGeometry().right() + 1 - at.x() : 1 << 20;
    // What a row adds to its text: the frame, the item's margins and a vertical scroll bar that never shows.
    const int margins = 2 * shown.frameWidth() + 4 * shown.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    int width = std::max(m_box.width(), 200);
    for (const Row& row : rows) {
        width = std::max(width, metrics.horizontalAdvance(textOf(row)) + margins);
    }
    width = std::min(width, std::max(room, m_box.width()));
    for (const Row& row : rows) {
        QString text = textOf(row);
        if (metrics.horizontalAdvance(text) + margins > width && text != shortened(row.word)) {
            // Too wide for the screen: the explanation gives way, the word never does.
            const QString lead = leadOf(row);
            text = lead + metrics.elidedText(explanationOf(row), Qt::ElideRight,
                                             std::max(0, width - margins - metrics.horizontalAdvance(lead)));
        }
        auto* item = new QListWidgetItem(text, &shown);
        item->setData(WordRole, row.word);
        item->setToolTip(textOf(row));
    }
    const int height = shown.sizeHintForRow(0) * static_cast<int>(rows.size()) + 2 * shown.frameWidth();
    shown.setGeometry(QRect(at, QSize(width, height)));
    shown.show();
    shown.raise();
    qApp->installEventFilter(this); // for a press of the pointer anywhere
    if (current >= 0 && current < shown.count()) {
        moveTo(current);
    }
}

void OfferList::hide() {
    qApp->removeEventFilter(this);
    if (m_list) {
        m_list->hide();
        moveTo(-1);
    }
}

bool OfferList::isVisible() const {
    return m_list && m_list->isVisible();
}

void OfferList::moveTo(int row) {
    m_moving = true;
    m_list->setCurrentRow(row);
    m_moving = false;
}

// A row selected by anything but the list's own keys (an assistive tool's select, say) is chosen, as a click
// chooses it.
void OfferList::selectionChanged() {
    if (m_moving || !isVisible() || QGuiApplication::mouseButtons() != Qt::NoButton) {
        return; // a press of the pointer chooses when it is let go, as a click
    }
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        // After the tool's call has returned: the find may show a message box, which waits for the user.
        QTimer::singleShot(0, this, [this, word = selected.front()->data(WordRole).toString()] {
            if (isVisible()) {
                hide();
                m_chosen(word);
            }
        });
    }
}

void OfferList::choose(const QListWidgetItem* item) {
    if (!isVisible()) {
        return; // chosen already
    }
    const QString word = item->data(WordRole).toString();
    hide();
    m_chosen(word);
}

// Whether the event takes the user away from the list and its box.
bool OfferList::leftFor(const QObject* watched, const QEvent* event) const {
    if (!isVisible()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Hide:
        return watched == m_box.window();
    case QEvent::FocusOut:
        return watched == &m_box && static_cast<const QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
               !m_list->underMouse();
    case QEvent::MouseButtonPress: {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        return widget != nullptr && widget->window() != m_list.get() && widget != &m_box && !m_box.isAncestorOf(widget);
    }
    default:
        return false;
    }
}

bool OfferList::eventFilter(QObject* watched, QEvent* event) {
    if (leftFor(watched, event)) {
        hide();
        return false;
    }
    if (watched != &m_box || event->type() != QEvent::KeyPress || !isVisible()) {
        return false;
    }
    const int rows = m_list->count();
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Down:
        moveTo(std::min(m_list->currentRow() + 1, rows - 1));
        return true;
    case Qt::Key_Up:
        moveTo(std::max(m_list->currentRow() - 1, 0));
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
