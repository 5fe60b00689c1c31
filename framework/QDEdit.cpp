#include "framework/QDEdit.h"

#include <algorithm>

#include <QKeyEvent>

#include "framework/FocusColors.h"

namespace {
// The text without halves of characters: a length limit counts 16-bit units
// and may keep only the first half of a character that needs two.
QString WithoutBrokenPairs(const QString& text) {
    QString whole;
    whole.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            whole.append(c);
            whole.append(text.at(++i));
        } else if (!c.isSurrogate()) {
            whole.append(c);
        }
    }
    return whole;
}
}  // namespace

TQDEdit::TQDEdit(QWidget* parent) : QLineEdit(parent), m_colors(new TFocusColors(this)) {
    setProperty("Tag", 0);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString whole = WithoutBrokenPairs(text);
        if (whole.size() != text.size()) {
            const int cursor = std::min<int>(cursorPosition(), whole.size());
            setText(whole);
            setCursorPosition(cursor);
        }
    });
}

void TQDEdit::SetPasswordChar() {
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TQDEdit::SetEditType(TEditTypes type) {
    m_type = type;
    const bool number = type == TEditTypes::etInteger || type == TEditTypes::etFloat || type == TEditTypes::etDate;
    setProperty("QDNumeric", number);
    setAttribute(Qt::WA_InputMethodEnabled, !number);
}

bool TQDEdit::Accepts(const QString& typed) const {
    if (m_type != TEditTypes::etInteger && m_type != TEditTypes::etFloat && m_type != TEditTypes::etDate) {
        return true;
    }
    // A selection from the first character is about to be replaced: the
    // number filters let anything start it anew.
    if (m_type != TEditTypes::etDate && hasSelectedText() && selectionStart() == 0) {
        return true;
    }
    const QString current = text();
    for (QChar c : typed) {
        if (c.isDigit() && c.unicode() < 0x80) {
            continue;
        }
        if (c == QLatin1Char('-')) {
            if (m_type != TEditTypes::etDate && current.contains(QLatin1Char('-'))) return false;
            continue;
        }
        if (m_type == TEditTypes::etFloat && (c == QLatin1Char('.') || c == QLatin1Char(','))) {
            if (current.contains(QLatin1Char('.')) || current.contains(QLatin1Char(','))) return false;
            continue;
        }
        if (m_type == TEditTypes::etDate && c == QLatin1Char('/')) {
            continue;
        }
        return false;
    }
    return true;
}

void TQDEdit::focusInEvent(QFocusEvent* event) {
    const bool unlimited = maxLength() == 32767;
    if (m_type == TEditTypes::etFloat && unlimited) {
        setMaxLength(16);
    } else if (m_type == TEditTypes::etDate) {
        setMaxLength(10);
    }
    QLineEdit::focusInEvent(event);
}

void TQDEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !Accepts(typed)) {
        event->accept();  // refused: the key never reaches the edit
        return;
    }
    if (m_type == TEditTypes::etInteger && typed == QStringLiteral("-") && maxLength() == 32767) {
        setMaxLength(11);
    }
    if (m_type == TEditTypes::etFloat && typed == QStringLiteral(",")) {
        // Stored as the decimal separator.
        QKeyEvent point(event->type(), Qt::Key_Period, event->modifiers(), QStringLiteral("."));
        QLineEdit::keyPressEvent(&point);
        return;
    }
    if (m_upper && !event->text().isEmpty() && event->text() != event->text().toUpper()) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), event->text().toUpper(), event->isAutoRepeat(),
                        static_cast<ushort>(event->count()));
        QLineEdit::keyPressEvent(&upper);
        return;
    }
    QLineEdit::keyPressEvent(event);
}
