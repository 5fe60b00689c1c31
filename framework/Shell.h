#pragma once

#include <QString>
#include <functional>

// Opening a file with the program associated with its type. Tests replace the
// opener so that nothing outside the program is started.
class TShell {
public:
    // False when the file does not exist or nothing could open it.
    static bool OpenDocument(const QString& path);
    static void SetOpener(std::function<bool(const QString&)> opener);
};
