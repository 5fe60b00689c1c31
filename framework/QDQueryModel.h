#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <functional>

#include "data/QDQuery.h"

// A dataset as a table for the grids. Rows are asked for a page at a time as
// the view scrolls, so a list of a million rows costs only what is on screen.
class TQDQueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TQDQueryModel(TQDQuery* query, QObject* parent = nullptr);

    TQDQuery* Query() const { return m_query; }
    // Colours for one cell, left as they are when the window has no opinion.
    std::function<void(int row, int column, QColor& background, QColor& text)> CellColors;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    // Makes the row part of the table at once (without reading the rows
    // before it), for a jump to a far row.
    void EnsureRow(int row);
    void fetchMore(const QModelIndex& parent) override;

private:
    void Reset();

    QPointer<TQDQuery> m_query;
    int m_rows = 0;
};
