#pragma once

#include <QColor>
#include <QLabel>

// A label drawn raised: its text once in a light and once in a dark colour,
// offset, under the text itself.
class TQD3DLabel : public QLabel {
    Q_OBJECT
public:
    explicit TQD3DLabel(const QString& text = {}, QWidget* parent = nullptr);
    void SetShadeColors(const QColor& light, const QColor& dark);
    void SetTextColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_light = Qt::white;
    QColor m_dark = Qt::black;
    QColor m_text = Qt::black;
};
