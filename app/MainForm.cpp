#include "app/MainForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QScreen>
#include <QStatusBar>

#include "data/Clock.h"
#include "data/DM.h"
#include "data/QDFun.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/UiHelpers.h"

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), m_area(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MainForm"));
    m_area->setObjectName(QStringLiteral("ChildArea"));
    m_area->setBackground(ColorFromWindows(QDGlobal::BrowseColor));
    setCentralWidget(m_area);

    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1024, 768);
    setGeometry(screen);
    QDGlobal::TempFolder = QDFun::TempFolder();

    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    }
    m_panels[0]->setMinimumWidth(screen.width() * 3 / 5);
    statusBar()->addWidget(m_panels[0]);
    statusBar()->addWidget(m_panels[1], 1);
    TDM::Today();
    m_panels[1]->setText(TClock::Today().toString(QStringLiteral("yyyy'年'MM'月'dd'日'")));

    // Scratch files an interrupted run left beside the database folder.
    QDFun::DeleteTableFiles(QDGlobal::ProgramFolder);
    UpdateCaption();
}

QLabel* TMainForm::StatusPanel(int index) const { return index >= 0 && index < 2 ? m_panels[index] : nullptr; }

void TMainForm::UpdateCaption() {
    QDGlobal::CurrentCompanyName = ValueText(QStringLiteral("SELECT COMPANY_NAME FROM  SYS_COMPANY_TABLE "));
    setWindowTitle(QDGlobal::CurrentCompanyName + QStringLiteral("档案管理系统"));
}
