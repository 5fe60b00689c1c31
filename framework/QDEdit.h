#pragma once

#include <QLineEdit>

class TFocusColors;

// The program's plain text input: focus colours, and Tag for the control passes.
class TQDEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TQDEdit(QWidget* parent = nullptr);

    TFocusColors* Colors() const { return m_colors; }
    // Shows "*" for every character typed.
    void SetPasswordChar();
    // Turns what is typed into upper case.
    void SetUpperCase(bool upper) { m_upper = upper; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TFocusColors* m_colors;
    bool m_upper = false;
};
