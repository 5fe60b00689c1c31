#include "framework/FileDialogs.h"

#include <QFileDialog>
#include <deque>

namespace {
std::deque<QString>& Queue() {
    static std::deque<QString> names;
    return names;
}
bool TakeQueued(QString* name) {
    if (Queue().empty()) {
        return false;
    }
    *name = Queue().front();
    Queue().pop_front();
    return true;
}
}  // namespace

QString TFileDialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                                   const QString& folder) {
    QString name;
    if (TakeQueued(&name)) {
        return name;
    }
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString TFileDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                   const QString& defaultName) {
    QString name;
    if (TakeQueued(&name)) {
        return name;
    }
    return QFileDialog::getSaveFileName(parent, caption, defaultName, filter);
}

void TFileDialogs::SetNextFileName(const QString& name) { Queue().push_back(name); }
int TFileDialogs::Pending() { return static_cast<int>(Queue().size()); }
void TFileDialogs::Clear() { Queue().clear(); }
