#include "framework/WidgetMessagePresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "framework/ModalSeam.h"


bool TWidgetMessagePresenter::Show(TMessageKind kind, const QString& title, const QString& text, QObject* owner) {
    TKeyboardKeeper keyboard;
    QWidget* parent = qobject_cast<QWidget*>(owner);
    if (parent) {
        parent = parent->window();
    } else if (QWidget* active = QApplication::activeWindow()) {
        active->raise();
        active->activateWindow();
        parent = active;
    }
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    switch (kind) {
        case TMessageKind::Information:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case TMessageKind::Error:
            box.setIcon(QMessageBox::Critical);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case TMessageKind::Question:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
    }
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setText(QStringLiteral("确定"));
    if (QAbstractButton* yes = box.button(QMessageBox::Yes)) yes->setText(QStringLiteral("是(&Y)"));
    if (QAbstractButton* no = box.button(QMessageBox::No)) no->setText(QStringLiteral("否(&N)"));
    box.exec();
    return kind == TMessageKind::Question && box.clickedButton() == box.button(QMessageBox::Yes);
}
