#pragma once

#include <QDialog>

class QPushButton;
class TQDTreeView;

// The type chooser "档案类别选择窗口".
class TSelectArchivesTypeForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectArchivesTypeForm(QWidget* parent = nullptr);

    TQDTreeView* Tree() const { return m_tree; }
    QPushButton* OkButton() const { return m_ok; }
    QString SelectedTypeId() const;
    QString SelectedTypeName() const;

private:
    void Confirm();

    TQDTreeView* m_tree;
    QPushButton* m_ok;
    QPushButton* m_close;
};
