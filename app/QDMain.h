#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "data/Rights.h"

class QAction;
class QLocalServer;
class QLockFile;
class QMainWindow;
class QMenu;
class QMenuBar;

// The main window's component: rights checks for opening functions, the
// registry of open child windows with its "打开的窗口" menu, the close guard,
// the single running copy, and the background picture setting.
class TQDMain : public QObject {
    Q_OBJECT
public:
    // One per window; a second throws std::logic_error("TQDMain").
    explicit TQDMain(QMainWindow* owner);
    ~TQDMain() override;

    QString DataBaseName;
    QMenuBar* MainMenu = nullptr;
    int MainMenuIndex = 3;
    bool HideToolBar = false;
    bool IsHidePanel = true;
    QString ImageFile = QStringLiteral("QDArchives");

    // Claims the single running copy; false (after telling the user and
    // raising the first copy) when another copy runs.
    bool Start();

    bool IsOpen(const QString& name);
    void Register(const QString& name, QWidget* identifier, std::function<void()> reopen, const QString& caption);
    bool CanBrowse(const QString& group, const QString& function, const QString& userId);
    TRights RightsOf(const QString& group, const QString& function, const QString& userId);

    QString ChoosePicture();
    void ClearPicture();
    QString PicturePath();

    int OpenCount() const { return static_cast<int>(m_records.size()); }
    QMenu* OpenWindowsMenu() const;
    static QString InstanceName();

public slots:
    void ChildShown(QWidget* identifier);
    void ChildHidden(QWidget* identifier);
    void ChildClosed(QWidget* identifier);

signals:
    // Another copy asked this one to come forward.
    void RaiseRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TRecord {
        QPointer<QWidget> identifier;
        bool active = true;
        QString name;
        QAction* item = nullptr;
    };

    int IndexOf(const QWidget* identifier) const;
    bool AnyActive() const;
    void SetBarsVisible(bool visible);
    void RemoveRecord(int index);
    QAction* OpenWindowsAction() const;

    QMainWindow* m_owner;
    QList<TRecord> m_records;  // newest first
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
