#pragma once

#include <QObject>
#include <QString>

// The only way the program shows a message. Windows install a presenter that
// shows real boxes; tests install one that records the messages and answers
// questions from a queue.

enum class TMessageKind { Information, Error, Question };

class TMessagePresenter {
public:
    virtual ~TMessagePresenter() = default;
    // Returns the answer to a question (true for Yes); ignored otherwise.
    virtual bool Show(TMessageKind kind, const QString& title, const QString& text, QObject* owner) = 0;
};

// The presenter stays owned by the caller; nullptr restores the console presenter.
void SetMessagePresenter(TMessagePresenter* presenter);
TMessagePresenter* CurrentMessagePresenter();

void Information(const QString& text, QObject* owner = nullptr);
void Error(const QString& text, QObject* owner = nullptr);
bool Question(const QString& text, QObject* owner = nullptr);

QString MessageTitle(TMessageKind kind);
