#include "records/RecordCardLayout.h"

#include <QRegularExpression>

TRecordCardLayout::TRecordCardLayout(const QString& prefix, bool intake) : m_prefix(prefix), m_intake(intake) {
    m_editors.append({prefix + QStringLiteral("ARCHIVE_ID"), TKind::Plain, 63, 10, 135, 1, false});
    m_editors.append({prefix + QStringLiteral("ARCHIVE_NAME"), TKind::Plain});
    if (!intake) {
        m_editors.append({prefix + QStringLiteral("ARCHIVE_NAME"), TKind::Drop});
    }
    for (int i = 1; i <= 12; ++i) {
        m_editors.append({prefix + QStringLiteral("TEXT_FIELD%1").arg(i), TKind::Plain});
        m_editors.append({prefix + QStringLiteral("TEXT_FIELD%1").arg(i), TKind::Drop});
    }
    for (int i = 1; i <= 4; ++i) {
        m_editors.append({prefix + QStringLiteral("DATE_FIELD%1").arg(i), TKind::Date});
    }
    for (int i = 1; i <= 6; ++i) {
        m_editors.append({prefix + QStringLiteral("NUMBER_FIELD%1").arg(i), TKind::Number});
    }
    m_editors.append({prefix + QStringLiteral("TEXT_NOTE"), TKind::Plain, 63, OutOfSight, 738, 0, false});
    for (int slot = 1; slot <= NoteSlot; ++slot) {
        const int top = slot == NoteSlot ? 114 : SlotTop(slot) + 4;
        m_labels.append({Undefined, LabelRightEdge(slot), top, true});
    }
}

int TRecordCardLayout::LabelRightEdge(int slot) {
    const int column = slot == NoteSlot ? 0 : (slot - 1) % 4;
    const int row = slot == NoteSlot ? 0 : (slot - 1) / 4;
    static const int upper[4] = {61, 262, 463, 664};
    static const int lower[4] = {60, 262, 462, 663};
    return row >= 3 ? lower[column] : upper[column];
}

TRecordCardLayout::TEditor* TRecordCardLayout::FindEditor(const QString& column, TKind kind) {
    for (TEditor& editor : m_editors) {
        if (editor.kind == kind && editor.column.compare(column, Qt::CaseInsensitive) == 0) return &editor;
    }
    return nullptr;
}

const TRecordCardLayout::TEditor* TRecordCardLayout::Find(const QString& column, TKind kind) const {
    return const_cast<TRecordCardLayout*>(this)->FindEditor(column, kind);
}

const TRecordCardLayout::TEditor* TRecordCardLayout::BoundEditor(const QString& column) const {
    for (const TEditor& editor : m_editors) {
        if (editor.bound && editor.column.compare(column, Qt::CaseInsensitive) == 0) return &editor;
    }
    return nullptr;
}

bool TRecordCardLayout::IsTextColumn(const QString& column) const {
    static const QRegularExpression text(QStringLiteral("^TEXT_FIELD([1-9]|1[0-2])$"), QRegularExpression::CaseInsensitiveOption);
    const QString bare = column.mid(m_prefix.size());
    return column.startsWith(m_prefix, Qt::CaseInsensitive) &&
           (bare.compare(QLatin1String("ARCHIVE_NAME"), Qt::CaseInsensitive) == 0 || text.match(bare).hasMatch());
}

TRecordCardLayout::TEditor* TRecordCardLayout::Pick(const TCardDefinition& definition, TEditor** twin) {
    *twin = nullptr;
    const QString& column = definition.fieldName;
    const QString bare = column.mid(m_prefix.size());
    static const QRegularExpression date(QStringLiteral("^DATE_FIELD[1-4]$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression number(QStringLiteral("^NUMBER_FIELD[1-6]$"), QRegularExpression::CaseInsensitiveOption);
    if (!column.startsWith(m_prefix, Qt::CaseInsensitive)) {
        return nullptr;
    }
    if (definition.findType == QLatin1String("D") && date.match(bare).hasMatch()) {
        return FindEditor(column, TKind::Date);
    }
    if (IsTextColumn(column) && definition.findType == QLatin1String("DT")) {
        *twin = FindEditor(column, TKind::Plain);
        return FindEditor(column, TKind::Drop);  // none for the intake editor's name
    }
    if (IsTextColumn(column) && definition.findType == QLatin1String("T")) {
        *twin = FindEditor(column, TKind::Drop);
        return FindEditor(column, TKind::Plain);
    }
    if (definition.findType == QLatin1String("T") && number.match(bare).hasMatch()) {
        return FindEditor(column, TKind::Number);
    }
    return nullptr;
}

void TRecordCardLayout::Layout(const QList<TCardDefinition>& definitions) {
    const QString id = m_prefix + QStringLiteral("ARCHIVE_ID");
    const QString note = m_prefix + QStringLiteral("TEXT_NOTE");
    for (const TCardDefinition& definition : definitions) {
        if (definition.fieldName.compare(id, Qt::CaseInsensitive) == 0) {
            m_labels[0].caption = definition.displayName;
            TEditor* editor = FindEditor(id, TKind::Plain);
            editor->bound = true;
            editor->tabOrder = 1;
        }
        if (definition.fieldName.compare(note, Qt::CaseInsensitive) == 0) {
            m_labels[NoteSlot - 1].caption = definition.displayName;
            TEditor* editor = FindEditor(note, TKind::Plain);
            editor->bound = true;
            editor->tabOrder = 21;
            editor->left = 63;
            editor->top = 110;
        }
        TEditor* twin = nullptr;
        TEditor* editor = Pick(definition, &twin);
        if (twin) {
            twin->top = OutOfSight;
        }
        if (!editor) {
            continue;
        }
        editor->bound = true;
        const int slot = definition.order;
        if (slot >= 2 && slot <= 20) {
            editor->left = SlotLeft(slot);
            editor->top = SlotTop(slot);
            editor->tabOrder = slot;
            m_labels[slot - 1].caption = definition.displayName;
            if (IsTextColumn(definition.fieldName)) {
                m_textSlot[slot] = static_cast<int>(editor - m_editors.data()) + 1;
            }
        }
    }
    Tidy();
}

bool TRecordCardLayout::RowEmpty(int row) const {
    for (int column = 0; column < 4; ++column) {
        if (!IsEmptySlot(row * 4 + column + 1)) return false;
    }
    return true;
}

void TRecordCardLayout::Tidy() {
    for (int slot = 2; slot <= NoteSlot; ++slot) {
        if (IsEmptySlot(slot)) m_labels[slot - 1].visible = false;
    }
    if (IsEmptySlot(2)) {
        FindEditor(m_prefix + QStringLiteral("ARCHIVE_ID"), TKind::Plain)->width = 336;
    }
    for (int slot = 2; slot <= 20; ++slot) {
        if (!m_textSlot[slot]) continue;
        const int column = (slot - 1) % 4;
        int cells = 0;
        for (int next = slot + 1; next <= slot + (3 - column) && IsEmptySlot(next); ++next) ++cells;
        m_editors[m_textSlot[slot] - 1].width = 135 + 201 * cells;
    }
    TLabel& noteLabel = m_labels[NoteSlot - 1];
    TEditor* noteEditor = FindEditor(m_prefix + QStringLiteral("TEXT_NOTE"), TKind::Plain);
    const bool captioned = noteLabel.caption != Undefined;
    auto move = [&](int labelTop, int editorTop) {
        noteLabel.top = labelTop;
        noteEditor->top = editorTop;
    };
    if (captioned && RowEmpty(4) && !RowEmpty(3) && noteLabel.top > 94) {
        move(94, 90);
    } else if (captioned && RowEmpty(3) && !RowEmpty(2) && noteLabel.top > 74) {
        move(74, 70);
    } else if (captioned && RowEmpty(2) && !RowEmpty(1) && noteLabel.top > 54) {
        move(54, 50);
    } else if (captioned && RowEmpty(1) && RowEmpty(2)) {
        move(34, 30);
    }
}
