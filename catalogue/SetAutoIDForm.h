#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRadioButton;

// The numbering settings "编号方式设置窗口": which identifiers the system fills
// in, how volume numbers are scoped, and the start-up backup and overdue
// reminders. It has no cancel: closing with 确定 always saves.
class TSetAutoIDForm : public QDialog {
    Q_OBJECT
public:
    static inline const QString ArchiveNumbering = QStringLiteral("档案编号");
    static inline const QString DetailNumbering = QStringLiteral("档案明细编号");
    static inline const QString LendNumbering = QStringLiteral("档案借阅编号");
    static inline const QString OverdueReminder = QStringLiteral("过期未还提醒");
    static inline const QString NoAutomaticBackup = QStringLiteral("不自动数据备份");
    static inline const QString CategoryNumberingName = QStringLiteral("分类编号");

    explicit TSetAutoIDForm(QWidget* parent = nullptr);

    QCheckBox* ArchiveBox() const { return m_archive; }
    QCheckBox* DetailBox() const { return m_detail; }
    QCheckBox* LendBox() const { return m_lend; }
    QCheckBox* BackupBox() const { return m_backup; }
    QCheckBox* OverdueBox() const { return m_overdue; }
    QRadioButton* Mode(int index) const { return m_modes[index]; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override {}  // no cancel

private:
    void Load();
    void SaveAndClose();

    QCheckBox* m_archive;
    QCheckBox* m_detail;
    QCheckBox* m_lend;
    QCheckBox* m_backup;
    QCheckBox* m_overdue;
    QRadioButton* m_modes[4];
    QPushButton* m_ok;
};
