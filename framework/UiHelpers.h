#pragma once

#include <QColor>
#include <QString>

class QApplication;
class QWidget;

// A Windows colour value (0x00BBGGRR) as a colour.
QColor ColorFromWindows(unsigned value);

// Gives the window and every input control in it the input-method name. Text
// inputs get input methods; number and date inputs (property "QDNumeric" set),
// grids, and controls whose Tag is 100 are handled as the rules say.
void ApplyInputMethod(QWidget* window, const QString& name);

// Brings the window forward and gives it the focus.
void ToFront(QWidget* window);

// Maps the font names the windows ask for (宋体, 隶书, 新細明體 …) to installed
// fonts with Chinese glyphs and sets an application font that has them.
void ApplyChineseFonts(QApplication& application);

// The program's icon: every window, child window and dialog shows it, so the
// user sees one program, not the toolkit's.
void ApplyProgramIcon(QApplication& application);

// Gives every caption label without a buddy the input control just right of
// it on the same line (or just below it), so each input is known by the name
// the user sees. Returns how many labels got one.
int AssignLabelBuddies(QWidget* window);

// Shows the wait cursor while a list is built. Starting it lets the screen
// repaint first, so a dialog that has just closed does not stay painted over
// the window while the work runs.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};
