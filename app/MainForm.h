#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QToolBar;
class TArchiveForm;
class TQDMain;

// The program's one top-level window: menus, tool bar, the panel of function
// icons and the status bar. Function windows open inside it.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr unsigned DesignPanelColor = 12615680;

    explicit TMainForm(QWidget* parent = nullptr);

    TQDMain* QDMain() const { return m_main; }
    QMdiArea* ChildArea() const { return m_area; }
    QLabel* StatusPanel(int index) const;
    QAction* Item(const QString& objectName) const;
    QWidget* IconPanel() const { return m_iconPanel; }
    QToolBar* ToolBar() const { return m_toolBar; }
    bool Started() const { return m_started; }

    void UpdateCaption();
    // Reads the values the item title, reminders and numbering depend on.
    void LoadValues();

    // The pattern every menu item follows: bring an open window forward, or
    // check the browse right, create the window as a child and register it.
    bool OpenFunction(const QString& name, const QString& group, const QString& function,
                      const std::function<QWidget*()>& create, const QString& caption);
    static QString RefusalMessage(const QString& function);

    // Double-clicking a function icon.
    void IconDoubleClicked(QAction* item);

    // The archive-date reminder of the first showing; true when it opened
    // the register on the due volumes.
    bool RunDateReminder();

    // F1: the user manual with the program that shows such documents, or in a
    // window of this program when none starts.
    void ShowHelp();
    QWidget* ManualWindow() const { return m_manual; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    TArchiveForm* NewArchiveForm();
    void BuildIconPanel();
    void LayoutIconPanel();
    void ApplyBackground();
    void ChangeNumbering();
    void ChooseInputMethod();
    void ChangePicture();
    void ChangeColor();
    void ShowAbout();

    TQDMain* m_main;
    QMdiArea* m_area;
    QWidget* m_iconPanel = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_panels[2];
    QColor m_panelColor;
    QString m_picture;
    bool m_started = false;
    bool m_firstShown = false;
    QPointer<QWidget> m_manual;
};
