#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "framework/ThreadForm.h"

class TKeyboardKeeper;

// The progress window as a component a window owns. The work runs on the
// window's own thread between calls; callers that offer stopping poll
// StopRequested between rows.
class TQDThread : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER m_caption)
    Q_PROPERTY(bool ProgressBar1 MEMBER m_bar1)
    Q_PROPERTY(bool ProgressBar2 MEMBER m_bar2)
    Q_PROPERTY(bool ProgressBar3 MEMBER m_bar3)
    Q_PROPERTY(bool Active READ Active)
public:
    explicit TQDThread(QObject* parent = nullptr);
    ~TQDThread() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption) { m_caption = caption; }
    void SetProgressBars(bool bar1, bool bar2 = false, bool bar3 = false);
    TOptionKind Kind() const { return m_kind; }
    void SetKind(TOptionKind kind) { m_kind = kind; }
    bool Active() const { return m_active; }
    bool ShowStop = false;

    void Start();
    void SetMaximum(int maximum);
    void SetPosition(int position);
    bool StopRequested();
    void Stop();

    TThreadForm* Form() const { return m_form; }

private:
    QString m_caption;
    bool m_bar1 = false, m_bar2 = false, m_bar3 = false;
    TOptionKind m_kind = TOptionKind::crCopy;
    bool m_active = false;
    bool m_cursorSet = false;
    int m_maximum = 0;
    QPointer<TThreadForm> m_form;
    // The window the work was started from gets the keyboard back.
    std::unique_ptr<TKeyboardKeeper> m_keyboard;
};
