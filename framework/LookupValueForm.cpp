#include "framework/LookupValueForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtSql/QSqlQuery>

#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/UiHelpers.h"

TLookupValueForm::TLookupValueForm(const QString& label, const QStringList& values, QWidget* parent)
    : QDialog(parent)
    , m_grid(new QTableWidget(static_cast<int>(values.size()), 1, this))
    , m_ok(new QPushButton(QStringLiteral("确认[F3]"), this))
    , m_close(new QPushButton(QStringLiteral("关闭[F12]"), this)) {
    setObjectName(QStringLiteral("LookupValueForm"));
    setWindowTitle(QStringLiteral("数据选择窗口"));
    resize(420, 360);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels({label});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette palette = m_grid->palette();
    palette.setColor(QPalette::Base, ColorFromWindows(QDGlobal::EditColor));
    m_grid->setPalette(palette);
    for (int row = 0; row < values.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(values[row]));
    }
    if (!values.isEmpty()) m_grid->setCurrentCell(0, 0);
    m_ok->setAutoDefault(false);
    m_close->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
}

QString TLookupValueForm::Chosen() const {
    const QTableWidgetItem* item = m_grid->currentItem();
    return item ? item->text() : QString();
}

void TLookupValueForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F3) {
        m_ok->click();
        return;
    }
    if (event->key() == Qt::Key_F12) {
        m_close->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString TLookupValueForm::ValueTable(const QString& column) {
    static const QRegularExpression text(QStringLiteral("^(DETAIL_)?TEXT_FIELD([1-9]|1[0-2])$"));
    const QString upper = column.toUpper();
    if (upper == QLatin1String("ARCHIVE_NAME") || upper == QLatin1String("DETAIL_ARCHIVE_NAME")) {
        return QStringLiteral("QD_") + upper + QStringLiteral("_TABLE");
    }
    if (text.match(upper).hasMatch()) {
        return QStringLiteral("QD_") + upper + QStringLiteral("_TABLE");
    }
    return {};
}

bool LookupValue(const QString& column, const QString& typed, const QString& label, QString* chosen, QWidget* owner) {
    const QString table = TLookupValueForm::ValueTable(column);
    if (table.isEmpty()) {
        return false;
    }
    QStringList values;
    QSqlQuery rows = OpenQuery(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE  ") + column +
                                   QStringLiteral("  LIKE ? ORDER BY ") + column,
                               {QLatin1Char('%') + typed + QLatin1Char('%')});
    while (rows.next()) {
        values.append(rows.value(0).toString());
    }
    if (values.isEmpty()) {
        Information(QStringLiteral("不能找到符合查找条件的") + label, owner);
        return false;
    }
    TLookupValueForm form(label, values, owner);
    if (TModalSeam::Exec(form) != QDialog::Accepted) {
        return false;
    }
    *chosen = form.Chosen();
    return true;
}
