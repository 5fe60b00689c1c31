#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The message log "信息显示窗口" long operations list their results in.
class TErrorMsgForm : public QDialog {
    Q_OBJECT
public:
    explicit TErrorMsgForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo() const { return m_memo; }
    void AddLine(const QString& line);
    void SetDefaultFileName(const QString& name) { m_defaultName = name; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* CloseButton() const { return m_close; }
    // Writes the lines to the file; false when it cannot be written.
    bool SaveTo(const QString& path);

private:
    void Save();

    QPlainTextEdit* m_memo;
    QPushButton* m_save;
    QPushButton* m_close;
    QString m_defaultName;
};
