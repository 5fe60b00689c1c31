#pragma once

#include <QDialog>

class QPushButton;

// The field settings "字段设置窗口": a miniature record card whose slot buttons
// open the field dialog for their slot.
class TSetArchiveFieldForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetArchiveFieldForm(bool items = false, QWidget* parent = nullptr);

    QPushButton* SlotButton(int slot) const { return m_buttons[slot - 1]; }
    // Whether any slot's dialog was opened.
    bool Changed() const { return m_changed; }
    void OpenSlot(int slot);

protected:
    bool m_items;

private:
    void Fill();

    QPushButton* m_buttons[21] = {};
    QPushButton* m_close;
    bool m_changed = false;
};

class TSetArchiveDetailFieldForm : public TSetArchiveFieldForm {
    Q_OBJECT
public:
    explicit TSetArchiveDetailFieldForm(QWidget* parent = nullptr);
};
