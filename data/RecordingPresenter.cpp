#include "data/RecordingPresenter.h"

TRecordingPresenter::TRecordingPresenter() : m_previous(CurrentMessagePresenter()) { SetMessagePresenter(this); }

TRecordingPresenter::~TRecordingPresenter() { SetMessagePresenter(m_previous); }

bool TRecordingPresenter::Show(TMessageKind kind, const QString& title, const QString& text, QObject*) {
    m_entries.append({kind, title, text});
    if (kind != TMessageKind::Question) {
        return false;
    }
    if (m_answers.empty()) {
        ++m_unanswered;
        return false;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QStringList TRecordingPresenter::Texts() const {
    QStringList texts;
    for (const Entry& entry : m_entries) {
        texts.append(entry.text);
    }
    return texts;
}

void TRecordingPresenter::Clear() {
    m_entries.clear();
    m_answers.clear();
    m_unanswered = 0;
}
