#include "data/Clock.h"

namespace {
std::function<QDateTime()>& Source() {
    static std::function<QDateTime()> source;
    return source;
}
}  // namespace

QDateTime TClock::Now() {
    const auto& source = Source();
    return source ? source() : QDateTime::currentDateTime();
}

QDate TClock::Today() { return Now().date(); }

void TClock::SetSource(std::function<QDateTime()> source) { Source() = std::move(source); }

void TClock::SetFixed(const QDateTime& moment) {
    Source() = [moment] { return moment; };
}

void TClock::Reset() { Source() = nullptr; }
