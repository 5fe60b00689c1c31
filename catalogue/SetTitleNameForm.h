#pragma once

#include <QDialog>

class QPushButton;
class TQDEdit;

// The item title "标题编辑修改窗口": the word that names the item screens. It is
// kept as the name of the item-query function, so its rights stay with it.
class TSetTitleNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetTitleNameForm(QWidget* parent = nullptr);

    TQDEdit* TitleEdit() const { return m_title; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* CloseButton() const { return m_close; }

signals:
    // The item-query function is now called title + "查询管理".
    void TitleChanged(const QString& title);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Save();

    TQDEdit* m_title;
    QPushButton* m_save;
    QPushButton* m_close;
};
