#include "data/GridLayout.h"

#include <QtSql/QSqlQuery>
#include <algorithm>
#include <cmath>

#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"
#include "data/SqlHelpers.h"

int TGridLayout::Characters(int pixels) { return static_cast<int>(std::lround(pixels * 0.16)); }

int TGridLayout::Pixels(int characters) { return static_cast<int>(std::lround(characters / 0.16)); }

const TGridLayout::TColumn* TGridLayout::Find(const QString& name) const {
    for (const TColumn& column : m_columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0) return &column;
    }
    return nullptr;
}

bool TGridLayout::Read(bool byPosition) {
    m_columns.clear();
    if (!HasIdentity()) {
        return true;
    }
    const QString columns = Ordered ? QStringLiteral("FIELD_WIDTH,FIELD_NAME,FIELD_ORDER") : QStringLiteral("FIELD_WIDTH,FIELD_NAME");
    const QString order = Ordered && byPosition ? QStringLiteral("FIELD_ORDER") : QStringLiteral("FIELD_NAME");
    try {
        QSqlQuery rows = OpenQuery(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + Table +
                                       QStringLiteral(" WHERE USE_ID = ? AND FORM_NAME = ? AND DBGRID_NAME = ? ORDER BY ") + order,
                                   {UserId, FormName, GridName});
        while (rows.next()) {
            const QString name = rows.value(1).toString();
            if (name.isEmpty()) continue;
            TColumn column;
            column.name = name;
            column.width = column.loadedWidth = rows.value(0).toInt();
            column.position = column.loadedPosition = Ordered ? rows.value(2).toInt() : 0;
            column.loaded = true;
            m_columns.append(column);
        }
    } catch (const TDatabaseError&) {
        return false;
    }
    return true;
}

QStringList TGridLayout::ApplyToDescriptors(TFieldsDataArray& descriptors) {
    QList<TColumn> sorted = m_columns;
    if (Ordered) {
        std::stable_sort(sorted.begin(), sorted.end(), [](const TColumn& a, const TColumn& b) { return a.position < b.position; });
    }
    QStringList order;
    for (const TColumn& column : sorted) {
        order.append(column.name);
    }
    for (TFieldsData& descriptor : descriptors) {
        const TColumn* saved = Find(descriptor.FieldName);
        if (!saved) {
            if (!m_columns.isEmpty()) {
                // Added to the definitions after the user's layout was saved.
                descriptor.Visible = false;
            }
            continue;
        }
        if (descriptor.DisplayWidth == -1) {
            continue;
        }
        const int characters = Characters(saved->width);
        if (characters < 2) {
            descriptor.DisplayWidth = 0;
            const bool footer = descriptor.FooterKind == QLatin1String("@Count") || descriptor.FooterKind == QLatin1String("@Sum");
            if (!footer) {
                descriptor.Visible = false;
                HideColumn(descriptor.FieldName);
            }
        } else {
            descriptor.DisplayWidth = characters;
        }
    }
    return order;
}

void TGridLayout::Track(const QString& name, int width, int position) {
    for (TColumn& column : m_columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) != 0) continue;
        const int difference = std::abs(Characters(width) - Characters(column.width));
        if (difference > 1 || Characters(width) <= 10) {
            column.width = width;
        }
        column.position = position;
        return;
    }
    TColumn added;
    added.name = name;
    added.width = width;
    added.position = position;
    added.loaded = false;
    m_columns.append(added);
}

void TGridLayout::Save() {
    if (!HasIdentity() || m_reset || m_columns.size() <= 1) {
        return;
    }
    for (const TColumn& column : m_columns) {
        const bool unchanged = column.loaded && std::abs(Characters(column.loadedWidth) - Characters(column.width)) <= 1 &&
                               Characters(column.width) > 10 && (!Ordered || column.loadedPosition == column.position);
        if (unchanged) {
            continue;
        }
        const QVariantList key{UserId, FormName, GridName, column.name};
        QVariant stored;
        try {
            stored = ValueRow(QStringLiteral("SELECT FIELD_WIDTH,FIELD_ORDER FROM ") + Table +
                                  QStringLiteral(" WHERE  USE_ID = ? AND FORM_NAME = ? AND DBGRID_NAME = ? AND FIELD_NAME = ?"),
                              key);
        } catch (const TDatabaseError&) {
            continue;  // the stored rows stay as they were
        }
        if (!stored.isValid()) {
            Execute(QStringLiteral("INSERT INTO ") + Table +
                        QStringLiteral("(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH,FIELD_ORDER) VALUES (?,?,?,?,?,?)"),
                    key + QVariantList{column.width, Ordered ? QVariant(column.position) : QVariant()});
            continue;
        }
        const QVariantList row = stored.toList();
        if (row.value(0).toInt() == column.width && (!Ordered || row.value(1).toInt() == column.position)) {
            continue;
        }
        if (Ordered) {
            Execute(QStringLiteral("UPDATE ") + Table +
                        QStringLiteral(" SET FIELD_WIDTH = ?,FIELD_ORDER = ? WHERE  USE_ID = ? AND FORM_NAME = ? AND DBGRID_NAME = ? AND FIELD_NAME = ?"),
                    QVariantList{column.width, column.position} + key);
        } else {
            Execute(QStringLiteral("UPDATE ") + Table +
                        QStringLiteral(" SET FIELD_WIDTH = ? WHERE  USE_ID = ? AND FORM_NAME = ? AND DBGRID_NAME = ? AND FIELD_NAME = ?"),
                    QVariantList{column.width} + key);
        }
    }
    m_columns.clear();
}

bool TGridLayout::RestoreDefault() {
    if (!Question(QStringLiteral("是否恢复默认显示设置"))) {
        return false;
    }
    if (!Execute(QStringLiteral("DELETE FROM ") + Table + QStringLiteral(" WHERE  USE_ID = ? AND FORM_NAME = ? AND DBGRID_NAME = ?"),
                 {UserId, FormName, GridName})) {
        Information(QStringLiteral("恢复默认显示设置过程发生错误"));
        return false;
    }
    Information(QStringLiteral("请关闭窗口后再重新打开"));
    m_reset = true;
    return true;
}

bool TGridLayout::ResetForAllUsers() {
    if (!Execute(QStringLiteral("DELETE FROM ") + Table + QStringLiteral(" WHERE FORM_NAME = ? AND DBGRID_NAME = ?"),
                 {FormName, GridName})) {
        Information(QStringLiteral("恢复默认显示设置过程发生错误"));
        return false;
    }
    m_columns.clear();
    m_reset = true;
    return true;
}

bool TGridLayout::HideColumn(const QString& name) {
    if (!Execute(QStringLiteral("DELETE FROM ") + Table +
                     QStringLiteral(" WHERE  USE_ID = ? AND FORM_NAME = ? AND DBGRID_NAME = ? AND FIELD_NAME = ?"),
                 {UserId, FormName, GridName, name})) {
        Information(QStringLiteral("隐藏字段删除过程发生错误"));
        return false;
    }
    return true;
}
