#include "framework/QDQueryModel.h"

TQDQueryModel::TQDQueryModel(TQDQuery* query, QObject* parent) : QAbstractTableModel(parent), m_query(query) {
    connect(query, &TQDQuery::RowsReset, this, &TQDQueryModel::Reset);
    connect(query, &TQDQuery::StateChanged, this, [this](TDataSetState state) {
        if (state == TDataSetState::Inactive) Reset();
    });
    connect(query, &TQDQuery::RowInserted, this, [this](int row) {
        if (row <= m_rows) {
            beginInsertRows({}, row, row);
            ++m_rows;
            endInsertRows();
        }
    });
    connect(query, &TQDQuery::RowRemoved, this, [this](int row) {
        if (row < m_rows) {
            beginRemoveRows({}, row, row);
            --m_rows;
            endRemoveRows();
        }
    });
    connect(query, &TQDQuery::RowChanged, this, [this](int row) {
        if (row >= 0 && row < m_rows) {
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
    });
    connect(query, &TQDQuery::FieldChanged, this, [this](const QString& field) {
        const int row = m_query->RecNo();
        const int column = m_query->FieldIndex(field);
        if (row >= 0 && row < m_rows && column >= 0) {
            emit dataChanged(index(row, column), index(row, column));
        }
    });
    Reset();
}

void TQDQueryModel::Reset() {
    beginResetModel();
    m_rows = 0;
    if (m_query && m_query->Active()) {
        // A short list is known at once; a long one grows page by page.
        m_rows = m_query->IsCountKnown() ? m_query->RecordCount() : TQDQuery::PageSize;
        while (m_rows > 0 && !m_query->HasRow(m_rows - 1)) {
            m_rows = m_query->RecordCount();
        }
    }
    endResetModel();
}

int TQDQueryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int TQDQueryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_query || !m_query->Active() ? 0 : m_query->FieldCount();
}

QVariant TQDQueryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_query) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return m_query->RowText(index.row(), index.column());
    }
    if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole) && CellColors) {
        QColor background, text;
        CellColors(index.row(), index.column(), background, text);
        const QColor& wanted = role == Qt::BackgroundRole ? background : text;
        return wanted.isValid() ? QVariant(wanted) : QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        const TFieldKind kind = m_query->Field(index.column()).kind;
        return kind == TFieldKind::Float || kind == TFieldKind::Integer ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                         : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant TQDQueryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_query || !m_query->Active()) {
        return {};
    }
    if (orientation == Qt::Horizontal && section >= 0 && section < m_query->FieldCount()) {
        if (role == Qt::UserRole) {
            return m_query->Field(section).name;
        }
        if (role == Qt::UserRole + 1) {
            const TFieldKind kind = m_query->Field(section).kind;
            return kind == TFieldKind::Float || kind == TFieldKind::Integer;
        }
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    if (section < 0 || section >= m_query->FieldCount()) {
        return {};
    }
    const TQDField& field = m_query->Field(section);
    return field.displayLabel.isEmpty() ? field.name : field.displayLabel;
}

bool TQDQueryModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_query && m_query->Active() && m_query->HasRow(m_rows);
}

void TQDQueryModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) {
        return;
    }
    int more = 0;
    while (more < TQDQuery::PageSize && m_query->HasRow(m_rows + more)) {
        ++more;
    }
    beginInsertRows({}, m_rows, m_rows + more - 1);
    m_rows += more;
    endInsertRows();
}

void TQDQueryModel::EnsureRow(int row) {
    if (row < m_rows || !m_query || !m_query->HasRow(row)) {
        return;
    }
    beginInsertRows({}, m_rows, row);
    m_rows = row + 1;
    endInsertRows();
}
