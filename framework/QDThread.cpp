#include "framework/QDThread.h"

#include <QApplication>
#include <QProgressBar>
#include <QScreen>

#include "framework/ModalSeam.h"

TQDThread::TQDThread(QObject* parent) : QObject(parent) {}

TQDThread::~TQDThread() { Stop(); }

void TQDThread::SetProgressBars(bool bar1, bool bar2, bool bar3) {
    m_bar1 = bar1;
    m_bar2 = bar2;
    m_bar3 = bar3;
}

void TQDThread::Start() {
    if (m_active) {
        return;
    }
    try {
        delete m_form;
        m_form = new TThreadForm();
        m_form->setAttribute(Qt::WA_DeleteOnClose, false);
        const bool visible[3] = {m_bar1, m_bar2, m_bar3};
        for (int i = 1; i <= 3; ++i) {
            QProgressBar* bar = m_form->Bar(i);
            bar->setVisible(visible[i - 1]);
            bar->setMinimum(0);
            bar->setMaximum(i == 1 ? m_maximum : 0);
            bar->setValue(0);
        }
        if (!m_caption.isEmpty()) {
            m_form->setWindowTitle(m_caption);
        }
        m_form->SetStopVisible(ShowStop);
        QApplication::processEvents();
        m_form->Animation()->SetKind(m_kind);
        m_form->Animation()->Start();
        if (QScreen* screen = QApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            m_form->move(area.center() - QPoint(m_form->width() / 2, m_form->height() / 2));
        }
        if (!m_keyboard) m_keyboard = std::make_unique<TKeyboardKeeper>();
        m_form->show();
        m_active = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursorSet = true;
        QApplication::processEvents();
    } catch (...) {
        m_active = false;
        if (m_cursorSet) {
            QApplication::restoreOverrideCursor();
            m_cursorSet = false;
        }
    }
}

void TQDThread::SetMaximum(int maximum) {
    if (m_active && m_form) {
        m_form->Bar(1)->setMaximum(maximum);
        m_form->Bar(1)->setValue(0);
    } else {
        m_maximum = maximum;
    }
}

void TQDThread::SetPosition(int position) {
    if (m_active && m_form) {
        m_form->Bar(1)->setValue(position);
    }
}

bool TQDThread::StopRequested() {
    if (!m_active || !m_form) {
        return false;
    }
    QApplication::processEvents();
    return m_form && m_form->StopPressed();
}

void TQDThread::Stop() {
    delete m_form;
    m_form = nullptr;
    m_active = false;
    m_keyboard.reset();
    if (m_cursorSet) {
        QApplication::restoreOverrideCursor();
        m_cursorSet = false;
    }
}
