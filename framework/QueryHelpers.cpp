#include "framework/QueryHelpers.h"

#include <QComboBox>

#include "data/MessageBoxes.h"
#include "data/QDQuery.h"
#include "framework/QDThread.h"

void FillCombo(QComboBox* combo, TQDQuery& query, const QString& column) {
    combo->clear();
    const int index = query.FieldIndex(column);
    if (!query.Active() || index < 0) {
        return;
    }
    QStringList items;
    const int count = query.RecordCount();
    for (int row = 0; row < count; ++row) {
        items.append(query.RowValue(row, index).toString());
    }
    combo->addItems(items);
}

void RunCounted(TQDQuery& query, const QString& statement) {
    TQDThread progress;
    progress.SetCaption(QStringLiteral("正在读取数据，请稍候....."));
    progress.SetKind(TOptionKind::crFind);
    progress.Start();
    query.Close();
    query.SetSql(statement);
    const bool opened = query.Open();
    const int count = opened ? query.RecordCount() : 0;
    progress.Stop();
    if (!opened) {
        return;  // the query has reported its own failure
    }
    // Owned by the application window, not by the list that asked.
    if (count > 0) {
        Information(QStringLiteral("共找到 ") + QString::number(count) + QStringLiteral(" 个符合条件的纪录"));
    } else {
        Information(QStringLiteral("没有找到符合条件的纪录"));
    }
}
