#include "framework/UiHelpers.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QFont>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

QColor ColorFromWindows(unsigned value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

namespace {

void SetInputMethod(QWidget* control, const QString& name, bool enabled) {
    control->setProperty("ImeName", enabled ? name : QString());
    control->setAttribute(Qt::WA_InputMethodEnabled, enabled);
    if (!enabled) {
        control->setInputMethodHints(control->inputMethodHints() | Qt::ImhPreferNumbers);
    }
}

bool IsNumberInput(const QWidget* control) { return control->property("QDNumeric").toBool(); }

}  // namespace

void ApplyInputMethod(QWidget* window, const QString& name) {
    if (!window) {
        return;
    }
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (control->property("Tag").toInt() == 100) {
            continue;
        }
        if (qobject_cast<QListView*>(control)) {
            // A list box offers its entries, typed in through the input method.
            SetInputMethod(control, name, true);
        } else if (qobject_cast<QAbstractItemView*>(control)) {
            SetInputMethod(control, name, false);
        } else if (qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                   qobject_cast<QTextEdit*>(control) || qobject_cast<QPlainTextEdit*>(control)) {
            if (qobject_cast<QLineEdit*>(control) && qobject_cast<QComboBox*>(control->parentWidget())) {
                // The edit inside a combo box follows its combo box.
                SetInputMethod(control, name, !IsNumberInput(control->parentWidget()));
                continue;
            }
            SetInputMethod(control, name, !IsNumberInput(control));
        }
    }
}

void ToFront(QWidget* window) {
    if (!window) {
        return;
    }
    if (window->isMinimized()) {
        window->showNormal();
    }
    window->show();
    window->raise();
    window->activateWindow();
    window->setFocus(Qt::ActiveWindowFocusReason);
}

void ApplyChineseFonts(QApplication& application) {
    const QStringList serif{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                            QStringLiteral("WenQuanYi Zen Hei")};
    const QStringList sans{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                           QStringLiteral("Noto Serif CJK SC")};
    const QStringList traditional{QStringLiteral("Noto Serif CJK TC"), QStringLiteral("Noto Sans CJK TC"),
                                  QStringLiteral("WenQuanYi Zen Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), serif);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), serif);
    QFont::insertSubstitutions(QStringLiteral("隶书"), serif);
    QFont::insertSubstitutions(QStringLiteral("黑体"), sans);
    QFont::insertSubstitutions(QStringLiteral("新細明體"), traditional);

    const QStringList families = QFontDatabase::families();
    for (const QString& family : sans) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSize(10);
            application.setFont(font);
            break;
        }
    }
}

int AssignLabelBuddies(QWidget* window) {
    if (!window) {
        return 0;
    }
    QList<QWidget*> inputs;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if ((qobject_cast<QLineEdit*>(widget) && !qobject_cast<QComboBox*>(widget->parentWidget())) ||
            qobject_cast<QComboBox*>(widget) || qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget) ||
            qobject_cast<QListWidget*>(widget)) {
            inputs.append(widget);
        }
    }
    int assigned = 0;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() || label->text().trimmed().isEmpty()) continue;
        const QRect own(label->mapTo(window, QPoint(0, 0)), label->size());
        QWidget* best = nullptr;
        int bestDistance = 0;
        for (QWidget* input : inputs) {
            if (input->parentWidget() != label->parentWidget()) continue;
            const QRect box(input->mapTo(window, QPoint(0, 0)), input->size());
            const bool sameLine = box.top() < own.bottom() && box.bottom() > own.top() && box.left() >= own.right() - 2;
            const bool below = box.top() >= own.bottom() - 2 && std::abs(box.left() - own.left()) < 40;
            if (!sameLine && !below) continue;
            const int distance = sameLine ? box.left() - own.right() : 1000 + box.top() - own.bottom();
            if (!best || distance < bestDistance) {
                best = input;
                bestDistance = distance;
            }
        }
        if (best) {
            label->setBuddy(best);
            ++assigned;
        }
    }
    return assigned;
}

void ApplyProgramIcon(QApplication& application) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        // An archive box in the program's blue with the character 档 on it.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1c, 0x4a, 0x8c));
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 6.0, size / 6.0);
        painter.setBrush(QColor(0xe0, 0xb0, 0x00));
        painter.drawRect(QRectF(size * 0.15, size * 0.12, size * 0.7, size * 0.12));
        QFont font = application.font();
        font.setPixelSize(std::max(8, size * 5 / 8));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(0, size * 0.2, size, size * 0.8), Qt::AlignCenter, QStringLiteral("档"));
        painter.end();
        icon.addPixmap(picture);
    }
    QApplication::setWindowIcon(icon);
}

TWaitCursor::TWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TWaitCursor::~TWaitCursor() { QApplication::restoreOverrideCursor(); }
