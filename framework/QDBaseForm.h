#pragma once

#include <QPointer>
#include <QWidget>

#include "framework/RightsBlock.h"

class QMenuBar;
class QToolBar;
class TQDChild;
class TQDDataSource;
class TQDQuery;

// Every function window derives from this: the child-window component, the
// rights block, and the main-window command lock for the windows that hold it.
class TQDBaseForm : public QWidget, public TQDRightsBlock {
    Q_OBJECT
public:
    explicit TQDBaseForm(QWidget* parent = nullptr);
    ~TQDBaseForm() override;

    // Set by the main window for the windows that lock its commands.
    QPointer<QMenuBar> LockMenu;
    QPointer<QToolBar> LockToolBar;

    TQDChild* QDChild() const { return m_child; }
    // A form that opens another hands it all seven flags.
    void CopyRightsTo(TQDRightsBlock& other) const { other.HandRights(Rights); }

    // The sign-on values a query uses for audit columns and numbering.
    static void PrepareQuery(TQDQuery& query);
    // Binds the source to its dataset's state and gives it this form's rights.
    void PrepareDataSource(TQDDataSource& source) { PrepareDataSource(source, Rights); }
    static void PrepareDataSource(TQDDataSource& source, const TRights& rights);

    static int LockCounter();

protected:
    void showEvent(QShowEvent* event) override;
    // Looks the rights up when both names are set; false when it did not.
    bool LookUpRights();

private:
    void LockCommands(bool enabled);

    TQDChild* m_child;
    bool m_locked = false;
    bool m_shownOnce = false;
};
