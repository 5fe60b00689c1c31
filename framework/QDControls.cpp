#include "framework/QDControls.h"

#include <QPainter>

#include "framework/FocusColors.h"
#include "framework/QDDBEdit.h"
#include "framework/UiHelpers.h"

TQDListBox::TQDListBox(QWidget* parent) : QListWidget(parent), m_colors(new TFocusColors(this)) { setProperty("Tag", 0); }

TQDDBComboBox::TQDDBComboBox(QWidget* parent) : QComboBox(parent), m_colors(new TFocusColors(this)) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    SetDataReadOnly(true);
    connect(this, &QComboBox::currentTextChanged, this, [this] {
        if (!m_loading) StoreToField();
    });
}

void TQDDBComboBox::Bind(TQDDataSource* source, const QString& field) {
    m_link.Bind(source, field);
    FollowDataSet(this, this, m_link);
    LoadFromField();
}

void TQDDBComboBox::LoadFromField() {
    TQDQuery* query = m_link.DataSet();
    m_loading = true;
    setEditText(query && query->Active() ? query->Text(m_link.Field()) : QString());
    m_loading = false;
}

bool TQDDBComboBox::StoreToField() {
    TQDQuery* query = m_link.DataSet();
    return query && query->IsEditing() && query->SetValue(m_link.Field(), currentText());
}

void TQDDBComboBox::SetDataReadOnly(bool readOnly) {
    if (lineEdit()) lineEdit()->setReadOnly(readOnly);
    m_readOnlyFlag = readOnly;
    if (readOnly) hidePopup();
}

void TQDDBComboBox::wheelEvent(QWheelEvent* event) {
    // Scrolling over a read-only list must not change the row's value.
    if (!m_readOnlyFlag) QComboBox::wheelEvent(event);
}

TQDDBLookupComboBox::TQDDBLookupComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading) StoreToField();
    });
}

void TQDDBLookupComboBox::Bind(TQDDataSource* source, const QString& field) {
    m_link.Bind(source, field);
    FollowDataSet(this, this, m_link);
    LoadFromField();
}

void TQDDBLookupComboBox::SetLookup(TQDQuery* list, const QString& keyField, const QString& displayField) {
    m_list = list;
    m_keyField = keyField;
    m_displayField = displayField;
    Fill();
}

namespace {
// The (shown text, key) pairs of a lookup list.
QList<std::pair<QString, QVariant>> LookupEntries(TQDQuery* list, const QString& keyField, const QString& displayField) {
    QList<std::pair<QString, QVariant>> entries;
    if (list && list->Active()) {
        const int key = list->FieldIndex(keyField), shown = list->FieldIndex(displayField);
        const int count = list->RecordCount();
        for (int row = 0; row < count; ++row) {
            entries.append({list->RowText(row, shown), list->RowValue(row, key)});
        }
    }
    return entries;
}
}  // namespace

void TQDDBLookupComboBox::Fill() {
    m_loading = true;
    clear();
    for (const auto& [text, key] : LookupEntries(m_list, m_keyField, m_displayField)) {
        addItem(text, key);
    }
    m_loading = false;
    LoadFromField();
}

void TQDDBLookupComboBox::LoadFromField() {
    TQDQuery* query = m_link.DataSet();
    m_loading = true;
    setCurrentIndex(query && query->Active() ? findData(query->Value(m_link.Field()).toString()) : -1);
    m_loading = false;
}

bool TQDDBLookupComboBox::StoreToField() {
    TQDQuery* query = m_link.DataSet();
    return query && query->IsEditing() && query->SetValue(m_link.Field(), currentData());
}

void TQDDBLookupComboBox::SetDataReadOnly(bool readOnly) {
    // Tag 200 keeps the lookup writable always.
    setEnabled(property("Tag").toInt() == 200 || !readOnly);
}

TQDDBLookupListBox::TQDDBLookupListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!m_loading) StoreToField();
    });
}

void TQDDBLookupListBox::Bind(TQDDataSource* source, const QString& field) {
    m_link.Bind(source, field);
    FollowDataSet(this, this, m_link);
    LoadFromField();
}

void TQDDBLookupListBox::SetLookup(TQDQuery* list, const QString& keyField, const QString& displayField) {
    m_list = list;
    m_keyField = keyField;
    m_displayField = displayField;
    m_loading = true;
    clear();
    for (const auto& [text, key] : LookupEntries(m_list, m_keyField, m_displayField)) {
        auto* item = new QListWidgetItem(text, this);
        item->setData(Qt::UserRole, key);
    }
    m_loading = false;
    LoadFromField();
}

void TQDDBLookupListBox::LoadFromField() {
    TQDQuery* query = m_link.DataSet();
    const QString key = query && query->Active() ? query->Value(m_link.Field()).toString() : QString();
    m_loading = true;
    setCurrentRow(-1);
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(Qt::UserRole).toString() == key) setCurrentRow(row);
    }
    m_loading = false;
}

bool TQDDBLookupListBox::StoreToField() {
    TQDQuery* query = m_link.DataSet();
    const QListWidgetItem* chosen = currentItem();
    return query && query->IsEditing() && chosen && query->SetValue(m_link.Field(), chosen->data(Qt::UserRole));
}

void TQDDBLookupListBox::SetDataReadOnly(bool readOnly) {
    setSelectionMode(property("Tag").toInt() == 200 || !readOnly ? QAbstractItemView::SingleSelection
                                                                 : QAbstractItemView::NoSelection);
}

TQDPanel::TQDPanel(QWidget* parent) : QFrame(parent) {}

void TQDPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (FaceColor.isValid()) painter.fillRect(rect(), FaceColor);
    const QRect frame = rect().adjusted(0, 0, -1 - ShadowWidth, -1 - ShadowWidth);
    if (ShadowWidth > 0) {
        painter.fillRect(QRect(frame.right() + 1, ShadowWidth, ShadowWidth, frame.height()), ShadowColor);
        painter.fillRect(QRect(ShadowWidth, frame.bottom() + 1, frame.width(), ShadowWidth), ShadowColor);
    }
    for (int i = 0; i < BorderLine; ++i) {
        const QRect r = frame.adjusted(i, i, -i, -i);
        painter.setPen(Color_High);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(Color_Low);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}
