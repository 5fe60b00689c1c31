#include "framework/ModalSeam.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <deque>

namespace {
std::deque<TModalSeam::Handler>& Handlers() {
    static std::deque<TModalSeam::Handler> handlers;
    return handlers;
}
}  // namespace

TKeyboardKeeper::TKeyboardKeeper() : m_window(QApplication::activeWindow()), m_focus(QApplication::focusWidget()) {}

TKeyboardKeeper::~TKeyboardKeeper() {
    if (!m_window) {
        return;
    }
    // After the dialog's own hiding has been processed: it may hand the
    // activation to nobody on its way out.
    QTimer::singleShot(0, m_window, [window = m_window, focus = m_focus] {
        QWidget* active = QApplication::activeWindow();
        if (!window || !window->isVisible() || (active && active->isVisible())) {
            return;
        }
        window->activateWindow();
        if (focus && focus->isVisible() && focus->window() == window) {
            focus->setFocus(Qt::ActiveWindowFocusReason);
        }
    });
}

int TModalSeam::Exec(QDialog& dialog) {
    TKeyboardKeeper keyboard;
    auto& handlers = Handlers();
    if (handlers.empty()) {
        return dialog.exec();
    }
    Handler handler = std::move(handlers.front());
    handlers.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    dialog.activateWindow();
    // As exec() would, let the dialog become the active window before anything is
    // typed into it, so focus moves behave as they do for a user.
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (!dialog.isActiveWindow() && waited.elapsed() < 1000);
    handler(dialog);
    const int result = dialog.result();
    dialog.hide();
    return result;
}

void TModalSeam::QueueHandler(Handler handler) { Handlers().push_back(std::move(handler)); }

int TModalSeam::PendingHandlers() { return static_cast<int>(Handlers().size()); }

void TModalSeam::Clear() { Handlers().clear(); }
