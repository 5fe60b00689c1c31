#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>

#include "data/Rights.h"
#include "data/SqlType.h"

class QAbstractButton;
class QKeyEvent;
class QWidget;

// Makes a form behave as a child window of the main window: rights lookup,
// colours and fonts of its controls, Enter / Up / Down moving the focus, the
// guard against closing over unsaved rows, positioning, and telling the main
// window when the form is shown, minimised and closed.
class TQDChild : public QObject {
    Q_OBJECT
public:
    // A form holds one; a second throws std::logic_error("TQDChild控件只能有一个").
    explicit TQDChild(QWidget* form);
    ~TQDChild() override;

    bool EnterMove = true;
    int Options = 3;  // bit 1: Enter moves on; bit 2: Down / Up move
    bool EditNoBeep = true;
    bool NotTopShow = false;
    bool MainMenuChange = false;
    QString DataBaseName = QStringLiteral("QDArchivesDataBase");
    QColor Color;
    QColor LabelColor;
    QColor EditColor;
    QColor ColorOnFocus;
    QString Language = QStringLiteral("GB");
    TSqlType SqlType = ProgramSqlType;
    int FixedTop = 0;
    // What closing over unsaved rows says.
    QString CloseRefusal = QStringLiteral("必须先保存或取消新增的数据或修改后的数据");

    QWidget* Form() const { return m_form; }

    static TRights CheckRights(const QString& groupName, const QString& functionName, const QString& userId);
    static QString ReadRight(const QString& userId, int composeId, int programId, int index);
    // Shows "DataBaseName必须有一个值" without a database name.
    bool WriteRight(const QString& userId, int composeId, int programId, int index, const QString& value);

    void ApplyTheme();
    // Places the form in the main window's area and shows it; the identifier
    // the main window registers it under.
    QWidget* ShowChild(int mode = 0);

    // The form's own handlers: the first-show one runs once only; the close
    // one may refuse.
    std::function<void()> OnFirstShow;
    std::function<bool()> OnCloseQuery;

    static QFont LanguageFont(const QString& language);
    // Moves the focus to the next (or previous) control of the window that takes it.
    static void MoveFocus(QWidget* window, bool forward);
    // The keys of the small dialogs: the OK key presses OK, the close key closes,
    // Enter presses a focused button or moves on. True when the key was used.
    static bool DialogKey(QWidget* window, QKeyEvent* event, QAbstractButton* ok, int okKey, QAbstractButton* close,
                          int closeKey);

signals:
    void Shown(QWidget* form);
    void Hidden(QWidget* form);
    void Closed(QWidget* form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleKey(QWidget* focused, QKeyEvent* event);
    bool CloseQuery();
    void WatchSubWindow();

    QWidget* m_form;
    bool m_closedPosted = false;
    bool m_shownOnce = false;
    bool m_minimised = false;
    bool m_watchingSubWindow = false;
};
