#include "catalogue/SetArchiveFieldForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtSql/QSqlQuery>

#include "catalogue/SelectArchiveFieldForm.h"
#include "catalogue/SetTitleNameForm.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"

namespace {
const int MiniLefts[4] = {63, 264, 466, 668};
}

TSetArchiveFieldForm::TSetArchiveFieldForm(bool items, QWidget* parent)
    : QDialog(parent), m_items(items), m_close(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("SetArchiveFieldForm"));
    setWindowTitle(QStringLiteral("字段设置窗口"));
    setFixedSize(809, 210);
    for (int slot = 1; slot <= 21; ++slot) {
        auto* button = new QPushButton(QStringLiteral("未定义"), this);
        button->setObjectName(QStringLiteral("SlotButton%1").arg(slot));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
        auto* editor = new QLineEdit(this);
        editor->setReadOnly(true);
        editor->setEnabled(false);
        const int left = slot == 21 ? 63 : MiniLefts[(slot - 1) % 4];
        const int top = slot == 21 ? 110 : 10 + 20 * ((slot - 1) / 4);
        button->setGeometry(left - 62, top, 60, 20);
        editor->setGeometry(left, top, slot == 21 ? 738 : 135, 20);
        m_buttons[slot - 1] = button;
        connect(button, &QPushButton::clicked, this, [this, slot] { OpenSlot(slot); });
    }
    auto* hint = new QLabel(QStringLiteral("备注字段、字符字段11 和字符字段12 可以输入160英文字符,其他字符字段可以输入50个英文字符"), this);
    hint->setGeometry(10, 140, 700, 20);
    m_close->setGeometry(700, 172, 90, 28);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    Fill();
}

void TSetArchiveFieldForm::Fill() {
    const QString table = m_items ? QStringLiteral("SYS_ARCHIVE_DETAIL_FIELD_TABLE") : QStringLiteral("SYS_ARCHIVE_FIELD_TABLE");
    const QString prefix = m_items ? QStringLiteral("DETAIL_") : QString();
    QSqlQuery rows(MainDatabase());
    bool any = false;
    if (rows.exec(QStringLiteral("SELECT FIELD_NAME, FIELD_DISPLAY_NAME, FIELD_ORDER FROM ") + table + QStringLiteral(" ORDER BY FIELD_ORDER"))) {
        while (rows.next()) {
            any = true;
            const QString column = rows.value(0).toString();
            int slot = rows.value(2).toInt();
            if (column == prefix + QStringLiteral("ARCHIVE_ID")) slot = 1;
            if (column == prefix + QStringLiteral("ARCHIVE_NAME")) slot = 2;
            if (column == prefix + QStringLiteral("TEXT_NOTE")) slot = 21;
            if (slot >= 1 && slot <= 21) m_buttons[slot - 1]->setText(rows.value(1).toString());
        }
    }
    if (!any) {
        const QList<std::pair<int, QString>> initial{{1, QStringLiteral("档案编号")}, {2, QStringLiteral("档案名称")},
                                                     {5, QStringLiteral("档案日期")}, {6, QStringLiteral("存放位置")},
                                                     {7, QStringLiteral("保密等级")}, {21, QStringLiteral("备注")}};
        for (const auto& [slot, caption] : initial) m_buttons[slot - 1]->setText(caption);
    }
}

void TSetArchiveFieldForm::OpenSlot(int slot) {
    m_changed = true;
    TSelectArchiveFieldForm dialog(slot, m_items, this);
    if (TModalSeam::Exec(dialog) == QDialog::Accepted) {
        m_buttons[slot - 1]->setText(dialog.SavedName());
    }
}

TSetArchiveDetailFieldForm::TSetArchiveDetailFieldForm(QWidget* parent) : TSetArchiveFieldForm(true, parent) {
    auto* title = new QPushButton(QStringLiteral("修改标题"), this);
    title->setObjectName(QStringLiteral("TitleButton"));
    title->setGeometry(600, 172, 90, 28);
    title->setAutoDefault(false);
    connect(title, &QPushButton::clicked, this, [this] {
        TSetTitleNameForm form(this);
        TModalSeam::Exec(form);
    });
}
