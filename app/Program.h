#pragma once

#include <memory>

class TDM;
class TMainForm;

// The start sequence: splash, data module, connection, main window, then
// enrolment or sign-on. Start returns false when the program must end.
class TProgram {
public:
    TProgram();
    ~TProgram();

    bool Start();
    TDM* DataModule() const { return m_dm.get(); }
    TMainForm* MainForm() const { return m_mainForm.get(); }

private:
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TMainForm> m_mainForm;
};
