#include "data/Parameters.h"

#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"
#include "data/SqlHelpers.h"

QString ParameterValue(const QString& name) {
    return ValueText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = ?"), {name});
}

bool IsParameterOn(const QString& name) { return ParameterValue(name) == QStringLiteral("是"); }

bool SetParameter(const QString& name, const QString& value) {
    bool ok = false;
    try {
        const bool exists =
            ValueNumber(QStringLiteral("SELECT COUNT(NAME_ID) FROM SYS_ID_TABLE WHERE NAME_ID = ?"), {name}) > 0;
        ok = exists ? Execute(QStringLiteral("UPDATE SYS_ID_TABLE SET AUTO_ID = ?  WHERE NAME_ID = ?"), {value, name})
                    : Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES(?,?)"), {name, value});
    } catch (const TDatabaseError&) {
        ok = false;
    }
    if (!ok) {
        Information(QStringLiteral("参数保存过程发生错误"));
    }
    return ok;
}
