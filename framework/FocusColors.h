#pragma once

#include <QColor>
#include <QObject>

class QWidget;

// Gives an input control one background colour while it has the focus and
// another while it has not. Every edit control of the program uses it.
class TFocusColors : public QObject {
    Q_OBJECT
public:
    explicit TFocusColors(QWidget* control);

    void SetColors(const QColor& normal, const QColor& focused);
    QColor Normal() const { return m_normal; }
    QColor Focused() const { return m_focused; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Paint(bool focused);

    QWidget* m_control;
    QColor m_normal;
    QColor m_focused;
};
