#pragma once

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTableView>
#include <functional>

#include "data/GridLayout.h"
#include "data/QueryRules.h"

class TFocusColors;
struct TQDField;
class TQDDataSource;
class TQDQueryModel;

// The list of every window: a dataset's rows with titles, widths and visibility
// from the window's field descriptors; it follows and moves the current row.
class TQDNDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TQDNDBGrid(QWidget* parent = nullptr);
    ~TQDNDBGrid() override;

    // Where the user's layout of this grid is kept; without a form name none is.
    void SetLayout(const QString& table, const QString& formName, const QString& userId, bool ordered);
    TGridLayout& Layout() { return m_layout; }
    // Writes the user's changed widths and order (the window does it on closing).
    void SaveLayout();
    void RestoreDefault() { m_layout.RestoreDefault(); }
    // Footer texts: sums, counts and fixed texts of the descriptors.
    void RefreshFooters();
    QString FooterText(const QString& field) const;
    bool IsFooterRight(const QString& field) const;
    int FooterHeight() const;

    void SetDataSource(TQDDataSource* source);
    TQDQueryModel* QueryModel() const { return m_model; }
    // Titles, widths and visibility from the descriptors; after every (re)open.
    void ApplyDescriptors(const TFieldsDataArray& descriptors);
    bool IsColumnShown(const QString& field) const;

    // Per-cell colours the window decides (row, column name, background, text).
    std::function<void(int row, const QString& field, QColor& background, QColor& text)> OnApplyCellAttr;
    TFocusColors* Colors() const { return m_colors; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void updateGeometries() override;

private:
    int FittingWidth(const TQDField& field, const QString& label, int characters) const;
    void Rebind();
    void FollowCurrent(int row);
    void TrackColumns();
    void PlaceFooter();

    QPointer<TQDDataSource> m_source;
    TQDQueryModel* m_model = nullptr;
    TFieldsDataArray m_descriptors;
    bool m_moving = false;
    TGridLayout m_layout;
    bool m_tracking = false;
    QWidget* m_footer;
    QHash<QString, QString> m_footerTexts;
    QSet<QString> m_footerRight;
    TFocusColors* m_colors;
};

// The plain data grid of the windows that keep no layout.
class TQDDBGrid : public TQDNDBGrid {
    Q_OBJECT
public:
    using TQDNDBGrid::TQDNDBGrid;
};
