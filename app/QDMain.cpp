#include "app/QDMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QToolBar>
#include <stdexcept>

#include "data/MessageBoxes.h"
#include "data/Settings.h"
#include "framework/FileDialogs.h"

TQDMain::TQDMain(QMainWindow* owner) : QObject(owner), m_owner(owner) {
    if (owner->property("QDMainAttached").toBool()) {
        throw std::logic_error("TQDMain");
    }
    owner->setProperty("QDMainAttached", true);
    setObjectName(QStringLiteral("QDMain"));
    owner->installEventFilter(this);
}

TQDMain::~TQDMain() = default;

QString TQDMain::InstanceName() {
    // "QD" + the application title, per user, as one copy per desktop is meant.
    return QStringLiteral("QD档案管理系统-") + QString::fromLocal8Bit(qgetenv("USER"));
}

bool TQDMain::Start() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    m_lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + InstanceName() + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        Information(QStringLiteral("程序已经运行"));
        QLocalSocket socket;
        socket.connectToServer(InstanceName());
        if (socket.waitForConnected(1000)) {
            socket.write("raise");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        return false;
    }
    QLocalServer::removeServer(InstanceName());
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains("raise")) {
                    if (m_owner->isMinimized()) {
                        m_owner->showNormal();
                    }
                    m_owner->raise();
                    m_owner->activateWindow();
                    emit RaiseRequested();
                }
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    m_server->listen(InstanceName());
    return true;
}

QAction* TQDMain::OpenWindowsAction() const {
    if (!MainMenu) {
        return nullptr;
    }
    const QList<QAction*> actions = MainMenu->actions();
    return MainMenuIndex >= 0 && MainMenuIndex < actions.size() ? actions[MainMenuIndex] : nullptr;
}

QMenu* TQDMain::OpenWindowsMenu() const {
    QAction* action = OpenWindowsAction();
    return action ? action->menu() : nullptr;
}

int TQDMain::IndexOf(const QWidget* identifier) const {
    for (int i = 0; i < m_records.size(); ++i) {
        if (m_records[i].identifier == identifier) {
            return i;
        }
    }
    return -1;
}

bool TQDMain::AnyActive() const {
    for (const TRecord& record : m_records) {
        if (record.active) return true;
    }
    return false;
}

void TQDMain::SetBarsVisible(bool visible) {
    if (HideToolBar) {
        for (QToolBar* bar : m_owner->findChildren<QToolBar*>()) {
            bar->setVisible(visible);
        }
    }
    if (HideToolBar || IsHidePanel) {
        if (QWidget* panel = m_owner->findChild<QWidget*>(QStringLiteral("MainPanel"))) {
            panel->setVisible(visible);
        }
    }
}

void TQDMain::RemoveRecord(int index) {
    TRecord record = m_records.takeAt(index);
    if (QMenu* menu = OpenWindowsMenu(); menu && record.item) {
        menu->removeAction(record.item);
        delete record.item;
    }
    if (QMenu* menu = OpenWindowsMenu(); menu && menu->actions().isEmpty()) {
        OpenWindowsAction()->setText(QStringLiteral(" "));
        OpenWindowsAction()->setVisible(false);
    }
}

bool TQDMain::IsOpen(const QString& name) {
    for (int i = 0; i < m_records.size(); ++i) {
        if (m_records[i].name != name) {
            continue;
        }
        QWidget* window = m_records[i].identifier;
        if (window) {
            QWidget* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()) ? window->parentWidget() : window;
            if (frame->isMinimized()) {
                frame->showNormal();
            }
            frame->show();
            frame->raise();
            frame->activateWindow();
            window->setFocus();
            return true;
        }
        // The window went without saying so: forget it.
        RemoveRecord(i);
        if (!AnyActive()) {
            SetBarsVisible(true);
        }
        return false;
    }
    return false;
}

void TQDMain::Register(const QString& name, QWidget* identifier, std::function<void()> reopen, const QString& caption) {
    SetBarsVisible(false);
    TRecord record;
    record.identifier = identifier;
    record.name = name;
    if (QAction* top = OpenWindowsAction()) {
        top->setText(QStringLiteral("打开的窗口"));
        top->setVisible(true);
        if (QMenu* menu = top->menu()) {
            record.item = menu->addAction(caption);
            connect(record.item, &QAction::triggered, this, [reopen] {
                if (reopen) reopen();
            });
        }
    }
    m_records.prepend(record);
}

bool TQDMain::CanBrowse(const QString& group, const QString& function, const QString& userId) {
    return TRightsStore::CanBrowse(group, function, userId);
}

TRights TQDMain::RightsOf(const QString& group, const QString& function, const QString& userId) {
    return TRightsStore::RightsOf(group, function, userId);
}

void TQDMain::ChildShown(QWidget* identifier) {
    const int index = IndexOf(identifier);
    if (index < 0) {
        return;
    }
    if (!AnyActive()) {
        SetBarsVisible(false);
    }
    m_records[index].active = true;
}

void TQDMain::ChildHidden(QWidget* identifier) {
    const int index = IndexOf(identifier);
    if (index < 0) {
        return;
    }
    m_records[index].active = false;
    if (!AnyActive()) {
        SetBarsVisible(true);
    }
}

void TQDMain::ChildClosed(QWidget* identifier) {
    const int index = IndexOf(identifier);
    if (index < 0) {
        return;
    }
    m_records[index].active = false;
    if (!AnyActive()) {
        SetBarsVisible(true);
    }
    RemoveRecord(index);
}

bool TQDMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_owner && event->type() == QEvent::Close && !m_records.isEmpty() && m_records.first().identifier) {
        Information(QStringLiteral("请先关闭打开的全部子程序后,才能退出系统"), m_owner);
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QString TQDMain::ChoosePicture() {
    const QString file =
        TFileDialogs::OpenFileName(m_owner, QStringLiteral("BMP,JPG,JPEG"), QStringLiteral("BMP,JPG,JPEG (*.bmp *.jpg *.jpeg)"));
    if (file.isEmpty()) {
        return {};
    }
    if (!QFileInfo::exists(file)) {
        Information(QStringLiteral("图像文件不存在"));
        return {};
    }
    if (!WriteSettingQuietly(ImageFile, file)) {
        Information(QStringLiteral("QDSOFTWARE键打开或建立错误"));
        return {};
    }
    return file;
}

void TQDMain::ClearPicture() {
    if (!RemoveSettingQuietly(ImageFile)) {
        Information(QStringLiteral("QDSOFTWARE键打开或建立错误"));
    }
}

QString TQDMain::PicturePath() {
    const QString path = ReadSettingQuietly(ImageFile);
    return !path.isEmpty() && QFileInfo::exists(path) ? path : QString();
}
