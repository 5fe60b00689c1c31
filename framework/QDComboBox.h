#pragma once

#include <QComboBox>

class TFocusColors;

// The program's combo box: a list with optional free text, focus colours.
class TQDComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TQDComboBox(QWidget* parent = nullptr);
    TFocusColors* Colors() const { return m_colors; }

private:
    TFocusColors* m_colors;
};
