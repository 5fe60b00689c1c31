#include "records/RecordCard.h"

#include <QLabel>
#include <algorithm>
#include <QtSql/QSqlQuery>

#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/LookupValueForm.h"
#include "framework/ModalSeam.h"
#include "framework/QDDBComboEdit.h"
#include "framework/QDDBEdit.h"
#include "framework/QDDataSource.h"
#include "framework/SelectDateForm.h"
#include "records/SelectEditForm.h"

using TKind = TRecordCardLayout::TKind;

namespace {
QString EditorKey(const QString& column, TKind kind) { return column.toUpper() + QLatin1Char('#') + QString::number(int(kind)); }
}

TRecordCard::TRecordCard(const QString& prefix, bool intake, int height, QWidget* parent)
    : QWidget(parent), m_prefix(prefix), m_layout(prefix, intake) {
    setObjectName(QStringLiteral("RecordCard"));
    m_designHeight = height;
    setFixedSize(807, height);
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    for (int slot = 1; slot <= TRecordCardLayout::NoteSlot; ++slot) {
        auto* label = new QLabel(TRecordCardLayout::Undefined, this);
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_labels.append(label);
    }
    for (const TRecordCardLayout::TEditor& editor : m_layout.Editors()) {
        QWidget* widget = nullptr;
        if (editor.kind == TKind::Drop || editor.kind == TKind::Date) {
            auto* drop = new TQDDBComboEdit(this);
            drop->SetEditType(editor.kind == TKind::Date ? TEditTypes::etDate : TEditTypes::etString);
            widget = drop;
        } else {
            auto* plain = new TQDDBEdit(this);
            if (editor.kind == TKind::Number) {
                plain->SetEditType(TEditTypes::etFloat);
                plain->setMaxLength(12);
            }
            widget = plain;
        }
        widget->setObjectName(QStringLiteral("Card_") + editor.column + (editor.kind == TKind::Drop ? QStringLiteral("_Drop") : QString()));
        widget->setFocusPolicy(Qt::NoFocus);  // not reachable until bound
        m_editors.insert(EditorKey(editor.column, editor.kind), widget);
    }
}

int TRecordCard::RowTop(int designTop) const {
    if (designTop >= TRecordCardLayout::OutOfSight) {
        return designTop;
    }
    constexpr int first = 10, step = 20;
    const int rows = (designTop - first) / step;
    return first + rows * (m_rowHeight + 4) + (designTop - first - rows * step);
}

QWidget* TRecordCard::Editor(const QString& column, TKind kind) const { return m_editors.value(EditorKey(column, kind)); }

QList<TCardDefinition> TRecordCard::ReadDefinitions(const QString& table) {
    QList<TCardDefinition> definitions;
    QSqlQuery rows = OpenQuery(QStringLiteral("SELECT FIELD_NAME, FIELD_DISPLAY_NAME, FIELD_ORDER, FIELD_FIND_TYPE FROM ") + table +
                               QStringLiteral(" ORDER BY FIELD_ORDER"));
    while (rows.next()) {
        definitions.append({rows.value(0).toString(), rows.value(1).toString(), static_cast<int>(ParseNumber(rows.value(2).toString())),
                            rows.value(3).toString()});
    }
    return definitions;
}

void TRecordCard::Apply(const QList<TCardDefinition>& definitions, TQDDataSource* source) {
    m_source = source;
    m_layout.Layout(definitions);
    QHash<QString, QString> labels;
    for (const TCardDefinition& definition : definitions) labels.insert(definition.fieldName.toUpper(), definition.displayName);
    QList<std::pair<int, QWidget*>> order;
    m_rowHeight = 20;
    for (const TRecordCardLayout::TEditor& editor : m_layout.Editors()) {
        m_rowHeight = std::max(m_rowHeight, Editor(editor.column, editor.kind)->sizeHint().height());
    }
    int bottom = 0;
    for (const TRecordCardLayout::TEditor& editor : m_layout.Editors()) {
        QWidget* widget = Editor(editor.column, editor.kind);
        widget->setGeometry(editor.left, RowTop(editor.top), editor.width, m_rowHeight);
        if (editor.top < TRecordCardLayout::OutOfSight) bottom = std::max(bottom, widget->geometry().bottom());
        if (!editor.bound) continue;
        if (auto* drop = qobject_cast<TQDDBComboEdit*>(widget)) {
            drop->Bind(source, editor.column);
            const QString column = editor.column;
            if (editor.kind == TKind::Date) {
                drop->OnButtonClick = [this, drop, column] { PickDate(drop, column); };
                // Enter in a blank date opens the calendar.
                drop->OnSelect = [this, drop, column](bool& handled) {
                    if (drop->text().trimmed().isEmpty()) {
                        PickDate(drop, column);
                        handled = true;
                    }
                };
            } else {
                const QString name = labels.value(column.toUpper());
                drop->OnButtonClick = [this, column, name] { PickValue(column, name); };
                drop->OnSelect = [this, column, name](bool& handled) {
                    PickValue(column, name);
                    handled = true;
                };
            }
        } else if (auto* plain = qobject_cast<TQDDBEdit*>(widget)) {
            plain->Bind(source, editor.column);
        }
        widget->setFocusPolicy(Qt::StrongFocus);
        if (editor.tabOrder > 0) order.append({editor.tabOrder, widget});
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1].second, order[i].second);
    for (int slot = 1; slot <= TRecordCardLayout::NoteSlot; ++slot) {
        const TRecordCardLayout::TLabel& place = m_layout.Label(slot);
        QLabel* label = m_labels[slot - 1];
        label->setText(place.caption);
        label->adjustSize();
        // On its field's line: the label's design top is 4 pixels below the row's.
        label->setGeometry(place.rightEdge - label->width(), RowTop(place.top - 4), label->width(), m_rowHeight);
        label->setVisible(place.visible);
        for (const TRecordCardLayout::TEditor& editor : m_layout.Editors()) {
            const bool here = slot == TRecordCardLayout::NoteSlot ? editor.tabOrder == 21 : editor.tabOrder == slot;
            if (editor.bound && here) label->setBuddy(Editor(editor.column, editor.kind));
        }
    }
    setFixedSize(807, std::max(m_designHeight, bottom + 10));
}

void TRecordCard::PickDate(QWidget* editor, const QString& column) {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->IsEditing()) {
        return;  // the button works only while a record is added or edited
    }
    const QString day = SelectDate(static_cast<TQDDBComboEdit*>(editor)->text(), QDGlobal::StartDateText, this);
    if (!day.isEmpty()) {
        query->SetValue(column, day);
    }
}

void TRecordCard::PickValue(const QString& column, const QString& displayName) {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->IsEditing()) {
        return;
    }
    TSelectEditForm list(column, displayName, TLookupValueForm::ValueTable(column), this);
    if (TModalSeam::Exec(list) == QDialog::Accepted) {
        query->SetValue(column, list.ChosenValue());
    }
}
