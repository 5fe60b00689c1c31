#include "app/Program.h"

#include "app/MainForm.h"
#include "data/DM.h"
#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"

TProgram::TProgram() = default;

TProgram::~TProgram() {
    m_mainForm.reset();
    m_dm.reset();
}

bool TProgram::Start() {
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
    m_mainForm = std::make_unique<TMainForm>();
    return true;
}
