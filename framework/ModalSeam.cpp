#include "framework/ModalSeam.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <deque>

namespace {
std::deque<TModalSeam::Handler>& Handlers() {
    static std::deque<TModalSeam::Handler> handlers;
    return handlers;
}
}  // namespace

int TModalSeam::Exec(QDialog& dialog) {
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
