#include "data/SchemaCatalogue.h"

#include <QStringEncoder>

namespace {

constexpr int DefaultTextWidth = 20;

TColumnDef Text(const QString& name, int width = DefaultTextWidth, bool key = false) {
    return {name, TFieldKind::Text, width, key};
}
TColumnDef Key(const QString& name, int width = DefaultTextWidth) { return Text(name, width, true); }
TColumnDef Date(const QString& name) { return {name, TFieldKind::Date, 0, false}; }
TColumnDef Float(const QString& name) { return {name, TFieldKind::Float, 0, false}; }
TColumnDef Integer(const QString& name, bool key = false) { return {name, TFieldKind::Integer, 0, key}; }
TColumnDef IntegerKey(const QString& name) { return Integer(name, true); }
TColumnDef Blob(const QString& name) { return {name, TFieldKind::Blob, 0, false}; }

QList<TColumnDef> Audit() {
    return {Text(QStringLiteral("CREATE_NAME")), Date(QStringLiteral("CREATE_DATE")),
            Text(QStringLiteral("EDIT_NAME")), Date(QStringLiteral("EDIT_DATE"))};
}

QString S(const char* text) { return QString::fromLatin1(text); }

// The generic record columns, with the item table's prefix where given.
QList<TColumnDef> GenericColumns(const QString& prefix) {
    QList<TColumnDef> columns{Text(prefix + S("ARCHIVE_ID"), 30), Text(prefix + S("ARCHIVE_NAME"), 180)};
    for (int i = 1; i <= 4; ++i) {
        columns.append(Date(prefix + S("DATE_FIELD") + QString::number(i)));
    }
    for (int i = 1; i <= 12; ++i) {
        columns.append(Text(prefix + S("TEXT_FIELD") + QString::number(i), i <= 10 ? 50 : 160));
    }
    columns.append(Text(prefix + S("TEXT_NOTE"), 255));
    for (int i = 1; i <= 6; ++i) {
        columns.append(Float(prefix + S("NUMBER_FIELD") + QString::number(i)));
    }
    return columns;
}

TTableDef VolumeTable(const QString& name) {
    TTableDef table{name, {Key(S("ARCHIVE_RECORD_ID"), 16), Text(S("ARCHIVE_TYPE_ID"), 16)}, {}};
    table.columns += GenericColumns({});
    table.columns += Audit();
    table.indexes = {{S("ARCHIVE_TYPE_ID"), S("ARCHIVE_ID")}, {S("ARCHIVE_ID")}, {S("ARCHIVE_NAME")}};
    return table;
}

TTableDef FieldDefinitionTable(const QString& name) {
    return {name,
            {Key(S("FIELD_NAME"), 30), Text(S("FIELD_DISPLAY_NAME")), Text(S("FIELD_TYPE"), 10),
             Integer(S("FIELD_WIDTH")), Integer(S("FIELD_DISPLAY_WIDTH")), Text(S("FIELD_FIND_TYPE"), 10),
             Text(S("FIELD_ORDER_TYPE"), 10), Integer(S("FIELD_ORDER")), Integer(S("FIELD_ITERATION"))},
            {{S("FIELD_ORDER")}}};
}

TTableDef ImportMappingTable(const QString& name) {
    return {name, {Key(S("TABLE_FIELD_NAME"), 30), Text(S("EXCEL_FIELD_NAME"), 30), Float(S("FIELD_ORDER"))}, {}};
}

TTableDef AttachmentTable(const QString& name, const QString& id, const QString& owner, const QString& title,
                          const QString& order, bool ownerInKey) {
    TTableDef table{name, {Key(id, 16), ownerInKey ? Key(owner, 16) : Text(owner, 16), Text(title, 255),
                           Integer(order), Text(S("NOTE"), 255)}, {{owner, order}}};
    table.columns += Audit();
    return table;
}

TTableDef PickListTable(const QString& name, const QString& column, int width) {
    TTableDef table{name, {Text(column, width)}, {{column}}};
    table.columns += Audit();
    return table;
}

TTableDef LayoutTable(const QString& name) {
    return {name,
            {Key(S("USE_ID"), 6), Key(S("FORM_NAME")), Key(S("DBGRID_NAME")), Key(S("FIELD_NAME"), 30),
             Integer(S("FIELD_WIDTH")), Integer(S("FIELD_ORDER"))},
            {}};
}

TTableDef PrintStoreTable(const QString& name) {
    return {name, {Key(S("PRINT_ID"), 26), Blob(S("PRINT_TABLE"))}, {}};
}

QList<TTableDef> BuildTables() {
    QList<TTableDef> tables;

    TTableDef users{S("SYS_USER_TABLE"),
                    {Key(S("USE_ID"), 6), Text(S("USE_NAME")), Text(S("USE_PASSWORD"), 120), Text(S("SYS_USER"), 2),
                     Text(S("STOP_RIGHT"), 4), Text(S("NOTE"), 30)},
                    {{S("USE_NAME")}}};
    users.columns += Audit();
    tables.append(users);
    tables.append({S("SYS_COMPOSE_TABLE"), {IntegerKey(S("COMPOSE_ID")), Text(S("COMPOSE_NAME"))},
                   {{S("COMPOSE_NAME")}}});
    tables.append({S("SYS_PROGRAM_TABLE"),
                   {IntegerKey(S("COMPOSE_ID")), IntegerKey(S("PROGRAM_ID")), Text(S("PROGRAM_NAME")),
                    Text(S("ADD_RIGHT"), 2), Text(S("BROWSE_RIGHT"), 2), Text(S("PRINT_RIGHT"), 2),
                    Text(S("VERIFY_RIGHT"), 2), Text(S("CURRENCY_RIGHT"), 2)},
                   {{S("PROGRAM_NAME")}}});
    tables.append({S("SYS_RIGHT_TABLE"),
                   {Key(S("USE_ID"), 6), IntegerKey(S("COMPOSE_ID")), IntegerKey(S("PROGRAM_ID")),
                    Text(S("ADD_RIGHT"), 2), Text(S("EDIT_RIGHT"), 2), Text(S("DELETE_RIGHT"), 2),
                    Text(S("BROWSE_RIGHT"), 2), Text(S("PRINT_RIGHT"), 2), Text(S("VERIFY_RIGHT"), 2),
                    Text(S("CURRENCY_RIGHT"), 2)},
                   {}});

    TTableDef company{S("SYS_COMPANY_TABLE"),
                      {Key(S("COMPANY_ID"), 6), Key(S("COMPANY_NAME"), 40), Text(S("COMPANY_ADDRESS"), 50),
                       Text(S("COMPANY_POSTCODE"), 10), Text(S("COMPANY_PHONE")), Text(S("NOTE"), 40)},
                      {}};
    company.columns += Audit();
    tables.append(company);
    tables.append({S("SYS_ID_TABLE"), {Key(S("NAME_ID")), Text(S("AUTO_ID"))}, {}});

    TTableDef types{S("QD_ARCHIVE_TYPE_TABLE"),
                    {Key(S("ARCHIVE_TYPE_ID"), 16), Text(S("ARCHIVE_TYPE_NAME")), Text(S("PRIOR_ID"), 16),
                     Integer(S("ORDER_ID")), Text(S("NOTE"), 40)},
                    {{S("PRIOR_ID"), S("ORDER_ID")}}};
    types.columns += Audit();
    tables.append(types);
    tables.append({S("QD_ARCHIVE_NODE_NAME_TABLE"),
                   {IntegerKey(S("ORDER_ID")), Text(S("NODE_NAME"), 100), Text(S("NOTE"), 80)}, {}});
    tables.append(FieldDefinitionTable(S("SYS_ARCHIVE_FIELD_TABLE")));
    tables.append(FieldDefinitionTable(S("SYS_ARCHIVE_DETAIL_FIELD_TABLE")));

    tables.append(VolumeTable(S("QD_ARCHIVE_MASTER_TABLE")));
    TTableDef items{S("QD_ARCHIVE_DETAIL_TABLE"), {Key(S("DETAIL_RECORD_ID"), 16), Text(S("ARCHIVE_RECORD_ID"), 16)},
                    {{S("ARCHIVE_RECORD_ID"), S("DETAIL_ARCHIVE_ID")}, {S("DETAIL_ARCHIVE_ID")}}};
    items.columns += GenericColumns(S("DETAIL_"));
    items.columns += Audit();
    tables.append(items);
    tables.append(VolumeTable(S("QD_TARCHIVE_MASTER_TABLE")));
    tables.append(ImportMappingTable(S("QD_INTO_ARCHIVE_FIELD_TABLE")));
    tables.append(ImportMappingTable(S("QD_INTO_ARCHIVE_DETAIL_FIELD_TABLE")));
    TTableDef preview{S("QD_INTO_ARCHIVE_SHOW_TABLE"), {}, {}};
    for (int i = 1; i <= 12; ++i) {
        preview.columns.append(Text(S("TEXT_FIELD") + QString::number(i), i <= 10 ? 50 : 160));
    }
    preview.columns.append(Text(S("TEXT_NOTE"), 255));
    tables.append(preview);

    TTableDef lending{S("QD_ARCHIVE_LEND_TABLE"),
                      {Key(S("LEND_ID"), 16), Key(S("ARCHIVE_RECORD_ID"), 16), Text(S("LEND_NAME")),
                       Date(S("LEND_DATE")), Date(S("RETURN_LIMIT_DATE")), Date(S("RETURN_DATE")),
                       Text(S("NOTE"), 160)},
                      {{S("ARCHIVE_RECORD_ID"), S("LEND_DATE")}, {S("RETURN_DATE"), S("RETURN_LIMIT_DATE")},
                       {S("LEND_DATE")}}};
    lending.columns += Audit();
    tables.append(lending);

    tables.append(AttachmentTable(S("QD_MARCHIVE_MASTER_FILE_TABLE"), S("FILE_RECORD_ID"), S("ARCHIVE_RECORD_ID"),
                                  S("FILE_TITLE_NAME"), S("FILE_ORDER"), true));
    tables.append({S("QD_MARCHIVE_DETAIL_FILE_TABLE"), {Key(S("FILE_RECORD_ID"), 16), Blob(S("FILE_SAVE_NAME"))}, {}});
    tables.append(AttachmentTable(S("QD_DARCHIVE_MASTER_FILE_TABLE"), S("FILE_RECORD_ID"), S("DETAIL_RECORD_ID"),
                                  S("FILE_TITLE_NAME"), S("FILE_ORDER"), false));
    tables.append({S("QD_DARCHIVE_DETAIL_FILE_TABLE"), {Key(S("FILE_RECORD_ID"), 16)}, {}});
    tables.append(AttachmentTable(S("QD_MARCHIVE_MASTER_PICTURE_TABLE"), S("PICTURE_RECORD_ID"),
                                  S("ARCHIVE_RECORD_ID"), S("PICTURE_TITLE_NAME"), S("PICTURE_ORDER"), true));
    tables.append(AttachmentTable(S("QD_DARCHIVE_MASTER_PICTURE_TABLE"), S("PICTURE_RECORD_ID"),
                                  S("DETAIL_RECORD_ID"), S("PICTURE_TITLE_NAME"), S("PICTURE_ORDER"), true));
    tables.append({S("QD_DARCHIVE_DETAIL_PICTURE_TABLE"), {Key(S("PICTURE_RECORD_ID"), 16)}, {}});

    for (int i = 1; i <= 12; ++i) {
        const QString n = QString::number(i);
        const int width = i <= 10 ? 50 : 160;
        tables.append(PickListTable(S("QD_TEXT_FIELD") + n + S("_TABLE"), S("TEXT_FIELD") + n, width));
    }
    for (int i = 1; i <= 12; ++i) {
        const QString n = QString::number(i);
        const int width = i <= 10 ? 50 : 160;
        tables.append(
            PickListTable(S("QD_DETAIL_TEXT_FIELD") + n + S("_TABLE"), S("DETAIL_TEXT_FIELD") + n, width));
    }
    tables.append(PickListTable(S("QD_ARCHIVE_NAME_TABLE"), S("ARCHIVE_NAME"), 180));
    tables.append(PickListTable(S("QD_DETAIL_ARCHIVE_NAME_TABLE"), S("DETAIL_ARCHIVE_NAME"), 180));
    tables.append(PickListTable(S("QD_LEND_NAME_TABLE"), S("LEND_NAME"), DefaultTextWidth));

    tables.append({S("SYS_PRINT_NAME_TABLE"),
                   {Key(S("PRINT_ID"), 26), Key(S("PRINT_INDEX"), 80), Text(S("PRINT_NAME"), 180),
                    Text(S("PRINT_TYPE"), 2)},
                   {}});
    tables.append(PrintStoreTable(S("SYS_PRINT_DATA_TABLE")));
    tables.append(PrintStoreTable(S("SYS_PRINT_ARCHIVE_MASTER_TABLE")));

    for (const char* layout :
         {"SYS_ARCHIVE_DBGRID_TABLE", "SYS_ARCHIVE_DETAIL_TABLE", "SYS_ARCHIVE_LEND_TABLE",
          "SYS_QUERY_ARCHIVE_DETAIL_TABLE", "SYS_QUERY_ARCHIVE_LEND_TABLE", "SYS_SELECT_ARCHIVE_FILE_TABLE",
          "SYS_SELECT_ARCHIVE_MASTER_FILE_TABLE", "SYS_SELECT_ARCHIVE_DETAIL_FILE_TABLE",
          "SYS_SELECT_ARCHIVE_PICTURE_TABLE"}) {
        tables.append(LayoutTable(S(layout)));
    }

    // Kept by table maintenance and read by nothing; it exists so that the
    // database holds every table the program knows of.
    tables.append({S("SYS_BACK_TABLE"), {Text(S("NOTE"), 255)}, {}});
    return tables;
}

QString SqlType(TFieldKind kind) {
    switch (kind) {
        case TFieldKind::Text:
        case TFieldKind::Date:
            return S("TEXT");
        case TFieldKind::Float:
            return S("REAL");
        case TFieldKind::Integer:
            return S("INTEGER");
        case TFieldKind::Blob:
            return S("BLOB");
    }
    return S("TEXT");
}

}  // namespace

const TColumnDef* TTableDef::Column(const QString& column) const {
    for (const TColumnDef& def : columns) {
        if (def.name.compare(column, Qt::CaseInsensitive) == 0) {
            return &def;
        }
    }
    return nullptr;
}

QStringList TTableDef::KeyColumns() const {
    QStringList keys;
    for (const TColumnDef& def : columns) {
        if (def.key) {
            keys.append(def.name);
        }
    }
    return keys;
}

const QList<TTableDef>& TSchemaCatalogue::Tables() {
    static const QList<TTableDef> tables = BuildTables();
    return tables;
}

const TTableDef* TSchemaCatalogue::Table(const QString& name) {
    for (const TTableDef& table : Tables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &table;
        }
    }
    return nullptr;
}

const TColumnDef* TSchemaCatalogue::Column(const QString& table, const QString& column) {
    const TTableDef* def = Table(table);
    return def ? def->Column(column) : nullptr;
}

QString TSchemaCatalogue::CreateTableStatement(const TTableDef& table) {
    QStringList parts;
    for (const TColumnDef& column : table.columns) {
        parts.append(column.name + QLatin1Char(' ') + SqlType(column.kind));
    }
    const QStringList keys = table.KeyColumns();
    if (!keys.isEmpty()) {
        parts.append(S("PRIMARY KEY (") + keys.join(QLatin1Char(',')) + QLatin1Char(')'));
    }
    return S("CREATE TABLE ") + table.name + S(" (") + parts.join(S(", ")) + QLatin1Char(')');
}

QStringList TSchemaCatalogue::CreateIndexStatements(const TTableDef& table) {
    QStringList statements;
    for (const QStringList& columns : table.indexes) {
        statements.append(S("CREATE INDEX IX_") + table.name + QLatin1Char('_') + columns.join(QLatin1Char('_')) +
                          S(" ON ") + table.name + S(" (") + columns.join(QLatin1Char(',')) + QLatin1Char(')'));
    }
    return statements;
}

std::optional<int> TSchemaCatalogue::GbkLength(const QString& text) {
    // Plain ASCII is one byte a character in the code page; only other text
    // needs the converter.
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        return static_cast<int>(text.size());
    }
    static QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) {
        return static_cast<int>(text.toUtf8().size());
    }
    encoder.resetState();
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        encoder.resetState();
        return std::nullopt;
    }
    return static_cast<int>(bytes.size());
}

QString TSchemaCatalogue::WidthProblem(const TColumnDef& column, const QString& value, const QString& label) {
    if (column.kind != TFieldKind::Text) {
        return {};
    }
    return TextProblem(label.isEmpty() ? column.name : label, value, column.width);
}

QString TSchemaCatalogue::TextProblem(const QString& label, const QString& value, int width) {
    const std::optional<int> length = GbkLength(value);
    if (!length) {
        return label + QStringLiteral("中含有不能保存的字符");
    }
    if (width > 0 && *length > width) {
        return label + QStringLiteral("的内容太长，最多可以输入%1个字节(一个汉字占2个字节)").arg(width);
    }
    return {};
}
