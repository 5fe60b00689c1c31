#pragma once

#include <QDateTime>
#include <functional>

// The one source of "now" for the whole program, so that tests can fix the date.
class TClock {
public:
    static QDateTime Now();
    static QDate Today();

    static void SetSource(std::function<QDateTime()> source);
    static void SetFixed(const QDateTime& moment);
    static void Reset();
};
