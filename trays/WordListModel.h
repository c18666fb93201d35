#pragma once

#include "store/Recordset.h"

#include <QAbstractListModel>
#include <QStringList>

namespace trays {

// The word list's rows: every word of a record view, in view order, read from the view a batch at a time as the
// list asks for more, so a dictionary of any size costs nothing until the list is looked at.
class WordListModel : public QAbstractListModel {
public:
    static constexpr int BatchSize = 512;

    // The model reads the view from its current record on, moving it forward.
    explicit WordListModel(store::Recordset& view, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    store::Recordset& m_view;
    QStringList m_words;
};

} // namespace trays
