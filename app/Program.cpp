#include "app/Program.h"

#include <QApplication>

#include "app/EnrolForm.h"
#include "app/LogonForm.h"
#include "app/MainForm.h"
#include "app/ShowForm.h"
#include "data/DM.h"
#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"

TProgram::TProgram() = default;

TProgram::~TProgram() {
    m_mainForm.reset();
    m_dm.reset();
}

bool TProgram::Start() {
    {
        TShowForm splash;
        splash.ShowAndWait();
    }
    QApplication::setApplicationName(QStringLiteral("QDArchives"));
    m_dm = std::make_unique<TDM>();
    if (m_dm->Terminated()) {
        return false;
    }
    try {
        m_dm->Connect();
    } catch (const TDatabaseError& error) {
        Error(QStringLiteral("不能打开数据库:\n") + error.Message());
        return false;
    }
    // A database that opens but fails at its first reads (a damaged or missing
    // table) ends the program with a message; nothing has been written to it.
    int result = QDialog::Rejected;
    try {
        m_mainForm = std::make_unique<TMainForm>();
        if (!m_mainForm->Started()) {
            return false;  // another copy runs and has been brought forward
        }
        QDGlobal::EnrolledThisRun = false;
        const double administrators =
            ValueNumber(QStringLiteral("SELECT  Count(USE_ID) from SYS_USER_TABLE WHERE  SYS_USER ='是'"));
        if (administrators > 0) {
            TLogonForm logon;
            result = TModalSeam::Exec(logon);
        } else {
            TEnrolForm enrol;
            result = TModalSeam::Exec(enrol);
        }
        if (result == QDialog::Accepted) {
            m_mainForm->UpdateCaption();
            m_mainForm->LoadValues();
        }
    } catch (const TDatabaseError& error) {
        Error(TDM::StartFailureMessage(error.Message()));
        m_mainForm.reset();
        return false;
    }
    return result == QDialog::Accepted;
}
