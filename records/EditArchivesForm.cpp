#include "records/EditArchivesForm.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/SelectArchivesTypeForm.h"
#include "data/DM.h"
#include "data/Dialect.h"
#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDDataSource.h"
#include "records/RecordCard.h"
#include "records/VolumeCascade.h"

using TKind = TRecordCardLayout::TKind;

TEditArchivesForm::TEditArchivesForm(QWidget* parent)
    : TQDBasePopEditShowForm(parent)
    , m_card(new TRecordCard({}, false, 144, Panel1()))
    , m_title(new QLabel(Panel1()))
    , m_typeButton(new QPushButton(QStringLiteral("档案类别选择"), this))
    , m_copyButton(new QPushButton(QStringLiteral("档案资料复制"), this)) {
    setObjectName(QStringLiteral("EditArchivesForm"));
    setWindowTitle(QStringLiteral("档案资料录入编辑窗口"));
    // Volumes are printed from the register's list, not from here.
    Button(QStringLiteral("button_print"))->setVisible(false);
    m_title->setObjectName(QStringLiteral("TitleLabel"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFixedWidth(777);
    auto* layout = new QVBoxLayout(Panel1());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title, 0, Qt::AlignHCenter);
    layout->addWidget(m_card);
    m_typeButton->setObjectName(QStringLiteral("TypeButton"));
    m_copyButton->setObjectName(QStringLiteral("CopyButton"));
    for (QPushButton* button : {m_typeButton, m_copyButton}) {
        button->setAutoDefault(false);
        static_cast<QBoxLayout*>(this->layout())->addWidget(button);
    }
    connect(m_typeButton, &QPushButton::clicked, this, &TEditArchivesForm::ChooseType);
    connect(m_copyButton, &QPushButton::clicked, this, &TEditArchivesForm::Copy);
}

void TEditArchivesForm::Prepare(TQDQuery* list, const QString& typeId, const QString& typeName,
                                bool autoNumbering, TStart start, TSelectArchivesTypeForm* chooser) {
    SetDataSet(list);
    m_typeId = typeId;
    m_typeName = typeName;
    m_autoNumbering = autoNumbering;
    m_start = start;
    m_chooser = chooser;
    connect(list, &TQDQuery::StateChanged, this, &TEditArchivesForm::UpdateButtons);
    connect(list, &TQDQuery::CurrentChanged, this, &TEditArchivesForm::UpdateTitle);
}

QString TEditArchivesForm::TypePath(const QString& typeId) {
    QStringList names;
    for (int length = 3; length <= typeId.size(); length += 3) {
        const QString name = ValueText(
            QStringLiteral("SELECT ARCHIVE_TYPE_NAME FROM QD_ARCHIVE_TYPE_TABLE WHERE ARCHIVE_TYPE_ID = ?"),
            {typeId.left(length)});
        if (!name.isEmpty())
            names.append(name);
    }
    return names.join(QLatin1Char(' '));
}

bool TEditArchivesForm::SetScopes(TQDQuery& list, int setting, const QString& typeId, bool autoNumbering) {
    const QString top = typeId.left(3);
    const QString topCondition = TDialect::ArchiveTypeConditionBySubString(ProgramSqlType, top).trimmed();
    QString checkCondition, sequence, repeatCondition;
    switch (setting) {
        case 1:
            checkCondition = QStringLiteral(" AND ") + topCondition;
            sequence = topCondition;
            repeatCondition = checkCondition;
            break;
        case 2:
            if (typeId.isEmpty()) {
                return false;
            }
            checkCondition = QStringLiteral(" AND ARCHIVE_TYPE_ID = ") + QuotedStr(typeId);
            sequence = QStringLiteral("ARCHIVE_TYPE_ID = ") + QuotedStr(typeId);
            repeatCondition = checkCondition;
            break;
        case 3:
            repeatCondition = QStringLiteral(" AND ") + topCondition;
            break;
        default:
            break;
    }
    for (TCheckData& check : list.CheckData) {
        const QString field = check.Fields[0].FieldName;
        // The number's own check; an ask-only entry on the number column is
        // one of the repeat checks.
        if (field == QLatin1String("ARCHIVE_ID") && !check.AskOnly) {
            check.ExtraCondition = checkCondition;
        } else if (field != QLatin1String("ARCHIVE_RECORD_ID")) {
            check.ExtraCondition = repeatCondition;
        }
    }
    if (autoNumbering && setting != 3) {
        for (TInsertData& rule : list.InsertData) {
            if (rule.FieldName == QLatin1String("ARCHIVE_ID"))
                rule.Condition = sequence;
        }
    }
    return true;
}

void TEditArchivesForm::showEvent(QShowEvent* event) {
    TQDBasePopEditShowForm::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    m_card->Apply(TRecordCard::ReadDefinitions(QStringLiteral("SYS_ARCHIVE_FIELD_TABLE")), DS());
    UpdateTitle();
    if (m_start == TStart::Add) {
        Add();
    } else if (m_start == TStart::Edit) {
        EditRow();
    }
    UpdateButtons();
}

void TEditArchivesForm::UpdateTitle() {
    TQDQuery* list = DataSet();
    const QString own = list && list->Active() ? list->Text(QStringLiteral("ARCHIVE_TYPE_ID")) : QString();
    m_title->setText(TypePath(own.isEmpty() ? m_typeId : own));
}

void TEditArchivesForm::UpdateButtons() {
    const bool editing = DataSet() && DataSet()->IsEditing();
    m_typeButton->setEnabled(editing);
    // Copying adds a volume: the add right, and only while browsing.
    m_copyButton->setEnabled(!editing && Rights[AddRight]);
}

// The type's name is shown by the list when it carries it; it is not stored
// with the volume.
void TEditArchivesForm::SetType(TQDQuery& list) {
    list.SetValue(QStringLiteral("ARCHIVE_TYPE_ID"), m_typeId);
    if (list.HasField(QStringLiteral("ARCHIVE_TYPE_NAME")))
        list.SetValue(QStringLiteral("ARCHIVE_TYPE_NAME"), m_typeName);
}

void TEditArchivesForm::Add() {
    TQDQuery* list = DataSet();
    if (!list || !list->Active()) {
        return;
    }
    if (m_typeId == QLatin1String("G001")) {
        if (!m_chooser || TModalSeam::Exec(*m_chooser) != QDialog::Accepted) {
            Information(QStringLiteral("必须选择一个档案类别"), this);
            return;
        }
        m_typeId = m_chooser->SelectedTypeId();
        m_typeName = m_chooser->SelectedTypeName();
        m_title->setText(TypePath(m_typeId));
    }
    if (!SetScopes(*list, QDGlobal::CategoryNumbering, m_typeId, m_autoNumbering)) {
        Information(QStringLiteral("错误的档案类别"), this);
        return;
    }
    TQDBasePopEditShowForm::Add();
    if (list->State() != TDataSetState::Insert) {
        return;
    }
    SetType(*list);
    for (TCheckData& check : list->CheckData) {
        if (check.Fields[0].FieldName == QLatin1String("ARCHIVE_ID"))
            check.NoRegenerate = !m_autoNumbering;
    }
    if (QWidget* id = m_card->Editor(QStringLiteral("ARCHIVE_ID"), TKind::Plain))
        id->setFocus();
    UpdateTitle();
}

void TEditArchivesForm::EditRow() {
    TQDQuery* list = DataSet();
    if (!list || !list->Active() || list->IsEmpty()) {
        return;
    }
    const int setting = QDGlobal::CategoryNumbering;
    const QString own = list->Text(QStringLiteral("ARCHIVE_TYPE_ID"));
    // The checks are scoped by the edited volume's own type, whatever node
    // of the tree the register has selected (the root would match nothing).
    const QString type = own.isEmpty() ? m_typeId : own;
    if ((setting == 1 || setting == 2) && own.isEmpty()) {
        Information(QStringLiteral("错误的档案类别"), this);
        return;
    }
    SetScopes(*list, setting, type, m_autoNumbering);
    TQDBasePopEditShowForm::EditRow();
    for (TCheckData& check : list->CheckData) {
        if (check.Fields[0].FieldName == QLatin1String("ARCHIVE_ID"))
            check.NoRegenerate = true;
    }
    if (QWidget* id = m_card->Editor(QStringLiteral("ARCHIVE_ID"), TKind::Plain))
        id->setFocus();
}

void TEditArchivesForm::DeleteRow() {
    if (TQDQuery* list = DataSet())
        DeleteListedVolume(*list, this);
}

void TEditArchivesForm::SaveRow() {
    TQDQuery* list = DataSet();
    if (!list || !list->IsEditing()) {
        return;
    }
    const auto label = [](const char* column, const QString& fallback) {
        const QString name = ValueText(
            QStringLiteral("SELECT FIELD_DISPLAY_NAME FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_NAME = ?"),
            {QLatin1String(column)});
        return name.isEmpty() ? fallback : name;
    };
    if (list->Text(QStringLiteral("ARCHIVE_ID")).trimmed().isEmpty()) {
        Information(QStringLiteral("必须输入") + label("ARCHIVE_ID", QStringLiteral("档案编号")), this);
        QWidget* id = m_card->Editor(QStringLiteral("ARCHIVE_ID"), TKind::Plain);
        if (id && id->isVisible() && id->isEnabled())
            id->setFocus();
        return;
    }
    if (list->Text(QStringLiteral("ARCHIVE_NAME")).trimmed().isEmpty()) {
        Information(QStringLiteral("必须输入") + label("ARCHIVE_NAME", QStringLiteral("档案名称")), this);
        QWidget* name = m_card->Editor(QStringLiteral("ARCHIVE_NAME"), TKind::Plain);
        if (name && name->isVisible() && name->isEnabled() && name->y() < TRecordCardLayout::OutOfSight)
            name->setFocus();
        return;
    }
    TQDBasePopEditShowForm::SaveRow();
}

void TEditArchivesForm::ChooseType() {
    TQDQuery* list = DataSet();
    if (!list || !list->IsEditing() || !m_chooser || TModalSeam::Exec(*m_chooser) != QDialog::Accepted) {
        return;
    }
    m_typeId = m_chooser->SelectedTypeId();
    m_typeName = m_chooser->SelectedTypeName();
    SetType(*list);
    SetScopes(*list, QDGlobal::CategoryNumbering, m_typeId, m_autoNumbering);
    m_title->setText(TypePath(m_typeId));
}

void TEditArchivesForm::Copy() {
    TQDQuery* list = DataSet();
    if (!list || !list->Active() || list->IsEmpty() || list->IsEditing()) {
        return;
    }
    QHash<QString, QVariant> remembered;
    for (int i = 0; i < list->FieldCount(); ++i) {
        remembered.insert(list->Field(i).name, list->Value(list->Field(i).name));
    }
    const QString type = remembered.value(QStringLiteral("ARCHIVE_TYPE_ID")).toString();
    if (!type.isEmpty())
        m_typeId = type;
    Add();
    if (list->State() != TDataSetState::Insert) {
        return;
    }
    for (auto it = remembered.constBegin(); it != remembered.constEnd(); ++it) {
        if (it.key() == QLatin1String("ARCHIVE_RECORD_ID") ||
            (it.key() == QLatin1String("ARCHIVE_ID") && m_autoNumbering))
            continue;
        list->SetValue(it.key(), it.value());
    }
}
