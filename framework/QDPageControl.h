#pragma once

#include <QPointer>
#include <QTabWidget>
#include <array>

class TQDDataSource;
class TQDQuery;

// Pages that cannot be left while one of their data sources edits a row, nor
// while the master list is empty.
class TQDPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TQDPageControl(QWidget* parent = nullptr);

    std::array<QPointer<TQDDataSource>, 7> DataSources{};
    QPointer<TQDQuery> QyMaster;

    // False (after saying why) when the page may not change now.
    bool CanChangePage();
    // Changes the page through the guard, as a click on a tab does.
    bool ChangePage(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_switching = false;
};
