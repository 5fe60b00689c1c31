#pragma once

#include <QDialog>
#include <QPointer>
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

// Gives the keyboard back when a modal dialog or message box closes: the
// window that was active gets activated again with its focus where it was.
// Without this, under a window system that reverts the focus to the desktop,
// no window has the keyboard until the user clicks one, and the function keys
// of the window the user was working in do nothing.
class TKeyboardKeeper {
public:
    TKeyboardKeeper();
    ~TKeyboardKeeper();
    TKeyboardKeeper(const TKeyboardKeeper&) = delete;
    TKeyboardKeeper& operator=(const TKeyboardKeeper&) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};
