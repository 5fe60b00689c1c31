#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <array>

#include "data/QDQuery.h"

class QWidget;

// Ties one dataset to a window: the record buttons follow the dataset's state
// and the user's rights, the bound controls turn writable and change colour
// while a row is edited, and the grids are disabled meanwhile.
class TQDDataSource : public QObject {
    Q_OBJECT
public:
    enum class TButton { New, Add, Edit, Print, Check, Delete, Cancel, Save, Find, Other, Prior, Next, First, Last, Close };

    explicit TQDDataSource(QWidget* form);

    void SetDataSet(TQDQuery* dataSet);
    TQDQuery* DataSet() const { return m_dataSet; }
    QWidget* Form() const { return m_form; }

    QColor BrowseColor = QColor(0xF8, 0xFC, 0xE2);  // 14875896
    QColor EditColor = Qt::white;
    QColor ColorOnFocus;
    bool ActiveColor = false;
    bool RightAdd = true, RightEdit = true, RightPrint = true, RightCheck = true, RightDelete = true;
    bool IS_MASTER_CHANGE = false;
    bool IS_DETAIL_CHANGE = false;

    // A tool-bar action or a push button (anything with an "enabled" property).
    void SetButton(TButton role, QObject* button);
    QObject* Button(TButton role) const;
    // Extra buttons usable only while browsing; no right applies to them.
    void AddSmallButton(QObject* button);

    void BindStateChange();
    void ApplyRights();
    void ApplyEditState();
    // Buttons, controls and rights for the dataset's current state.
    void StateChanged();

signals:
    void DataChanged();

private:
    bool Editing() const;

    QWidget* m_form;
    QPointer<TQDQuery> m_dataSet;
    std::array<QPointer<QObject>, 15> m_buttons{};
    QList<QPointer<QObject>> m_small;
    QMetaObject::Connection m_stateConnection;
};
