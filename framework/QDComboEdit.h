#pragma once

#include <functional>

#include "framework/QDEdit.h"

class QAction;

// An edit with a drop button at its right edge that opens a calendar, a value
// list or another pick window.
class TQDComboEdit : public TQDEdit {
    Q_OBJECT
public:
    explicit TQDComboEdit(QWidget* parent = nullptr);

    std::function<void()> OnButtonClick;
    // A disabled button is hidden and the text takes the whole width.
    void SetButtonEnabled(bool enabled);
    bool ButtonEnabled() const;
    QAction* Button() const { return m_button; }
    void SetDirectInput(bool direct);
    // Where the text area ends, left of the button when it shows.
    int TextAreaWidth() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* m_button;
    bool m_direct = true;
};
