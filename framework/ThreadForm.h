#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;
class QTimer;

enum class TOptionKind { crCopy, crDelete, crFind };

// The animation strip at the top of the progress window.
class TAnimationStrip : public QWidget {
    Q_OBJECT
public:
    explicit TAnimationStrip(QWidget* parent = nullptr);
    void SetKind(TOptionKind kind) { m_kind = kind; }
    TOptionKind Kind() const { return m_kind; }
    void Start();
    void StopAnimation();
    bool IsRunning() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TOptionKind m_kind = TOptionKind::crCopy;
    QTimer* m_timer;
    int m_frame = 0;
};

// The progress window: an animation, three bars (bar 3 highest) and a stop button.
class TThreadForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 355;
    static constexpr int ClientHeight = 169;
    static constexpr int ClientHeightWithoutStop = 133;

    explicit TThreadForm(QWidget* parent = nullptr);

    QProgressBar* Bar(int number) const;
    QPushButton* StopButton() const { return m_stop; }
    TAnimationStrip* Animation() const { return m_animation; }
    bool StopPressed() const { return m_stopPressed; }
    void ClearStopPressed() { m_stopPressed = false; }
    void SetStopVisible(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override {}  // Esc does not close it; the work decides

private:
    TAnimationStrip* m_animation;
    QProgressBar* m_bars[3];
    QPushButton* m_stop;
    bool m_stopPressed = false;
};
