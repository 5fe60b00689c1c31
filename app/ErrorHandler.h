#pragma once

#include <QApplication>
#include <QString>
#include <exception>

#include "data/DatabaseError.h"

// Reports an error nobody else handled: short Chinese messages for the common
// database and conversion errors, the technical box for everything else.
void HandleApplicationError(QObject* sender, std::exception_ptr error);

// The application object: every event runs inside the error handler, so an
// error inside one window operation abandons that operation, not the program.
class TQDApplication : public QApplication {
    Q_OBJECT
public:
    TQDApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
