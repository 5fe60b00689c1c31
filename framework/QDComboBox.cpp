#include "framework/QDComboBox.h"

#include "framework/FocusColors.h"

TQDComboBox::TQDComboBox(QWidget* parent) : QComboBox(parent), m_colors(new TFocusColors(this)) {
    setProperty("Tag", 0);
}
