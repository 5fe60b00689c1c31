#pragma once

#include <QPointer>
#include <QTableView>

#include "data/QueryRules.h"

class TFocusColors;
class TQDDataSource;
class TQDQueryModel;

// The list of every window: a dataset's rows with titles, widths and visibility
// from the window's field descriptors; it follows and moves the current row.
class TQDNDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TQDNDBGrid(QWidget* parent = nullptr);

    void SetDataSource(TQDDataSource* source);
    TQDQueryModel* QueryModel() const { return m_model; }
    // Titles, widths and visibility from the descriptors; after every (re)open.
    void ApplyDescriptors(const TFieldsDataArray& descriptors);
    bool IsColumnShown(const QString& field) const;

private:
    void Rebind();
    void FollowCurrent(int row);

    QPointer<TQDDataSource> m_source;
    TQDQueryModel* m_model = nullptr;
    TFieldsDataArray m_descriptors;
    bool m_moving = false;
};
