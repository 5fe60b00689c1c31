#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

#include "records/RecordCardLayout.h"

class QLabel;
class TQDDataSource;

// The record card of the volume, item, intake and display windows: one editor
// per generic column, laid out from the field definitions.
class TRecordCard : public QWidget {
    Q_OBJECT
public:
    TRecordCard(const QString& prefix, bool intake, int height, QWidget* parent = nullptr);

    // Binds the editors to the source's dataset and places them; once per opening.
    void Apply(const QList<TCardDefinition>& definitions, TQDDataSource* source);
    // Reads the definitions of the table (volumes or items) in slot order.
    static QList<TCardDefinition> ReadDefinitions(const QString& table);

    const TRecordCardLayout& Layout() const { return m_layout; }
    QWidget* Editor(const QString& column, TRecordCardLayout::TKind kind) const;
    QLabel* SlotLabel(int slot) const { return m_labels.value(slot - 1); }

private:
    void PickDate(QWidget* editor, const QString& column);
    void PickValue(const QString& column, const QString& displayName);

    QString m_prefix;
    TRecordCardLayout m_layout;
    QHash<QString, QWidget*> m_editors;  // column + '#' + kind
    QList<QLabel*> m_labels;
    int m_designHeight = 0;
    int m_rowHeight = 20;
    // The card's rows are laid out in steps of 20 pixels for a 12-pixel
    // font; ours are taller, so each row gets the height its editors need
    // and a gap, and the card grows by as much.
    int RowTop(int designTop) const;
    TQDDataSource* m_source = nullptr;
};
