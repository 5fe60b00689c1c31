#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every file chooser of the program. A test queues the names the user would
// pick; an empty queued name stands for cancelling.
class TFileDialogs {
public:
    static QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& folder = {});
    static QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& defaultName = {});

    static void SetNextFileName(const QString& name);
    static int Pending();
    static void Clear();
};
