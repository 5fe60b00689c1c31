#pragma once

#include <QList>
#include <QString>
#include <deque>

#include "data/MessageBoxes.h"

// Message presenter for tests: keeps every message and answers questions from a
// queue. A question with no queued answer is answered No and counted, so a test
// can tell that a flow asked something it did not expect.
class TRecordingPresenter final : public TMessagePresenter {
public:
    struct Entry {
        TMessageKind kind;
        QString title;
        QString text;
    };

    TRecordingPresenter();
    ~TRecordingPresenter() override;

    bool Show(TMessageKind kind, const QString& title, const QString& text, QObject* owner) override;

    void QueueAnswer(bool yes) { m_answers.push_back(yes); }
    const QList<Entry>& Entries() const { return m_entries; }
    QStringList Texts() const;
    QString LastText() const { return m_entries.isEmpty() ? QString() : m_entries.back().text; }
    int UnansweredQuestions() const { return m_unanswered; }
    void Clear();

private:
    TMessagePresenter* m_previous = nullptr;
    QList<Entry> m_entries;
    std::deque<bool> m_answers;
    int m_unanswered = 0;
};
