#include "records/ArchiveForm.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "catalogue/ArchiveTypeForm.h"
#include "catalogue/FieldDefinitions.h"
#include "catalogue/SelectArchivesTypeForm.h"
#include "catalogue/SetArchiveFieldForm.h"
#include "catalogue/SetArchivesDatePromptForm.h"
#include "data/MessageBoxes.h"
#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/FindFormDialog.h"
#include "framework/LookupValueForm.h"
#include "framework/ModalSeam.h"
#include "framework/UiHelpers.h"
#include "framework/QDDataSource.h"
#include "framework/QDFindForm.h"
#include "framework/QDNDBGrid.h"
#include "framework/QDThread.h"
#include "framework/QDTreeView.h"
#include "framework/SelectOptionForm.h"
#include "records/EditArchivesForm.h"
#include "records/VolumeCascade.h"
#include "records/VolumeMove.h"
#include "records/VolumeRegisterRules.h"

namespace {
const QString kNoList = QStringLiteral("ARCHIVE_RECORD_ID = 'ARCHIVE_RECORD_ID'");
const QString kNoListCaption = QStringLiteral("查找条件：不显示资料");
const QString kNoTypes = QStringLiteral("必须先关闭这个窗口，然后打开“档案类别录入编辑”窗口输入档案类别资料");
const QString kNoNode = QStringLiteral("必须选择一个档案类别节点");
const QString kNoVolume = QStringLiteral("没有档案记录");

// The tree reads its branches lazily, so the table says whether there are any.
bool HasTypes() {
    return ValueNumber(QStringLiteral("SELECT COUNT(ARCHIVE_TYPE_ID) FROM QD_ARCHIVE_TYPE_TABLE")) > 0;
}
}  // namespace

TArchiveForm::TArchiveForm(QWidget* parent)
    : TQDDForm(parent)
    , m_tree(new TQDTreeView(Panel1()))
    , m_grid(new TQDNDBGrid(Panel1()))
    , m_condition(new QLabel(Panel1()))
    , m_find(new TFindFormDialog(this)) {
    setObjectName(QStringLiteral("ArchiveForm"));
    setWindowTitle(QStringLiteral("档案资料录入编辑窗口"));
    ComposeName = QStringLiteral("档案管理");
    ProgramName = QStringLiteral("档案资料录入编辑管理");
    resize(1000, 600);
    // Entry happens in the volume editor.
    for (const char* name : {"button_save", "button_cancel", "button_check"})
        ToolButton(QLatin1String(name))->setVisible(false);
    // Printing comes with the reports.
    KeepPrintOff();
    QAction* batch = AddButton("button_batch", QStringLiteral("批处理F8"), Qt::Key_F8, true, true);
    QAction* move = AddButton("button_move", QStringLiteral("移动F9"), Qt::Key_F9, true, true);
    QAction* settings = AddButton("button_settings", QStringLiteral("设 置"), Qt::Key_unknown,
                                  QDGlobal::CurrentUserIsAdministrator, true);
    connect(batch, &QAction::triggered, this, &TArchiveForm::Batch);
    connect(move, &QAction::triggered, this, &TArchiveForm::Move);
    connect(settings, &QAction::triggered, this, &TArchiveForm::Settings);

    TFieldDefinitions().SeedIfEmpty();
    m_autoNumbering = IsParameterOn(QStringLiteral("档案编号"));
    TVolumeRegisterRules::Configure(*Query(), m_autoNumbering, QDGlobal::CategoryNumbering);
    m_find->SetDescriptors(Query()->FieldsData);
    m_find->Form()->SetAllDataVisible(true);
    m_find->Form()->PopupWindow = [this](QString& shown, QString& value, const QString& field) {
        LookupSearchValue(shown, value, field);
    };

    m_grid->setObjectName(QStringLiteral("QDDBGrid1"));
    m_grid->SetLayout(QStringLiteral("SYS_ARCHIVE_DBGRID_TABLE"), QStringLiteral("ArchiveForm"),
                      QDGlobal::CurrentUserId, false);
    m_grid->SetDataSource(DS());
    m_condition->setObjectName(QStringLiteral("ConditionLabel"));
    m_condition->setAlignment(Qt::AlignCenter);
    auto* right = new QVBoxLayout;
    right->addWidget(m_condition);
    right->addWidget(m_grid, 1);
    // A button is on only once its window has been handed in (SetOpener).
    auto* bottom = new QHBoxLayout;
    const QString captions[] = {QDGlobal::DetailTitle, QStringLiteral("档案电子文档"),
                                QStringLiteral("档案图片资料"), QStringLiteral("档案借阅记录")};
    for (int index = ItemsButton; index <= LendingsButton; ++index) {
        auto* button = new QPushButton(captions[index], Panel1());
        button->setEnabled(false);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, index] { OpenBottom(static_cast<TBottomButton>(index)); });
        bottom->addWidget(button);
        m_bottom.append(button);
    }
    bottom->addStretch();
    right->addLayout(bottom);
    auto* layout = new QHBoxLayout(Panel1());
    layout->addWidget(m_tree, 1);
    layout->addLayout(right, 4);

    TArchiveTypeForm::PrepareTree(*m_tree);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { NodeSelected(node); });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (TreeReady())
            OpenEditor(static_cast<int>(TEditArchivesForm::TStart::None));
    });
    connect(Query(), &TQDQuery::StateChanged, this, &TArchiveForm::UpdateButtons);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &TArchiveForm::OrderByColumn);
}

void TArchiveForm::OrderByColumn(int column) {
    TQDQuery* list = Query();
    if (!list->Active() || list->IsEditing() || column < 0 || column >= list->FieldCount()) {
        return;
    }
    // Clicking the same header again reverses the order.
    const QString field = list->Field(column).name;
    const QString ascending = QStringLiteral(" ORDER BY ") + field;
    const bool descending = m_order == ascending;
    m_order = descending ? ascending + QStringLiteral(" DESC") : ascending;
    QString label = field;
    for (const TFieldsData& data : list->FieldsData) {
        if (data.FieldName.compare(field, Qt::CaseInsensitive) == 0 && !data.DisplayLabel.isEmpty()) label = data.DisplayLabel;
    }
    m_orderCaption = QStringLiteral("排序：") + label + (descending ? QStringLiteral("（从大到小）") : QStringLiteral("（从小到大）"));
    BuildList(true);
    m_grid->horizontalHeader()->setSortIndicatorShown(true);
    m_grid->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

TArchiveForm::~TArchiveForm() = default;

TSelectArchivesTypeForm* TArchiveForm::TypeChooser() {
    if (!m_chooser)
        m_chooser = new TSelectArchivesTypeForm(this);
    return m_chooser;
}

void TArchiveForm::SetPreset(const QString& condition, const QString& caption) {
    m_search = condition;
    m_caption = caption;
    m_hasPreset = true;
}

void TArchiveForm::showEvent(QShowEvent* event) {
    TQDDForm::showEvent(event);
    if (m_opened) {
        return;
    }
    m_opened = true;
    // The register takes the main window's working area, less a margin.
    if (QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (QMdiArea* area = frame->mdiArea()) {
            frame->resize(area->viewport()->size() - QSize(10, 35));
        }
    }
    if (!m_hasPreset) {
        const bool noTypes = !HasTypes();
        if (noTypes || !m_find->Execute()) {
            m_search = kNoList;
            m_caption = kNoListCaption;
        } else if (m_find->AllData()) {
            m_search.clear();
            m_caption = QStringLiteral("查找条件：") + m_find->DisplayText();
        } else {
            m_search = m_find->Condition();
            m_caption = QStringLiteral("查找条件：") + m_find->DisplayText();
        }
    }
    BuildList(true);
    UpdateButtons();
}

void TArchiveForm::NodeSelected(QTreeWidgetItem* node) {
    m_typeId = node ? TQDTreeView::KeyOf(node) : QStringLiteral("G001");
    m_typeName = node && node != m_tree->Root() ? TQDTreeView::TextOf(node) : QString();
    if (m_opened && !Query()->IsEditing())
        BuildList();
}

void TArchiveForm::ChooseOrder() {
    if (!m_order.isEmpty()) {
        return;
    }
    const auto candidates = TVolumeRegisterRules::SortCandidates().mid(0, 12);
    if (!candidates.isEmpty()) {
        QStringList captions;
        for (const auto& candidate : candidates)
            captions.append(QStringLiteral("按") + candidate.first + QStringLiteral("排序"));
        TSelectOptionForm chooser(QStringLiteral("排序方式选择"), captions, this);
        chooser.UseSortSizes(captions.size());
        chooser.SetSelected(1);
        if (TModalSeam::Exec(chooser) == QDialog::Accepted && chooser.Selected() > 0) {
            m_order = QStringLiteral(" ORDER BY ") + candidates.at(chooser.Selected() - 1).second;
        }
    }
    if (m_order.isEmpty())
        m_order = QStringLiteral(" ORDER BY ARCHIVE_ID");
}

void TArchiveForm::BuildList(bool force) {
    TQDQuery* list = Query();
    if (!force && m_listed && list->Active() && m_typeId == m_lastListed) {
        return;
    }
    ChooseOrder();
    const TWaitCursor waiting;
    const bool selected = m_tree->currentItem() != nullptr;
    const QString previous = list->Sql();
    const bool wasOpen = list->Active();
    list->Close();
    list->SetSql(VolumeListStatement(m_typeId, selected, m_search, m_order));
    if (!list->Open()) {
        // The query has said why; the list stays as it was.
        list->SetSql(previous);
        if (wasOpen)
            list->Open();
        return;
    }
    m_lastListed = m_typeId;
    m_listed = true;
    m_condition->setText(m_orderCaption.isEmpty() ? m_caption : m_caption + QStringLiteral("    ") + m_orderCaption);
    m_grid->ApplyDescriptors(list->FieldsData);
    DS()->StateChanged();
    RefreshFooters();
}

bool TArchiveForm::TreeReady() {
    if (!HasTypes()) {
        Information(kNoTypes, this);
        return false;
    }
    if (!m_tree->currentItem()) {
        Information(kNoNode, this);
        return false;
    }
    return true;
}

void TArchiveForm::OpenEditor(int start) {
    TEditArchivesForm editor(this);
    editor.Prepare(Query(), m_typeId, m_typeName, m_autoNumbering,
                   static_cast<TEditArchivesForm::TStart>(start), TypeChooser());
    TModalSeam::Exec(editor);
    RefreshFooters();
}

void TArchiveForm::Add() {
    if (TreeReady())
        OpenEditor(static_cast<int>(TEditArchivesForm::TStart::Add));
}

void TArchiveForm::EditRow() {
    if (!TreeReady()) {
        return;
    }
    if (!Query()->Active() || Query()->IsEmpty()) {
        Information(QStringLiteral("没有档案资料"), this);
        return;
    }
    OpenEditor(static_cast<int>(TEditArchivesForm::TStart::Edit));
}

void TArchiveForm::DeleteRow() {
    DeleteListedVolume(*Query(), this);
    RefreshFooters();
}

void TArchiveForm::Find() {
    if (!m_find->Execute()) {
        return;
    }
    m_search = m_find->AllData() ? QString() : m_find->Condition();
    m_caption = QStringLiteral("查找条件：") + m_find->DisplayText();
    m_lastListed.clear();
    m_order.clear();
    m_orderCaption.clear();
    BuildList(true);
}

int TArchiveForm::ChooseOperation(const QStringList& operations) {
    TSelectOptionForm choice(QStringLiteral("操作选择"), operations, this);
    choice.SetSelected(1);
    return TModalSeam::Exec(choice) == QDialog::Accepted ? choice.Selected() : 0;
}

void TArchiveForm::Batch() {
    if (!Query()->Active() || Query()->IsEmpty()) {
        Information(kNoVolume, this);
        return;
    }
    const int chosen = ChooseOperation({QStringLiteral("批量移动"), QStringLiteral("批量删除")});
    if (chosen == 1) {
        BatchMove();
    } else if (chosen == 2) {
        BatchDelete();
    }
}

QStringList TArchiveForm::ListedIds() {
    TQDQuery* list = Query();
    QStringList ids;
    const int key = list->FieldIndex(QStringLiteral("ARCHIVE_RECORD_ID"));
    for (int row = 0; row < list->RecordCount(); ++row)
        ids.append(list->RowValue(row, key).toString());
    return ids;
}

bool TArchiveForm::BatchMove() {
    TSelectArchivesTypeForm* chooser = TypeChooser();
    if (TModalSeam::Exec(*chooser) != QDialog::Accepted || chooser->SelectedTypeId().isEmpty()) {
        return false;
    }
    const QStringList ids = ListedIds();
    TQDThread progress(this);
    progress.SetCaption(QStringLiteral("正在移动....."));
    progress.SetProgressBars(true);
    progress.Start();
    progress.SetMaximum(ids.size());
    const bool moved = MoveVolumes(ids, chooser->SelectedTypeId(), QDGlobal::CurrentUserName,
                                   QDGlobal::StartDateText, [&](int done) {
                                       progress.SetPosition(done);
                                       return true;
                                   });
    progress.Stop();
    if (!moved)
        Error(QStringLiteral("档案移动过程发生错误"), this);
    BuildList(true);
    return moved;
}

bool TArchiveForm::BatchDelete() {
    if (!Question(QStringLiteral("档案删除时，档案的电子文件和借阅记录也同时被删除，是否开始删除"), this)) {
        return false;
    }
    const QStringList ids = ListedIds();
    TQDThread progress(this);
    progress.SetCaption(QStringLiteral("正在删除....."));
    progress.SetProgressBars(true);
    progress.Start();
    progress.SetMaximum(ids.size());
    bool done = true;
    for (int i = 0; i < ids.size(); ++i) {
        // Each volume goes whole with its cascade; a failure stops the batch
        // and keeps that volume and everything after it.
        TVolumeCascade cascade(ids.at(i), QDGlobal::DetailTitle, QDGlobal::ProgramFolder);
        if (!cascade.Run() || !cascade.DeleteVolume() || !cascade.Commit()) {
            Error(cascade.Message().isEmpty() ? QStringLiteral("该档案记录删除过程发生错误")
                                              : cascade.Message(),
                  this);
            done = false;
            break;
        }
        progress.SetPosition(i + 1);
    }
    progress.Stop();
    BuildList(true);
    return done;
}

void TArchiveForm::Move() {
    TQDQuery* list = Query();
    if (!list->Active() || list->IsEmpty()) {
        Information(kNoVolume, this);
        return;
    }
    TSelectArchivesTypeForm* chooser = TypeChooser();
    if (TModalSeam::Exec(*chooser) != QDialog::Accepted || chooser->SelectedTypeId().isEmpty()) {
        return;
    }
    if (!list->Edit()) {
        return;
    }
    list->SetValue(QStringLiteral("ARCHIVE_TYPE_ID"), chooser->SelectedTypeId());
    list->SetValue(QStringLiteral("ARCHIVE_TYPE_NAME"), chooser->SelectedTypeName());
    if (!list->Save())
        list->Cancel();
}

void TArchiveForm::Settings() {
    const int chosen = ChooseOperation({QStringLiteral("设置档案字段"), QStringLiteral("设置档案提醒字段")});
    if (chosen == 2) {
        TSetArchivesDatePromptForm::Run(this);
        return;
    }
    if (chosen != 1) {
        return;
    }
    if (!QDGlobal::CurrentUserIsAdministrator) {
        Information(QStringLiteral("只有系统管理员才能设置"), this);
        return;
    }
    if (!m_tree->currentItem()) {
        Information(kNoNode, this);
        return;
    }
    TSetArchiveFieldForm fields(false, this);
    TModalSeam::Exec(fields);
    if (fields.Changed())
        FieldsChanged();
}

void TArchiveForm::FieldsChanged() {
    TVolumeRegisterRules::Configure(*Query(), m_autoNumbering, QDGlobal::CategoryNumbering);
    m_find->SetDescriptors(Query()->FieldsData);
    // Every user's stored widths hide columns they never saw: start afresh.
    m_grid->Layout().ResetForAllUsers();
    BuildList(true);
}

void TArchiveForm::LookupSearchValue(QString& shown, QString& value, const QString& field) {
    if (TLookupValueForm::ValueTable(field).isEmpty()) {
        return;
    }
    QString label = field;
    for (const TFieldsData& column : Query()->FieldsData)
        if (column.FieldName == field)
            label = column.DisplayLabel;
    QString chosen;
    if (LookupValue(field, shown, label, &chosen, m_find->Form())) {
        shown = chosen;
        value = chosen;
    }
}

void TArchiveForm::SetOpener(TBottomButton button, TOpener open) {
    m_openers[button] = std::move(open);
    UpdateButtons();
}

void TArchiveForm::OpenBottom(TBottomButton button) {
    if (!m_openers[button] || m_windows[button]) {
        return;
    }
    TQDQuery* list = Query();
    if (!list->Active() || list->IsEmpty()) {
        const QString refusals[] = {QStringLiteral("没有档案记录不能有档案的") + QDGlobal::DetailTitle,
                                    QStringLiteral("没有档案资料,不能有档案电子文档"),
                                    QStringLiteral("没有档案资料,不能有档案图片资料"),
                                    QStringLiteral("没有档案资料,不能有档案借阅记录")};
        Information(refusals[button], this);
        return;
    }
    QWidget* window = m_openers[button](list->Text(QStringLiteral("ARCHIVE_RECORD_ID")));
    if (!window) {
        return;
    }
    m_windows[button] = window;
    m_bottom[button]->setEnabled(false);
    connect(window, &QObject::destroyed, this, [this, button] {
        m_windows[button] = nullptr;
        UpdateButtons();
    });
}

void TArchiveForm::UpdateButtons() {
    // As the list's data source switches "增加F5" (it may do so after us).
    const bool canAdd = !Query()->IsEditing() && DS()->RightAdd;
    ToolButton(QStringLiteral("button_batch"))->setEnabled(canAdd);
    ToolButton(QStringLiteral("button_move"))->setEnabled(canAdd);
    if (Query()->IsEditing()) {
        return;
    }
    // Pictures and lendings need the currency right besides.
    for (int index = ItemsButton; index <= LendingsButton; ++index) {
        const bool right = index == ItemsButton || index == FilesButton || Rights[CurrencyRight];
        m_bottom[index]->setEnabled(m_openers[index] && !m_windows[index] && right);
    }
}
