#include "framework/QDNDBGrid.h"

#include <QHeaderView>

#include "framework/QDDataSource.h"
#include "framework/QDQueryModel.h"

TQDNDBGrid::TQDNDBGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
}

void TQDNDBGrid::SetDataSource(TQDDataSource* source) {
    m_source = source;
    connect(source, &TQDDataSource::DataChanged, this, &TQDNDBGrid::Rebind);
    Rebind();
}

void TQDNDBGrid::Rebind() {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    delete m_model;
    m_model = nullptr;
    if (!query) {
        setModel(nullptr);
        return;
    }
    m_model = new TQDQueryModel(query, this);
    setModel(m_model);
    connect(query, &TQDQuery::CurrentChanged, this, &TQDNDBGrid::FollowCurrent);
    connect(query, &TQDQuery::RowsReset, this, [this] { ApplyDescriptors(m_descriptors); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this, query](const QModelIndex& current) {
        if (!m_moving && current.isValid() && current.row() != query->RecNo()) {
            m_moving = true;
            if (!query->MoveTo(current.row())) {
                FollowCurrent(query->RecNo());
            }
            m_moving = false;
        }
    });
}

void TQDNDBGrid::FollowCurrent(int row) {
    if (!m_model || m_moving || row < 0) {
        return;
    }
    while (row >= m_model->rowCount() && m_model->canFetchMore({})) {
        m_model->fetchMore({});
    }
    m_moving = true;
    const QModelIndex index = m_model->index(row, std::max(0, currentIndex().column()));
    setCurrentIndex(index);
    scrollTo(index);
    m_moving = false;
}

void TQDNDBGrid::ApplyDescriptors(const TFieldsDataArray& descriptors) {
    m_descriptors = descriptors;
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->Active() || !m_model) {
        return;
    }
    const int charWidth = fontMetrics().averageCharWidth();
    for (int column = 0; column < query->FieldCount(); ++column) {
        const TQDField& field = query->Field(column);
        const TFieldsData* descriptor = nullptr;
        for (const TFieldsData& data : m_descriptors) {
            if (data.FieldName.compare(field.name, Qt::CaseInsensitive) == 0) descriptor = &data;
        }
        // Columns without a descriptor are not the window's business to show.
        const bool shown = descriptor && descriptor->Visible && descriptor->DisplayWidth != -1 && descriptor->DisplayWidth != -2;
        setColumnHidden(column, !shown);
        if (shown) {
            const int chars = field.displayWidth > 0 ? field.displayWidth : std::max(6, static_cast<int>(field.displayLabel.size()) * 2);
            setColumnWidth(column, chars * charWidth + 12);
        }
    }
    FollowCurrent(query->RecNo());
}

bool TQDNDBGrid::IsColumnShown(const QString& field) const {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    const int column = query ? query->FieldIndex(field) : -1;
    return column >= 0 && !isColumnHidden(column);
}
