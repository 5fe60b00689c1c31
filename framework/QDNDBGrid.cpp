#include "framework/QDNDBGrid.h"

#include <QFontMetrics>
#include <QStyle>

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include "data/QDGlobal.h"
#include "framework/FocusColors.h"
#include "framework/QDDataSource.h"
#include "framework/UiHelpers.h"
#include "framework/QDQueryModel.h"

#include <QRegularExpression>

namespace {
// The footer row under the columns.
class TFooter : public QWidget {
public:
    explicit TFooter(TQDNDBGrid* grid) : QWidget(grid), m_grid(grid) { setObjectName(QStringLiteral("Footer")); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().button());
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(0, 0, width(), 0);
        painter.setPen(palette().color(QPalette::ButtonText));
        QAbstractItemModel* model = m_grid->model();
        if (!model) return;
        auto* header = m_grid->horizontalHeader();
        const int offset = m_grid->verticalHeader()->isVisible() ? m_grid->verticalHeader()->width() : 0;
        for (int column = 0; column < model->columnCount(); ++column) {
            if (m_grid->isColumnHidden(column)) continue;
            const QString field = model->headerData(column, Qt::Horizontal, Qt::UserRole).toString();
            const QString text = m_grid->FooterText(field);
            if (text.isEmpty()) continue;
            const QRect cell(offset + header->sectionViewportPosition(column) + 2, 0, header->sectionSize(column) - 4, height());
            const bool right = m_grid->IsFooterRight(field);
            painter.drawText(cell, Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft), text);
        }
    }

private:
    TQDNDBGrid* m_grid;
};
}  // namespace

TQDNDBGrid::TQDNDBGrid(QWidget* parent) : QTableView(parent), m_footer(new TFooter(this)), m_colors(new TFocusColors(this)) {
    m_footer->hide();
    // The grid keeps the window's colour until it is entered.
    m_colors->SetColors(palette().color(QPalette::Base), ColorFromWindows(QDGlobal::FocusColor));
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        TrackColumns();
        m_footer->update();
    });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this] { TrackColumns(); });
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    // A column narrowed to nothing is how a user hides it.
    horizontalHeader()->setMinimumSectionSize(0);
}

TQDNDBGrid::~TQDNDBGrid() { SaveLayout(); }

void TQDNDBGrid::SetLayout(const QString& table, const QString& formName, const QString& userId, bool ordered) {
    m_layout.Table = table;
    m_layout.FormName = formName;
    m_layout.UserId = userId;
    m_layout.Ordered = ordered;
    m_layout.GridName = objectName();
}

void TQDNDBGrid::SaveLayout() {
    if (m_tracking) {
        TrackColumns();
    }
    m_layout.Save();
    m_tracking = false;
}

void TQDNDBGrid::TrackColumns() {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->Active() || !m_tracking) {
        return;
    }
    for (int column = 0; column < query->FieldCount(); ++column) {
        if (isColumnHidden(column) && !m_layout.Find(query->Field(column).name)) continue;
        m_layout.Track(query->Field(column).name, columnWidth(column), horizontalHeader()->visualIndex(column));
    }
}

int TQDNDBGrid::FooterHeight() const { return m_footer->isHidden() ? 0 : m_footer->height(); }

QString TQDNDBGrid::FooterText(const QString& field) const { return m_footerTexts.value(field.toUpper()); }

bool TQDNDBGrid::IsFooterRight(const QString& field) const { return m_footerRight.contains(field.toUpper()); }

void TQDNDBGrid::RefreshFooters() {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    m_footerTexts.clear();
    m_footerRight.clear();
    QStringList sums;
    bool any = false;
    for (const TFieldsData& descriptor : m_descriptors) {
        if (descriptor.FooterKind.isEmpty()) continue;
        any = true;
        if (descriptor.FooterKind == QLatin1String("@Sum")) {
            sums.append(descriptor.FooterField.isEmpty() ? descriptor.FieldName : descriptor.FooterField);
        }
    }
    if (!any || !query || !query->Active()) {
        m_footer->hide();
        updateGeometries();
        return;
    }
    const TQDQuery::TAggregate totals = query->Aggregate(sums);
    for (const TFieldsData& descriptor : m_descriptors) {
        QString text;
        if (descriptor.FooterKind == QLatin1String("@Sum")) {
            const QString column = descriptor.FooterField.isEmpty() ? descriptor.FieldName : descriptor.FooterField;
            text = QString::number(totals.sums.value(column), 'f', 8);
            while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) text.chop(1);
        } else if (descriptor.FooterKind == QLatin1String("@Count")) {
            text = QString::number(totals.count);
            if (!descriptor.FooterFormat.isEmpty()) text = descriptor.FooterFormat.contains(QLatin1Char('#'))
                                                               ? QString(descriptor.FooterFormat).replace(QRegularExpression(QStringLiteral("[#0,.]+")), text)
                                                               : descriptor.FooterFormat + text;
        } else if (!descriptor.FooterKind.isEmpty()) {
            text = descriptor.FooterKind;
        }
        if (!text.isEmpty()) m_footerTexts.insert(descriptor.FieldName.toUpper(), text);
        // Sums and counts stand right, as do fixed texts under number columns.
        if (descriptor.FooterKind.startsWith(QLatin1Char('@')) || descriptor.Kind == QLatin1String("N"))
            m_footerRight.insert(descriptor.FieldName.toUpper());
    }
    const int height = fontMetrics().height() + 8;
    m_footer->setFixedHeight(height);
    m_footer->show();
    updateGeometries();
    m_footer->update();
}

void TQDNDBGrid::PlaceFooter() {
    const QRect area = viewport()->geometry();
    m_footer->setGeometry(0, area.bottom() + 1, width(), m_footer->height());
}

void TQDNDBGrid::updateGeometries() {
    // The table sets the margins for its headers; the footer row takes the
    // bottom one, between the rows and the horizontal scroll bar.
    QTableView::updateGeometries();
    const QMargins margins = viewportMargins();
    if (margins.bottom() != FooterHeight()) {
        setViewportMargins(margins.left(), margins.top(), margins.right(), FooterHeight());
    }
    PlaceFooter();
}

void TQDNDBGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    PlaceFooter();
}

void TQDNDBGrid::contextMenuEvent(QContextMenuEvent* event) {
    // A right click offers the default layout back.
    if (m_layout.HasIdentity()) {
        m_layout.RestoreDefault();
    }
    event->accept();
}

void TQDNDBGrid::SetDataSource(TQDDataSource* source) {
    m_source = source;
    connect(source, &TQDDataSource::DataChanged, this, &TQDNDBGrid::Rebind);
    Rebind();
}

void TQDNDBGrid::Rebind() {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    delete m_model;
    m_model = nullptr;
    if (!query) {
        setModel(nullptr);
        return;
    }
    m_model = new TQDQueryModel(query, this);
    m_model->CellColors = [this](int row, int column, QColor& background, QColor& text) {
        if (OnApplyCellAttr && m_model && m_model->Query()) OnApplyCellAttr(row, m_model->Query()->Field(column).name, background, text);
    };
    setModel(m_model);
    connect(query, &TQDQuery::CurrentChanged, this, &TQDNDBGrid::FollowCurrent);
    connect(query, &TQDQuery::RowsReset, this, [this] { ApplyDescriptors(m_descriptors); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this, query](const QModelIndex& current) {
        if (!m_moving && current.isValid() && current.row() != query->RecNo()) {
            m_moving = true;
            if (!query->MoveTo(current.row())) {
                FollowCurrent(query->RecNo());
            }
            m_moving = false;
        }
    });
}

void TQDNDBGrid::FollowCurrent(int row) {
    if (!m_model || m_moving || row < 0) {
        return;
    }
    m_model->EnsureRow(row);
    m_moving = true;
    const QModelIndex index = m_model->index(row, std::max(0, currentIndex().column()));
    setCurrentIndex(index);
    scrollTo(index);
    m_moving = false;
}

void TQDNDBGrid::ApplyDescriptors(const TFieldsDataArray& descriptors) {
    m_descriptors = descriptors;
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->Active() || !m_model) {
        return;
    }
    m_layout.GridName = objectName();
    QStringList order;
    const bool saved = m_layout.HasIdentity() && !m_layout.IsTracking() && m_layout.Read(true) && m_layout.IsTracking();
    if (saved || m_layout.IsTracking()) {
        order = m_layout.ApplyToDescriptors(m_descriptors);
    }
    m_tracking = false;
    // Without a stored order the columns stand as the descriptors list them.
    if (!m_layout.Ordered || order.isEmpty()) {
        order.clear();
        for (const TFieldsData& data : m_descriptors) order.append(data.FieldName);
    }
    int placed = 0;
    for (const QString& name : order) {
        const int column = query->FieldIndex(name);
        if (column < 0) continue;
        horizontalHeader()->moveSection(horizontalHeader()->visualIndex(column), std::min(placed++, query->FieldCount() - 1));
    }
    for (int column = 0; column < query->FieldCount(); ++column) {
        const TQDField& field = query->Field(column);
        const TFieldsData* descriptor = nullptr;
        for (const TFieldsData& data : m_descriptors) {
            if (data.FieldName.compare(field.name, Qt::CaseInsensitive) == 0) descriptor = &data;
        }
        // Columns without a descriptor are not the window's business to show.
        bool shown = descriptor && descriptor->Visible && descriptor->DisplayWidth != -1 && descriptor->DisplayWidth != -2;
        int width = 0;
        if (shown) {
            const int characters = descriptor->DisplayWidth > 0 ? descriptor->DisplayWidth
                                   : field.displayWidth > 0   ? field.displayWidth
                                                              : std::max(6, static_cast<int>(field.displayLabel.size()) * 2);
            width = descriptor->DisplayWidth == 0 && m_layout.Find(field.name) ? 0 : FittingWidth(field, descriptor->DisplayLabel.isEmpty() ? field.displayLabel : descriptor->DisplayLabel, characters);
        }
        if (const TGridLayout::TColumn* stored = m_layout.Find(field.name); shown && stored && stored->width <= 10) {
            const bool footer = descriptor->FooterKind == QLatin1String("@Count") || descriptor->FooterKind == QLatin1String("@Sum");
            shown = footer;
            width = 0;
        }
        setColumnHidden(column, !shown);
        if (shown) {
            setColumnWidth(column, width);
        }
    }
    // From now on the user's changes are followed.
    m_tracking = true;
    RefreshFooters();
    FollowCurrent(query->RecNo());
}

int TQDNDBGrid::FittingWidth(const TQDField& field, const QString& label, int characters) const {
    // The widths are given in characters of a 12-pixel font; ours are
    // taller and wider, so a column is never narrower than its header or a
    // whole date need in the font it is drawn with.
    const QFontMetrics metrics(font());
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    int width = TGridLayout::Pixels(characters);
    width = std::max(width, headerMetrics.horizontalAdvance(label) + padding + 8);
    if (field.kind == TFieldKind::Date) {
        width = std::max(width, metrics.horizontalAdvance(QStringLiteral("0000-00-00")) + padding);
    }
    return width;
}

bool TQDNDBGrid::IsColumnShown(const QString& field) const {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    const int column = query ? query->FieldIndex(field) : -1;
    return column >= 0 && !isColumnHidden(column);
}
