#pragma once

#include <QList>
#include <QString>

// One field-definition row as the record card reads it.
struct TCardDefinition {
    QString fieldName;
    QString displayName;
    int order = 0;
    QString findType;
};

// Where the editors and labels of a record card go, computed from the field
// definitions without any window: the 20 slots in 5 rows of 4, the note row,
// the editor chosen per column and find type, and the tidying (empty labels
// hidden, text editors widened over empty neighbours, the note row moved up).
class TRecordCardLayout {
public:
    enum class TKind { Plain, Drop, Date, Number };

    struct TEditor {
        QString column;
        TKind kind;
        int left = 63;
        int top = 1000;  // out of sight until placed
        int width = 135;
        int tabOrder = 0;
        bool bound = false;
    };
    struct TLabel {
        QString caption;
        int rightEdge = 0;
        int top = 0;
        bool visible = true;
    };

    static constexpr int NoteSlot = 21;
    static constexpr int OutOfSight = 1000;
    static inline const QString Undefined = QStringLiteral("未定义");

    // prefix "DETAIL_" for items; the intake editor has no drop-button name editor.
    explicit TRecordCardLayout(const QString& prefix = {}, bool intake = false);

    void Layout(const QList<TCardDefinition>& definitions);

    const QList<TEditor>& Editors() const { return m_editors; }
    const TEditor* Find(const QString& column, TKind kind) const;
    // The editor bound to the column, if any.
    const TEditor* BoundEditor(const QString& column) const;
    // Labels of slots 1 to 20 and the note row (21).
    const TLabel& Label(int slot) const { return m_labels[slot - 1]; }
    bool IsEmptySlot(int slot) const { return Label(slot).caption == Undefined; }

    static int SlotLeft(int slot) { return 63 + 201 * ((slot - 1) % 4); }
    static int SlotTop(int slot) { return 10 + 20 * ((slot - 1) / 4); }
    static int LabelRightEdge(int slot);

private:
    TEditor* FindEditor(const QString& column, TKind kind);
    TEditor* Pick(const TCardDefinition& definition, TEditor** twin);
    void Tidy();
    bool IsTextColumn(const QString& column) const;
    bool RowEmpty(int row) const;

    QString m_prefix;
    bool m_intake;
    QList<TEditor> m_editors;
    QList<TLabel> m_labels;
    int m_textSlot[21] = {};  // slot -> index of its text editor + 1
};
