#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;

// The program's one top-level window. Function windows open inside it.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    QMdiArea* ChildArea() const { return m_area; }
    QLabel* StatusPanel(int index) const;
    // Caption from the organisation's name.
    void UpdateCaption();

private:
    QMdiArea* m_area;
    QLabel* m_panels[2];
};
