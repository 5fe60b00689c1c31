#pragma once

#include <QDialog>
#include <functional>

// Every modal dialog of the program is run through here. Normally that is
// QDialog::exec(); a test queues a handler instead, which gets the real,
// shown dialog to fill in and confirm or cancel, so whole flows run headless.
class TModalSeam {
public:
    using Handler = std::function<void(QDialog&)>;

    static int Exec(QDialog& dialog);

    static void QueueHandler(Handler handler);
    static int PendingHandlers();
    static void Clear();
};
