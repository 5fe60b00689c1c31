#include "app/ErrorMsgForm.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "data/MessageBoxes.h"
#include "framework/FileDialogs.h"

TErrorMsgForm::TErrorMsgForm(QWidget* parent)
    : QDialog(parent)
    , m_memo(new QPlainTextEdit(this))
    , m_save(new QPushButton(QStringLiteral("保存"), this))
    , m_close(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("ErrorMsgForm"));
    setWindowTitle(QStringLiteral("信息显示窗口"));
    resize(600, 420);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addLayout(buttons);
    connect(m_save, &QPushButton::clicked, this, &TErrorMsgForm::Save);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TErrorMsgForm::AddLine(const QString& line) { m_memo->appendPlainText(line); }

bool TErrorMsgForm::SaveTo(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return false;
    }
    file.write(m_memo->toPlainText().toUtf8());
    file.write("\n");
    return file.commit();
}

void TErrorMsgForm::Save() {
    const QString path = TFileDialogs::SaveFileName(this, QStringLiteral("保存"), QStringLiteral("txt (*.txt)"), m_defaultName);
    if (path.isEmpty()) {
        return;
    }
    if (!SaveTo(path)) {
        Error(QStringLiteral("文件不能保存: ") + path, this);
    }
}
