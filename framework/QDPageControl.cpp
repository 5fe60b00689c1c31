#include "framework/QDPageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>

#include "data/MessageBoxes.h"
#include "data/QDQuery.h"
#include "framework/QDDataSource.h"

TQDPageControl::TQDPageControl(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("PageControl1"));
    // A click on a tab goes through the guard before the page changes.
    tabBar()->installEventFilter(this);
    tabBar()->setChangeCurrentOnDrag(false);
    tabBar()->setFocusPolicy(Qt::NoFocus);
}

bool TQDPageControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabBar() && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const int index = tabBar()->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index >= 0 && index != currentIndex() && !CanChangePage()) {
            return true;
        }
    }
    if (watched == tabBar() && event->type() == QEvent::Wheel) {
        return true;  // the wheel would slip past the guard
    }
    return QTabWidget::eventFilter(watched, event);
}

void TQDPageControl::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        const int step = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) ? -1 : 1;
        ChangePage((currentIndex() + step + count()) % std::max(1, count()));
        return;
    }
    QTabWidget::keyPressEvent(event);
}

bool TQDPageControl::CanChangePage() {
    for (const QPointer<TQDDataSource>& source : DataSources) {
        if (source && source->DataSet() && source->DataSet()->IsEditing()) {
            Information(QStringLiteral("必须先保存或取消新增的数据或修改后的数据"), this);
            return false;
        }
    }
    if (QyMaster && QyMaster->IsEmpty() && currentIndex() == 0) {
        Information(QStringLiteral("没有主档数据记录，不能改变页面"), this);
        return false;
    }
    return true;
}

bool TQDPageControl::ChangePage(int index) {
    if (m_switching || index == currentIndex()) {
        return true;
    }
    if (!CanChangePage()) {
        return false;
    }
    m_switching = true;
    setCurrentIndex(index);
    m_switching = false;
    return true;
}
