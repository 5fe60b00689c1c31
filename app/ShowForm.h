#pragma once

#include <QDialog>

class QTimer;

// The splash window shown while the program starts.
class TShowForm : public QWidget {
    Q_OBJECT
public:
    explicit TShowForm(QWidget* parent = nullptr);

    // Shows the window, keeps it painted for the splash time, then returns.
    void ShowAndWait();

    // How long the splash stays up; tests shorten it.
    static int SplashTime();
    static void SetSplashTime(int milliseconds);

    QTimer* MainTimer() const { return m_timer; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QTimer* m_timer;
};
