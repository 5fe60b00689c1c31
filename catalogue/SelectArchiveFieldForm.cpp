#include "catalogue/SelectArchiveFieldForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "data/MessageBoxes.h"
#include "data/SqlHelpers.h"
#include "framework/QDComboBox.h"
#include "framework/QDEdit.h"

using TClass = TFieldDefinitions::TClass;

TSelectArchiveFieldForm::TSelectArchiveFieldForm(int slot, bool items, QWidget* parent)
    : QDialog(parent)
    , m_slot(slot)
    , m_definitions(items)
    , m_name(new TQDEdit(this))
    , m_fields(new TQDComboBox(this))
    , m_inputs(new TQDComboBox(this))
    , m_sort(new QCheckBox(QStringLiteral("是排序字段"), this))
    , m_repeat(new QCheckBox(QStringLiteral("是否重复提示"), this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this))
    , m_close(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("SelectArchiveFieldForm"));
    setWindowTitle(QStringLiteral("字段选择窗口"));
    setFixedSize(369, 149);
    auto* nameLabel = new QLabel(QStringLiteral("字段名称"), this);
    auto* fieldLabel = new QLabel(QStringLiteral("字段选择"), this);
    auto* inputLabel = new QLabel(QStringLiteral("输入方式选择"), this);
    nameLabel->setBuddy(m_name);
    fieldLabel->setBuddy(m_fields);
    inputLabel->setBuddy(m_inputs);
    m_name->setObjectName(QStringLiteral("QDEdit1"));
    m_fields->setObjectName(QStringLiteral("QDComboBox1"));
    m_inputs->setObjectName(QStringLiteral("QDComboBox2"));
    m_sort->setObjectName(QStringLiteral("CheckBox1"));
    m_repeat->setObjectName(QStringLiteral("CheckBox2"));
    m_ok->setObjectName(QStringLiteral("Button_ok"));
    m_close->setObjectName(QStringLiteral("Button_Close"));
    for (const TFieldDefinitions::TColumnClass& kind : TFieldDefinitions::Classes()) m_fields->addItem(kind.choice);
    m_inputs->addItems({QStringLiteral("直接输入"), QStringLiteral("选择输入")});
    nameLabel->setGeometry(10, 10, 80, 22);
    m_name->setGeometry(96, 10, 260, 24);
    fieldLabel->setGeometry(10, 40, 80, 22);
    m_fields->setGeometry(96, 40, 120, 24);
    inputLabel->setGeometry(10, 70, 84, 22);
    m_inputs->setGeometry(96, 70, 120, 24);
    m_sort->setGeometry(230, 40, 130, 22);
    m_repeat->setGeometry(230, 70, 130, 22);
    m_ok->setGeometry(90, 110, 80, 28);
    m_close->setGeometry(200, 110, 80, 28);
    m_ok->setAutoDefault(false);
    m_close->setAutoDefault(false);

    const TFieldDefinitions::TSlot current = m_definitions.ReadSlot(slot);
    const bool emptyTable = ValueNumber(QStringLiteral("SELECT COUNT(*) FROM ") + m_definitions.Table()) == 0;
    int choice = -1;
    if (current.found) {
        m_previous = current.column;
        m_name->setText(current.displayName);
        choice = m_definitions.ClassIndex(current.column);
        m_sort->setChecked(current.sort);
        m_repeat->setChecked(current.repeat);
    } else if (slot == 1 || slot == 2 || (slot == 21 && emptyTable)) {
        const QString bare = slot == 1 ? QStringLiteral("ARCHIVE_ID") : slot == 2 ? QStringLiteral("ARCHIVE_NAME") : QStringLiteral("TEXT_NOTE");
        m_name->setText(slot == 1 ? QStringLiteral("档案编号") : slot == 2 ? QStringLiteral("档案名称") : QStringLiteral("档案备注"));
        choice = m_definitions.ClassIndex(bare);
    } else if (slot == 21) {
        m_name->setText(QStringLiteral("档案备注"));
    }
    m_fields->setCurrentIndex(choice);
    const TClass kind = choice >= 0 ? TFieldDefinitions::Classes()[choice].kind : TClass::Text;
    m_locked = choice >= 0 && (kind == TClass::Identifier || kind == TClass::Name || kind == TClass::Note);
    m_fields->setEnabled(!m_locked);
    m_inputs->setCurrentIndex(current.findType == QLatin1String("DT") || current.findType == QLatin1String("D") ? 1 : 0);
    FieldChosen();
    connect(m_fields, &QComboBox::currentIndexChanged, this, &TSelectArchiveFieldForm::FieldChosen);
    connect(m_ok, &QPushButton::clicked, this, &TSelectArchiveFieldForm::Confirm);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSelectArchiveFieldForm::FieldChosen() {
    const int choice = m_fields->currentIndex();
    if (choice < 0) {
        m_repeat->setVisible(false);
        return;
    }
    const TFieldDefinitions::TColumnClass& kind = TFieldDefinitions::Classes()[choice];
    if (kind.kind == TClass::Date) {
        m_inputs->setCurrentIndex(1);
        m_inputs->setEnabled(false);
    } else if (kind.kind == TClass::Number || kind.kind == TClass::Identifier || kind.kind == TClass::Note) {
        m_inputs->setCurrentIndex(0);
        m_inputs->setEnabled(false);
    } else {
        m_inputs->setEnabled(true);
    }
    m_repeat->setVisible(kind.type == QLatin1String("String"));
    if (!m_repeat->isVisibleTo(this)) m_repeat->setChecked(false);
}

void TSelectArchiveFieldForm::Confirm() {
    TFieldDefinitions::TChoice choice;
    choice.slot = m_slot;
    choice.previousColumn = m_previous;
    choice.displayName = m_name->text();
    choice.choice = m_fields->currentIndex();
    choice.inputKind = m_inputs->currentIndex();
    choice.sort = m_sort->isChecked();
    choice.repeat = m_repeat->isChecked();
    choice.locked = m_locked;
    const TFieldDefinitions::TResult result = m_definitions.Save(choice);
    if (!result.closed) {
        Information(result.message, this);
        if (result.message == QStringLiteral("字段名称重复")) m_name->setFocus();
        return;
    }
    m_removed = result.removed;
    m_saved = result.removed ? QStringLiteral("未定义") : m_name->text().trimmed();
    accept();
}
