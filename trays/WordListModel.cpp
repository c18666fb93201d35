#include "trays/WordListModel.h"

#include "platform/widgets/Program.h"

namespace trays {

WordListModel::WordListModel(store::Recordset& view, QObject* parent) : QAbstractListModel(parent), m_view(view) {}

int WordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_words.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_words.size() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    const QString& word = m_words.at(index.row());
    // A row shows a few dozen characters; laying out a word of a million would stall the list.
    constexpr qsizetype LongestShown = 256;
    if (role == Qt::DisplayRole && word.size() > LongestShown) {
        return QString(word.left(LongestShown) + QChar(0x2026));
    }
    return word;
}

bool WordListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !m_view.Eof();
}

void WordListModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid()) {
        return;
    }
    QStringList batch;
    // Called from inside the list's own layout: a store error is reported here, not thrown through the toolkit.
    platform::program::guarded([&] {
        while (batch.size() < BatchSize && !m_view.Eof()) {
            batch.append(QString::fromStdString(m_view.Fields(0).Text()));
            m_view.MoveNext();
        }
    });
    if (batch.isEmpty()) {
        return;
    }
    const auto first = static_cast<int>(m_words.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(batch.size()) - 1);
    m_words.append(batch);
    endInsertRows();
}

} // namespace trays
