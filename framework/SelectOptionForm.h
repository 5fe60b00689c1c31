#pragma once

#include <QDialog>
#include <QList>

class QGroupBox;
class QRadioButton;
class QPushButton;

// The option chooser "打印选择窗口": a titled group of radio buttons.
class TSelectOptionForm : public QDialog {
    Q_OBJECT
public:
    TSelectOptionForm(const QString& title, const QStringList& captions, QWidget* parent = nullptr);

    // 1-based; 0 selects nothing.
    void SetSelected(int number);
    int Selected() const;
    const QList<QRadioButton*>& Options() const { return m_options; }
    QGroupBox* Group() const { return m_group; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // The sort chooser's sizes: more than 8 names make it taller.
    void UseSortSizes(int count);

protected:
    // F3 confirms, as in every dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FitSize(int width, int height);

    QGroupBox* m_group;
    QList<QRadioButton*> m_options;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// The chosen option's number from 1, or 0 when cancelled.
int SelectOption(const QString& title, const QStringList& captions, int preselected = 0, QWidget* owner = nullptr);

// Offers "按" + name + "排序" for the first 12 names; returns " ORDER BY " and the
// matching column (after alias and "." when given), or empty when cancelled.
QString SelectSortOrder(const QStringList& names, const QStringList& columns, const QString& alias = {},
                        QWidget* owner = nullptr);
