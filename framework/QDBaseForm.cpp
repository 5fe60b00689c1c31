#include "framework/QDBaseForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "data/DM.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "framework/QDChild.h"
#include "framework/QDDataSource.h"
#include "framework/UiHelpers.h"

namespace {
int& Counter() {
    static int counter = 0;
    return counter;
}
}  // namespace

int TQDBaseForm::LockCounter() { return Counter(); }

TQDBaseForm::TQDBaseForm(QWidget* parent) : QWidget(parent), m_child(new TQDChild(this)) {
    m_child->DataBaseName = QStringLiteral("QDArchivesDataBase");
    TDM::Today();
}

TQDBaseForm::~TQDBaseForm() {
    if (m_locked) {
        LockCommands(true);
    }
}

void TQDBaseForm::LockCommands(bool enabled) {
    if (!LockMenu) {
        return;
    }
    if (enabled) {
        --Counter();
    }
    if (Counter() == 0) {
        for (QAction* top : LockMenu->actions()) {
            if (QMenu* menu = top->menu()) {
                for (QAction* item : menu->actions()) {
                    const int tag = item->property("Tag").toInt();
                    if (tag == 100 || tag == 300) item->setEnabled(enabled);
                }
            }
        }
        if (LockToolBar) {
            for (QAction* button : LockToolBar->actions()) {
                const int tag = button->property("Tag").toInt();
                if (tag == 100 || tag == 300) button->setEnabled(enabled);
            }
        }
    }
    if (!enabled) {
        ++Counter();
    }
    m_locked = !enabled;
}

void TQDBaseForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        LockCommands(false);
        // Text inputs follow the system's current input method.
        ApplyInputMethod(this, QString());
        AssignLabelBuddies(this);
        QFont font(QStringLiteral("宋体"));
        font.setPointSize(9);
        setFont(font);
    }
}

bool TQDBaseForm::LookUpRights() { return ResolveRights(this); }

void TQDBaseForm::PrepareQuery(TQDQuery& query) {
    const QString today = QDGlobal::StartDateText;
    query.PeriodText = today.left(4) + today.mid(5, 2);
    query.DayText = QString(today).remove(QLatin1Char('-'));
    // The audit stamps are those of the moment a row is added or edited, so a
    // window left open over midnight, or opened before a new sign-on, stamps
    // the right day and user.
    for (TInsertData& rule : query.InsertData) {
        if (rule.Kind.compare(QLatin1String("A"), Qt::CaseInsensitive) != 0) continue;
        if (rule.FieldName == QLatin1String("CREATE_DATE")) rule.Value = today;
        if (rule.FieldName == QLatin1String("CREATE_NAME")) rule.Value = QDGlobal::CurrentUserName;
    }
    for (TEditData& rule : query.EditData) {
        if (rule.FieldName == QLatin1String("EDIT_DATE")) rule.Value = today;
        if (rule.FieldName == QLatin1String("EDIT_NAME")) rule.Value = QDGlobal::CurrentUserName;
    }
    query.ColorOnFocus = QDGlobal::FocusColor;
    query.SqlType = ProgramSqlType;
    query.DatabaseName = QStringLiteral("QDArchivesDataBase");
}

void TQDBaseForm::PrepareDataSource(TQDDataSource& source, const TRights& rights) {
    source.BindStateChange();
    source.RightAdd = source.RightEdit = source.RightDelete = rights[AddRight];
    source.RightPrint = rights[PrintRight];
    source.RightCheck = rights[VerifyRight];
    source.ApplyRights();
    source.EditColor = ColorFromWindows(QDGlobal::EditColor);
    source.BrowseColor = ColorFromWindows(QDGlobal::BrowseColor);
    source.ColorOnFocus = ColorFromWindows(QDGlobal::FocusColor);
}
