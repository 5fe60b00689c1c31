#include "catalogue/FieldDefinitions.h"

#include <QtSql/QSqlQuery>

#include "data/DatabaseError.h"
#include "data/SchemaCatalogue.h"
#include "data/SqlHelpers.h"

QString TFieldDefinitions::Table() const {
    return m_items ? QStringLiteral("SYS_ARCHIVE_DETAIL_FIELD_TABLE") : QStringLiteral("SYS_ARCHIVE_FIELD_TABLE");
}

const QList<TFieldDefinitions::TColumnClass>& TFieldDefinitions::Classes() {
    static const QList<TColumnClass> classes = [] {
        QList<TColumnClass> list;
        for (int i = 1; i <= 12; ++i) {
            list.append({QStringLiteral("%1字符字段").arg(i), QStringLiteral("TEXT_FIELD%1").arg(i), TClass::Text,
                         QStringLiteral("String"), 50, 20, QStringLiteral("T")});
        }
        for (int i = 1; i <= 4; ++i) {
            list.append({QStringLiteral("%1日期字段").arg(i), QStringLiteral("DATE_FIELD%1").arg(i), TClass::Date,
                         QStringLiteral("Date"), 0, 10, QStringLiteral("D")});
        }
        for (int i = 1; i <= 6; ++i) {
            list.append({QStringLiteral("%1数据字段").arg(i), QStringLiteral("NUMBER_FIELD%1").arg(i), TClass::Number,
                         QStringLiteral("Float"), 0, 10, QStringLiteral("T")});
        }
        list.append({QStringLiteral("编号字段"), QStringLiteral("ARCHIVE_ID"), TClass::Identifier, QStringLiteral("String"), 30, 10, QStringLiteral("T")});
        list.append({QStringLiteral("名称字段"), QStringLiteral("ARCHIVE_NAME"), TClass::Name, QStringLiteral("String"), 180, 60, QStringLiteral("T")});
        list.append({QStringLiteral("备注字段"), QStringLiteral("TEXT_NOTE"), TClass::Note, QStringLiteral("String"), 255, 80, QStringLiteral("T")});
        return list;
    }();
    return classes;
}

int TFieldDefinitions::ClassIndex(const QString& column) const {
    const QString bare = column.startsWith(Prefix(), Qt::CaseInsensitive) ? column.mid(Prefix().size()) : column;
    for (int i = 0; i < Classes().size(); ++i) {
        if (Classes()[i].column.compare(bare, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

bool TFieldDefinitions::SeedIfEmpty() {
    if (ValueNumber(QStringLiteral("SELECT COUNT(*) FROM ") + Table()) > 0) {
        return false;
    }
    struct Row {
        const char* column;
        QString label;
        const char* type;
        const char* find;
        int width, display, order;
    };
    const QList<Row> volumes{{"ARCHIVE_ID", QStringLiteral("档案编号"), "String", "T", 30, 20, 1},
                             {"ARCHIVE_NAME", QStringLiteral("档案名称"), "String", "T", 180, 60, 2},
                             {"DATE_FIELD1", QStringLiteral("档案日期"), "Date", "D", 0, 10, 5},
                             {"TEXT_FIELD1", QStringLiteral("保密等级"), "String", "DT", 50, 20, 6},
                             {"TEXT_FIELD2", QStringLiteral("存放位置"), "String", "DT", 50, 20, 7},
                             {"TEXT_NOTE", QStringLiteral("档案备注"), "String", "T", 255, 120, 21}};
    const QList<Row> items{{"DETAIL_ARCHIVE_ID", QStringLiteral("资料编号"), "String", "T", 30, 20, 1},
                           {"DETAIL_ARCHIVE_NAME", QStringLiteral("资料名称"), "String", "T", 180, 80, 2},
                           {"DETAIL_TEXT_NOTE", QStringLiteral("备注"), "String", "T", 255, 120, 21}};
    TTransaction batch;
    for (const Row& row : m_items ? items : volumes) {
        const QVariant sort = m_items ? QVariant() : QVariant(QStringLiteral("是"));
        if (!Execute(QStringLiteral("INSERT INTO ") + Table() +
                         QStringLiteral(" (FIELD_NAME, FIELD_DISPLAY_NAME, FIELD_TYPE, FIELD_FIND_TYPE, FIELD_WIDTH, FIELD_DISPLAY_WIDTH, "
                                        "FIELD_ORDER, FIELD_ORDER_TYPE) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                     {QLatin1String(row.column), row.label, QLatin1String(row.type), QLatin1String(row.find), row.width, row.display,
                      row.order, sort})) {
            return false;
        }
    }
    return batch.Commit();
}

TFieldDefinitions::TSlot TFieldDefinitions::ReadSlot(int slot) const {
    QString where;
    QVariantList values;
    if (slot == 1 || slot == 2 || slot == 21) {
        where = QStringLiteral("FIELD_NAME = ?");
        values = {Prefix() + (slot == 1 ? QStringLiteral("ARCHIVE_ID") : slot == 2 ? QStringLiteral("ARCHIVE_NAME") : QStringLiteral("TEXT_NOTE"))};
    } else {
        where = QStringLiteral("FIELD_ORDER = ?");
        values = {slot};
    }
    TSlot result;
    QSqlQuery row = OpenQuery(QStringLiteral("SELECT FIELD_NAME, FIELD_DISPLAY_NAME, FIELD_FIND_TYPE, FIELD_ORDER_TYPE, FIELD_ITERATION FROM ") +
                                  Table() + QStringLiteral(" WHERE  ") + where,
                              values);
    if (row.next()) {
        result.found = true;
        result.column = row.value(0).toString();
        result.displayName = row.value(1).toString();
        result.findType = row.value(2).toString();
        result.sort = row.value(3).toString() == QStringLiteral("是");
        result.repeat = row.value(4).toInt() == 1;
    }
    return result;
}

TFieldDefinitions::TResult TFieldDefinitions::Save(const TChoice& input) {
    TResult result;
    const QString name = input.displayName.trimmed();
    if (name.isEmpty()) {
        if (input.locked) {
            result.message = QStringLiteral("该字段是关键字段,必须输入字段名称");
            return result;
        }
        if (!input.previousColumn.isEmpty() &&
            !Execute(QStringLiteral("DELETE FROM ") + Table() + QStringLiteral(" WHERE  FIELD_NAME = ?"), {input.previousColumn})) {
            result.message = QStringLiteral("设置保存错误");
            return result;
        }
        result.closed = result.removed = true;
        return result;
    }
    if (input.choice < 0 || input.choice >= Classes().size()) {
        result.message = QStringLiteral("必须选择一个字段");
        return result;
    }
    if (input.inputKind < 0) {
        result.message = QStringLiteral("必须选择输入方式");
        return result;
    }
    const TColumnClass& kind = Classes()[input.choice];
    if (kind.kind == TClass::Identifier && input.slot != 1) {
        result.message = QStringLiteral("第一个字段才能是\"编号字段\"");
        return result;
    }
    if (kind.kind == TClass::Note && input.slot != 21) {
        result.message = QStringLiteral("最后一个字段才能是\"备注字段\"");
        return result;
    }
    const std::optional<int> bytes = TSchemaCatalogue::GbkLength(name);
    if (!bytes || *bytes > 12) {
        result.message = QStringLiteral("字段名称最多可以输入12个字节(6个汉字)");
        return result;
    }
    const QString column = Prefix() + kind.column;
    result.column = column;

    // The whole change is one step: a refusal below leaves the slot's previous
    // definition where it was.
    TSavepoint change(QStringLiteral("QDFIELD"));
    auto refuse = [&](const QString& message) {
        change.Rollback();
        result.message = message;
        return result;
    };
    if (!input.previousColumn.isEmpty() && input.previousColumn.compare(column, Qt::CaseInsensitive) != 0 &&
        !Execute(QStringLiteral("DELETE FROM ") + Table() + QStringLiteral(" WHERE  FIELD_NAME = ?"), {input.previousColumn})) {
        return refuse(QStringLiteral("设置保存错误"));
    }
    try {
        if (ValueNumber(QStringLiteral("SELECT Count(FIELD_NAME) FROM ") + Table() +
                            QStringLiteral(" WHERE  FIELD_DISPLAY_NAME = ? AND FIELD_NAME <> ?"),
                        {name, column}) > 0) {
            return refuse(QStringLiteral("字段名称重复"));
        }
        const QVariant existing = ValueRow(QStringLiteral("SELECT FIELD_ORDER, FIELD_DISPLAY_NAME FROM ") + Table() +
                                               QStringLiteral(" WHERE  FIELD_NAME = ?"),
                                           {column});
        if (existing.isValid() && existing.toList().value(0).toInt() != input.slot) {
            return refuse(QStringLiteral("该字段已被定义为：") + existing.toList().value(1).toString() + QStringLiteral("\n") +
                          QStringLiteral("不能重复定义"));
        }
        const QString find = input.inputKind == 1 && kind.type == QLatin1String("String") ? QStringLiteral("DT") : kind.findType;
        const QVariantList values{name, kind.type, kind.width, kind.displayWidth, input.sort ? QStringLiteral("是") : QStringLiteral("否"),
                                  kind.type == QLatin1String("String") && input.repeat ? 1 : 0, find, input.slot, column};
        const bool ok = existing.isValid()
                            ? Execute(QStringLiteral("UPDATE ") + Table() +
                                          QStringLiteral(" SET FIELD_DISPLAY_NAME = ?, FIELD_TYPE = ?, FIELD_WIDTH = ?, FIELD_DISPLAY_WIDTH = ?, "
                                                         "FIELD_ORDER_TYPE = ?, FIELD_ITERATION = ?, FIELD_FIND_TYPE = ?, FIELD_ORDER = ? "
                                                         "WHERE FIELD_NAME = ?"),
                                      values)
                            : Execute(QStringLiteral("INSERT INTO ") + Table() +
                                          QStringLiteral(" (FIELD_DISPLAY_NAME, FIELD_TYPE, FIELD_WIDTH, FIELD_DISPLAY_WIDTH, FIELD_ORDER_TYPE, "
                                                         "FIELD_ITERATION, FIELD_FIND_TYPE, FIELD_ORDER, FIELD_NAME) VALUES (?,?,?,?,?,?,?,?,?)"),
                                      values);
        if (!ok) {
            return refuse(QStringLiteral("设置保存错误"));
        }
    } catch (const TDatabaseError&) {
        return refuse(QStringLiteral("数据库打开错误"));
    }
    if (!change.Release()) {
        result.message = QStringLiteral("设置保存错误");
        return result;
    }
    result.closed = true;
    return result;
}
