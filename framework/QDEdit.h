#pragma once

#include <QLineEdit>
#include <functional>

class TFocusColors;

enum class TEditTypes { etString, etInteger, etFloat, etDate, etTime, etPhone };

// The program's plain text input: a keystroke filter by input type, focus
// colours, and Tag for the control passes.
class TQDEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TQDEdit(QWidget* parent = nullptr);

    TEditTypes EditType() const { return m_type; }
    void SetEditType(TEditTypes type);
    // Whether the filter lets the key's text in at the current text and selection.
    bool Accepts(const QString& typed) const;

    TFocusColors* Colors() const { return m_colors; }
    // Enter in the edit: the handler sets its flag to keep the focus here.
    std::function<void(bool& handled)> OnSelect;
    // Shows "*" for every character typed.
    void SetPasswordChar();
    // Turns what is typed into upper case.
    void SetUpperCase(bool upper) { m_upper = upper; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    TFocusColors* m_colors;
    TEditTypes m_type = TEditTypes::etString;
    bool m_upper = false;
};
