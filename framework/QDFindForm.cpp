#include "framework/QDFindForm.h"

#include <algorithm>

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "data/MessageBoxes.h"
#include "framework/QDChild.h"
#include "framework/QDComboEdit.h"
#include "framework/QDComboBox.h"
#include "framework/QDEdit.h"
#include "framework/SelectDateForm.h"

namespace {
bool IsKind(const TFieldsData* field, std::initializer_list<const char*> kinds) {
    if (!field) return false;
    for (const char* kind : kinds) {
        if (field->SearchKind == QLatin1String(kind)) return true;
    }
    return false;
}
}  // namespace

TQDFindForm::TQDFindForm(bool simple, QWidget* parent)
    : QDialog(parent)
    , m_simple(simple)
    , m_fields(new TQDComboBox(this))
    , m_operators(new TQDComboBox(this))
    , m_text(new TQDEdit(this))
    , m_year(new TQDEdit(this))
    , m_month(new TQDEdit(this))
    , m_date(new TQDComboEdit(this))
    , m_values(new TQDComboBox(this))
    , m_valueLabel(new QLabel(QStringLiteral("查找值"), this))
    , m_yearLabel(new QLabel(QStringLiteral("查找年份"), this))
    , m_monthLabel(new QLabel(QStringLiteral("查找月份"), this))
    , m_sure(new QPushButton(QStringLiteral("确定[F3]"), this))
    , m_close(new QPushButton(QStringLiteral("关闭[F12]"), this))
    , m_all(new QPushButton(QStringLiteral("全部数据"), this)) {
    setObjectName(simple ? QStringLiteral("QDFindSimpleForm") : QStringLiteral("QDFindForm"));
    setFixedSize(427, simple ? 137 : 273);
    auto* fieldLabel = new QLabel(QStringLiteral("查找字段"), this);
    auto* operatorLabel = new QLabel(QStringLiteral("查找关系"), this);
    fieldLabel->setBuddy(m_fields);
    operatorLabel->setBuddy(m_operators);
    m_valueLabel->setBuddy(m_text);
    m_yearLabel->setBuddy(m_year);
    m_monthLabel->setBuddy(m_month);
    m_fields->setObjectName(QStringLiteral("ComboBox1"));
    m_operators->setObjectName(QStringLiteral("ComboBox2"));
    m_values->setObjectName(QStringLiteral("ComboBox3"));
    m_values->setEditable(true);
    m_text->setObjectName(QStringLiteral("TextEdit"));
    m_year->setObjectName(QStringLiteral("YearEdit"));
    m_month->setObjectName(QStringLiteral("MonthEdit"));
    m_date->setObjectName(QStringLiteral("DateEdit"));
    m_year->setMaxLength(4);
    m_month->setMaxLength(2);
    m_year->SetEditType(TEditTypes::etInteger);
    m_month->SetEditType(TEditTypes::etInteger);
    m_sure->setObjectName(QStringLiteral("SureButton"));
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_all->setObjectName(QStringLiteral("AllButton"));
    m_all->hide();
    for (QPushButton* button : {m_sure, m_close, m_all}) button->setAutoDefault(false);

    fieldLabel->setGeometry(10, 10, 60, 22);
    m_fields->setGeometry(72, 10, 140, 24);
    operatorLabel->setGeometry(222, 10, 60, 22);
    m_operators->setGeometry(284, 10, 132, 24);
    m_valueLabel->setGeometry(10, 42, 60, 22);
    for (QWidget* value : std::initializer_list<QWidget*>{m_text, m_date, m_values}) value->setGeometry(72, 42, 344, 24);
    m_yearLabel->setGeometry(10, 42, 60, 22);
    m_year->setGeometry(72, 42, 80, 24);
    m_monthLabel->setGeometry(222, 42, 60, 22);
    m_month->setGeometry(284, 42, 60, 24);
    const int buttons = simple ? 100 : 236;
    m_sure->setGeometry(120, buttons, 90, 28);
    m_close->setGeometry(220, buttons, 90, 28);
    m_all->setGeometry(320, buttons, 90, 28);
    if (!simple) {
        auto* logic = new QGroupBox(QStringLiteral("查找逻辑"), this);
        m_and = new QRadioButton(QStringLiteral("并且"), logic);
        m_or = new QRadioButton(QStringLiteral("或者"), logic);
        auto* choices = new QHBoxLayout(logic);
        choices->setContentsMargins(8, 2, 8, 4);
        choices->addWidget(m_and);
        choices->addWidget(m_or);
        // The box holds its choices under its title whatever the font's height.
        const int logicHeight = std::max(40, logic->sizeHint().height());
        logic->setGeometry(10, 72, 160, logicHeight);
        m_down = new QPushButton(QStringLiteral("增加"), this);
        m_down->setObjectName(QStringLiteral("DownButton"));
        m_clear = new QPushButton(QStringLiteral("清除"), this);
        m_clear->setObjectName(QStringLiteral("ClearButton"));
        const int buttonTop = 72 + std::max(0, logicHeight - 28) / 2 + 4;
        m_down->setGeometry(240, buttonTop, 80, 28);
        m_clear->setGeometry(330, buttonTop, 80, 28);
        m_clear->setEnabled(false);
        m_down->setAutoDefault(false);
        m_clear->setAutoDefault(false);
        m_list = new QListWidget(this);
        m_list->setObjectName(QStringLiteral("ListBox1"));
        const int listTop = std::max(118, 72 + logicHeight + 6);
        m_list->setGeometry(10, listTop, 407, 110);
        const int bottom = std::max(buttons, listTop + 110 + 8);
        for (QPushButton* button : {m_sure, m_close, m_all}) button->move(button->x(), bottom);
        setFixedSize(427, std::max(273, bottom + 28 + 9));
        m_sure->setEnabled(false);
        connect(m_down, &QPushButton::clicked, this, &TQDFindForm::AddCondition);
        connect(m_clear, &QPushButton::clicked, this, &TQDFindForm::RemoveCondition);
        connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_clear->setEnabled(row >= 0); });
    }
    // Enter moves along this order: after the value comes 增加, so typing a
    // value and pressing Enter twice adds the condition instead of closing.
    QList<QWidget*> order{m_fields, m_operators, m_text, m_date, m_values, m_year, m_month};
    if (!simple) order << m_down << m_and << m_or << m_clear << m_list;
    order << m_sure << m_close << m_all;
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    connect(m_fields, &QComboBox::currentIndexChanged, this, &TQDFindForm::FieldChosen);
    connect(m_sure, &QPushButton::clicked, this, &TQDFindForm::Sure);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_all, &QPushButton::clicked, this, &TQDFindForm::AllDataChosen);
    connect(m_text, &QLineEdit::editingFinished, this, [this] {
        const QString clean = TSearchCondition::CleanTypedText(m_text->text());
        if (clean != m_text->text()) m_text->setText(clean);
    });
    m_date->OnButtonClick = [this] { OpenPopup(); };
    ClearValues();
    FieldChosen(-1);
}

void TQDFindForm::SetDescriptors(const TFieldsDataArray& descriptors) {
    m_descriptors = descriptors;
    m_refill = true;
    ClearConditions();
    ClearValues();
}

void TQDFindForm::SetAllDataVisible(bool visible) { m_all->setVisible(visible); }

void TQDFindForm::ClearConditions() {
    m_conditions.Clear();
    m_fragments.clear();
    m_displayText.clear();
    if (m_list) {
        m_list->clear();
        m_sure->setEnabled(false);
    }
}

void TQDFindForm::showEvent(QShowEvent* event) {
    setWindowTitle(Caption + QStringLiteral("查找窗口"));
    if (m_refill) {
        m_refill = false;
        m_offered.clear();
        m_fields->blockSignals(true);
        m_fields->clear();
        for (int i = 0; i < m_descriptors.size(); ++i) {
            const TFieldsData& field = m_descriptors[i];
            if (field.DisplayLabel.isEmpty() || field.SearchKind.isEmpty()) continue;
            m_offered.append(i);
            m_fields->addItem(field.SearchKind == QLatin1String("Y") && !field.SearchText.isEmpty() ? field.SearchText
                                                                                                     : field.DisplayLabel);
        }
        m_fields->setCurrentIndex(-1);
        m_fields->blockSignals(false);
        FieldChosen(-1);
    }
    if (FieldIndex >= 0 && FieldIndex < m_fields->count() && (!m_simple || m_fields->currentIndex() < 0)) {
        m_fields->setCurrentIndex(FieldIndex);
        ClearValues();
    }
    if (ConnectionIndex >= 0 && ConnectionIndex < m_operators->count()) {
        m_operators->setCurrentIndex(ConnectionIndex);
    }
    QDialog::showEvent(event);
    m_fields->setFocus();
}

const TFieldsData* TQDFindForm::Current() const {
    const int index = m_fields->currentIndex();
    return index >= 0 && index < m_offered.size() ? &m_descriptors[m_offered[index]] : nullptr;
}

void TQDFindForm::ClearValues() {
    m_text->clear();
    m_year->clear();
    m_month->clear();
    m_date->clear();
    m_values->setEditText(QString());
    m_picked = TSearchValue{};
}

void TQDFindForm::FieldChosen(int) {
    ClearValues();
    const TFieldsData* field = Current();
    m_operators->setEnabled(true);
    m_date->SetDirectInput(true);
    m_date->setStyleSheet(QString());
    m_operators->clear();
    for (const auto& [token, text] : TSearchCondition::Operators()) {
        if (token == QLatin1String("Like") && field && !TSearchCondition::OffersLike(*field)) continue;
        m_operators->addItem(text, token);
    }
    m_operators->setCurrentIndex(-1);
    const bool year = IsKind(field, {"Y"});
    const bool date = IsKind(field, {"D", "DLS", "DT", "LDT", "DS", "DSF", "ES", "ELS", "ESB", "BS", "LBS", "BF", "BT"});
    const bool list = IsKind(field, {"B", "BLS", "S"});
    const bool text = !year && !date && !list;
    m_text->setVisible(text);
    m_date->setVisible(date);
    m_values->setVisible(list);
    m_valueLabel->setVisible(!year);
    m_yearLabel->setVisible(year);
    m_year->setVisible(year);
    m_monthLabel->setVisible(year);
    m_month->setVisible(year);
    m_valueLabel->setBuddy(text ? static_cast<QWidget*>(m_text) : date ? static_cast<QWidget*>(m_date) : m_values);
    if (!field) {
        return;
    }
    m_date->SetButtonEnabled(!IsKind(field, {"BT"}));
    if (IsKind(field, {"ES", "ELS"})) {
        m_date->setStyleSheet(QStringLiteral("color: red"));
    } else if (IsKind(field, {"ESB", "BS", "LBS", "BF"})) {
        m_date->SetDirectInput(false);
        m_date->setStyleSheet(QStringLiteral("color: blue"));
    }
    if (TSearchCondition::FixedOperator(field->SearchKind) || IsKind(field, {"BF"})) {
        m_operators->setCurrentIndex(m_operators->findData(QStringLiteral("=")));
        m_operators->setEnabled(!TSearchCondition::FixedOperator(field->SearchKind));
    }
    if (IsKind(field, {"B", "BLS"})) {
        m_values->clear();
        m_values->addItems(field->SearchText.split(QLatin1Char(';'), Qt::SkipEmptyParts));
        m_values->setEditText(QString());
    } else if (IsKind(field, {"S"}) && SelectSQL) {
        m_values->clear();
        SelectSQL(field->FieldName, m_values);
        m_values->setEditText(QString());
    }
}

void TQDFindForm::OpenPopup() {
    const TFieldsData* field = Current();
    if (!field) {
        return;
    }
    if (IsKind(field, {"D", "DLS"})) {
        const QString day = SelectDate(m_date->text(), QString(), this);
        if (!day.isEmpty()) m_date->setText(day);
        return;
    }
    if (!PopupWindow) {
        return;
    }
    QString shown = m_date->text();
    QString value;
    PopupWindow(shown, value, field->FieldName);
    if (!value.isEmpty()) {
        m_date->setText(shown);
        m_picked.chosen = true;
        m_picked.chosenText = shown;
        m_picked.chosenValue = value;
    }
}

TSearchCondition::TResult TQDFindForm::BuildCurrent() {
    const TFieldsData* field = Current();
    TSearchValue value = m_picked;
    if (!field) {
        TSearchCondition::TResult none;
        none.error = QStringLiteral("必须有一个查找字段");
        return none;
    }
    if (m_text->isVisible()) {
        m_text->setText(TSearchCondition::CleanTypedText(m_text->text()));
        value.text = m_text->text();
    } else if (m_date->isVisible()) {
        value.text = m_date->text();
    } else if (m_values->isVisible()) {
        value.text = m_values->currentText();
    }
    value.year = m_year->text();
    value.month = m_month->text();
    return TSearchCondition::Build(SqlType, *field, m_operators->currentData().toString(), value);
}

void TQDFindForm::Refuse(const QString& message, QWidget* focus) {
    Information(message, this);
    if (focus) focus->setFocus();
}

void TQDFindForm::AddCondition() {
    const TSearchCondition::TResult result = BuildCurrent();
    if (!result.Ok()) {
        Refuse(result.error, Current() ? (m_operators->currentIndex() < 0 ? static_cast<QWidget*>(m_operators) : m_text) : m_fields);
        return;
    }
    const TFieldsData* field = Current();
    const QString display = m_fields->currentText() + QLatin1Char(' ') +
                            (m_operators->isEnabled() ? m_operators->currentText() : QStringLiteral("等于")) +
                            QLatin1Char(' ') + result.displayValue;
    const auto logic = m_and->isChecked() ? TSearchConditionList::TLogic::And
                       : m_or->isChecked() ? TSearchConditionList::TLogic::Or
                                           : TSearchConditionList::TLogic::None;
    const QString problem = m_conditions.Add(result.sql, display, logic);
    if (!problem.isEmpty()) {
        Refuse(problem, m_and);
        return;
    }
    Q_UNUSED(field);
    m_list->clear();
    m_list->addItems(m_conditions.DisplayLines());
    m_sure->setEnabled(true);
}

void TQDFindForm::RemoveCondition() {
    m_conditions.Remove(m_list->currentRow());
    m_list->clear();
    m_list->addItems(m_conditions.DisplayLines());
    m_sure->setEnabled(!m_conditions.IsEmpty());
    m_clear->setEnabled(false);
}

void TQDFindForm::Sure() {
    if (m_simple) {
        const TSearchCondition::TResult result = BuildCurrent();
        if (!result.Ok()) {
            Refuse(result.error, m_fields);
            return;
        }
        m_fragments = {result.sql};
        m_displayText = QLatin1Char(' ') + m_fields->currentText() + QLatin1Char(' ') + m_operators->currentText() +
                        QLatin1Char(' ') + result.displayValue;
        m_allData = false;
        accept();
        return;
    }
    QStringList fragments;
    const QString problem = m_conditions.Confirm(&fragments);
    if (!problem.isEmpty()) {
        Refuse(problem, m_fields);
        return;
    }
    m_fragments = fragments;
    m_displayText = m_conditions.DisplayText();
    m_allData = false;
    accept();
}

void TQDFindForm::AllDataChosen() {
    ClearConditions();
    m_allData = true;
    accept();
}

bool TQDFindForm::ChooseField(const QString& label) {
    const int index = m_fields->findText(label);
    m_fields->setCurrentIndex(index);
    return index >= 0;
}

bool TQDFindForm::ChooseOperator(const QString& text) {
    const int index = m_operators->findText(text);
    m_operators->setCurrentIndex(index);
    return index >= 0;
}

void TQDFindForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_F3:
            Sure();  // also while the button is disabled: then it says why
            return;
        case Qt::Key_F12:
            reject();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (focusWidget() == m_date) {
                OpenPopup();
                return;
            }
            [[fallthrough]];
        default:
            if (!TQDChild::DialogKey(this, event, nullptr, 0, nullptr, 0)) {
                QDialog::keyPressEvent(event);
            }
    }
}
