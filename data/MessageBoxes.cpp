#include "data/MessageBoxes.h"

#include <cstdio>

namespace {

// Used where no window system is up (benchmarks, command-line tools): the text
// goes to the error stream and every question is answered No.
class TConsolePresenter final : public TMessagePresenter {
public:
    bool Show(TMessageKind kind, const QString& title, const QString& text, QObject*) override {
        std::fprintf(stderr, "[%s] %s\n", title.toLocal8Bit().constData(), text.toLocal8Bit().constData());
        return false;
    }
};

TConsolePresenter& ConsolePresenter() {
    static TConsolePresenter presenter;
    return presenter;
}

TMessagePresenter*& Installed() {
    static TMessagePresenter* presenter = nullptr;
    return presenter;
}

}  // namespace

void SetMessagePresenter(TMessagePresenter* presenter) { Installed() = presenter; }

TMessagePresenter* CurrentMessagePresenter() {
    TMessagePresenter* presenter = Installed();
    return presenter ? presenter : &ConsolePresenter();
}

QString MessageTitle(TMessageKind kind) {
    return kind == TMessageKind::Error ? QStringLiteral("错误信息") : QStringLiteral("提示信息");
}

void Information(const QString& text, QObject* owner) {
    CurrentMessagePresenter()->Show(TMessageKind::Information, MessageTitle(TMessageKind::Information), text,
                                    owner);
}

void Error(const QString& text, QObject* owner) {
    CurrentMessagePresenter()->Show(TMessageKind::Error, MessageTitle(TMessageKind::Error), text, owner);
}

bool Question(const QString& text, QObject* owner) {
    return CurrentMessagePresenter()->Show(TMessageKind::Question, MessageTitle(TMessageKind::Question),
                                           text + QStringLiteral(" ?"), owner);
}
