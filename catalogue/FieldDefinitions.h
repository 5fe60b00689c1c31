#pragma once

#include <QList>
#include <QString>

// The field definitions of volumes (SYS_ARCHIVE_FIELD_TABLE) or items
// (SYS_ARCHIVE_DETAIL_FIELD_TABLE): which generic column is shown in which
// slot, under which label, with which input.
class TFieldDefinitions {
public:
    enum class TClass { Text, Date, Number, Identifier, Name, Note };
    struct TColumnClass {
        QString choice;  // the text offered in "字段选择"
        QString column;  // without the item prefix
        TClass kind;
        QString type;
        int width;
        int displayWidth;
        QString findType;
    };
    struct TSlot {
        bool found = false;
        QString column;
        QString displayName;
        QString findType;
        bool sort = false;
        bool repeat = false;
    };
    struct TChoice {
        int slot = 0;
        QString previousColumn;  // the slot's column before, empty for an undefined slot
        QString displayName;
        int choice = -1;       // position in Classes(), -1 for none
        int inputKind = -1;    // 0 "直接输入", 1 "选择输入", -1 none
        bool sort = false;
        bool repeat = false;
        bool locked = false;   // identifier, name and note slots keep their column
    };
    struct TResult {
        bool closed = false;   // the dialog closes with OK
        bool removed = false;  // the slot is undefined now
        QString message;
        QString column;
    };

    explicit TFieldDefinitions(bool items = false) : m_items(items) {}

    QString Table() const;
    QString Prefix() const { return m_items ? QStringLiteral("DETAIL_") : QString(); }
    static const QList<TColumnClass>& Classes();
    // The class of a column (with or without the item prefix), or -1.
    int ClassIndex(const QString& column) const;

    // Writes the initial definitions into an empty table; a table with any
    // row is left as it is. True when it wrote them.
    bool SeedIfEmpty();
    TSlot ReadSlot(int slot) const;
    // Stores the dialog's choice for a slot. A refusal leaves every stored
    // definition as it was.
    TResult Save(const TChoice& choice);

private:
    bool m_items;
};
