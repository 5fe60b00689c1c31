#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

// The read-only value chooser "数据选择窗口" the search dialogs offer for name
// and text columns: the values of the column's value table containing what was typed.
class TLookupValueForm : public QDialog {
    Q_OBJECT
public:
    TLookupValueForm(const QString& label, const QStringList& values, QWidget* parent = nullptr);

    QTableWidget* Grid() const { return m_grid; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CloseButton() const { return m_close; }
    QString Chosen() const;

    // The value table serving a record column, empty when there is none.
    static QString ValueTable(const QString& column);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidget* m_grid;
    QPushButton* m_ok;
    QPushButton* m_close;
};

// Offers the values of the column's value table that contain the typed text.
// True with the chosen value; when nothing matches, says so and returns false.
bool LookupValue(const QString& column, const QString& typed, const QString& label, QString* chosen,
                 QWidget* owner = nullptr);
