#pragma once

#include <memory>

class TDM;
class TMainForm;

// The start sequence: data module, connection, main window. Start returns
// false when the program must end before any window is shown.
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
