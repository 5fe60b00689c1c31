#include "app/MainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QFileInfo>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "admin/CompanyForm.h"
#include "app/EnrolForm.h"
#include "app/QDMain.h"
#include "catalogue/ArchiveTypeForm.h"
#include "catalogue/SetAutoIDForm.h"
#include "data/Clock.h"
#include "data/DM.h"
#include "data/MessageBoxes.h"
#include "data/Parameters.h"
#include "data/ProgramNames.h"
#include "data/QDFun.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/Settings.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDChild.h"
#include "framework/SelectOptionForm.h"
#include "framework/Shell.h"
#include "framework/UiHelpers.h"
#include "records/ArchiveForm.h"
#include "records/DateReminder.h"

namespace {

// One function icon: a picture with its caption under it.
class TFunctionIcon : public QWidget {
public:
    TFunctionIcon(const QString& caption, QStyle::StandardPixmap picture, QWidget* parent) : QWidget(parent) {
        setToolTip(QStringLiteral("用鼠标左键双击图标"));
        setAccessibleName(caption);
        auto* image = new QLabel(this);
        const QPixmap pixmap = style()->standardIcon(picture).pixmap(48, 48);
        image->setPixmap(pixmap.width() < 48
                             ? pixmap.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                             : pixmap);
        image->setAlignment(Qt::AlignCenter);
        auto* text = new QLabel(caption, this);
        QFont font(QStringLiteral("隶书"));
        font.setPixelSize(16);
        text->setFont(font);
        text->setAlignment(Qt::AlignCenter);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(image);
        layout->addWidget(text);
        setFixedSize(200, 96);
    }
    std::function<void()> onDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && onDoubleClick) {
            onDoubleClick();
        }
    }
};

// An arrow between icons.
class TArrow : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 110, 190));
        const qreal h = height(), w = width();
        QPainterPath arrow;
        arrow.moveTo(0, h * 0.35);
        arrow.lineTo(w * 0.65, h * 0.35);
        arrow.lineTo(w * 0.65, h * 0.1);
        arrow.lineTo(w, h * 0.5);
        arrow.lineTo(w * 0.65, h * 0.9);
        arrow.lineTo(w * 0.65, h * 0.65);
        arrow.lineTo(0, h * 0.65);
        arrow.closeSubpath();
        painter.drawPath(arrow);
    }
};

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent), m_main(new TQDMain(this)), m_area(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MainForm"));
    m_area->setObjectName(QStringLiteral("ChildArea"));
    setCentralWidget(m_area);

    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    setGeometry(screen);
    QDGlobal::TempFolder = QDFun::TempFolder();

    m_main->DataBaseName = QLatin1String(DatabaseConnectionName);
    BuildMenus();
    BuildToolBar();
    BuildIconPanel();

    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setAlignment(Qt::AlignCenter);
    }
    m_panels[0]->setMinimumWidth(screen.width() * 3 / 5);
    m_panels[0]->setText(QStringLiteral("QD档案管理系统 单机版"));
    statusBar()->addWidget(m_panels[0]);
    statusBar()->addWidget(m_panels[1], 1);
    TDM::Today();
    m_panels[1]->setText(TClock::Today().toString(QStringLiteral("yyyy'年'MM'月'dd'日'")));

    m_main->MainMenu = menuBar();
    m_started = m_main->Start();
    // Scratch files an interrupted run left beside the database folder; a
    // second copy leaves them to the first, which may still be using them.
    if (m_started) {
        QDFun::DeleteTableFiles(QDGlobal::ProgramFolder);
    }
    UpdateCaption();
    LoadValues();
    m_panelColor = ColorFromWindows(DesignPanelColor);
    const QString color = ReadIntegerSetting(QLatin1String(SettingNames::Color));
    if (!color.isEmpty()) {
        m_panelColor = ColorFromWindows(color.toUInt());
    }
    m_picture = m_main->PicturePath();
    ApplyBackground();
}

QLabel* TMainForm::StatusPanel(int index) const {
    return index >= 0 && index < 2 ? m_panels[index] : nullptr;
}

QAction* TMainForm::Item(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

QString TMainForm::RefusalMessage(const QString& function) {
    return QStringLiteral("您没有在程序") + QLatin1Char('"') + function + QLatin1Char('"') +
           QStringLiteral("中的权限");
}

void TMainForm::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption, bool enabled, int tag = 0) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
        action->setProperty("Tag", tag);
        return action;
    };
    QMenu* archives = menuBar()->addMenu(ProgramNames::GroupArchives);
    archives->setObjectName(QStringLiteral("ArchivesMenu"));
    // Windows built by later work stay disabled until they exist.
    QAction* types = add(archives, "ArchiveTypeItem", ProgramNames::ArchiveTypes, true);
    QAction* register_ = add(archives, "ArchiveItem", ProgramNames::Archives, true, 100);
    add(archives, "DetailQueryItem", QDGlobal::DetailTitle + ProgramNames::ItemQuerySuffix, false);
    add(archives, "LendQueryItem", ProgramNames::LendingQuery, false);
    add(archives, "ImportItem", ProgramNames::Import, false);
    QAction* company = add(archives, "CompanyItem", ProgramNames::Company, true);

    QMenu* system = menuBar()->addMenu(ProgramNames::GroupSystem);
    system->setObjectName(QStringLiteral("SystemMenu"));
    add(system, "UserItem", QStringLiteral("用户管理"), false);
    add(system, "PasswordItem", QStringLiteral("用户口令修改"), false);
    add(system, "BackupItem", ProgramNames::Backup, false);
    add(system, "RestoreItem", QStringLiteral("数据恢复管理"), false);
    add(system, "DeleteDataItem", ProgramNames::OldDataDeletion, false);
    add(system, "RebuildItem", QStringLiteral("数据修复管理"), false);
    QAction* ime = add(system, "ImeItem", QStringLiteral("设置输入法"), true);
    QAction* picture = add(system, "PictureItem", QStringLiteral("改变主窗口图像"), true);
    QAction* color = add(system, "ColorItem", QStringLiteral("改变主窗口颜色"), true);
    for (QAction* hidden : {ime, picture, color}) {
        hidden->setVisible(false);
    }
    QAction* numbering = add(system, "AutoIdItem", QStringLiteral("编号方式设置修改"), true, 300);
    system->addSeparator();
    QAction* exit = add(system, "ExitItem", QStringLiteral("退出[T]"), true);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助[F1]"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    QAction* manual = add(help, "HelpItem", QStringLiteral("帮助"), true);
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    QAction* about = add(help, "AboutItem", QStringLiteral("关于"), true);

    QMenu* open = menuBar()->addMenu(QStringLiteral(" "));
    open->setObjectName(QStringLiteral("OpenWindowsMenu"));
    open->menuAction()->setVisible(false);

    connect(types, &QAction::triggered, this, [this, types] {
        OpenFunction(
            QStringLiteral("ArchiveTypeForm"), ProgramNames::GroupArchives, ProgramNames::ArchiveTypes,
            [] { return new TArchiveTypeForm; }, types->text());
    });
    connect(register_, &QAction::triggered, this, [this, register_] {
        OpenFunction(
            QStringLiteral("ArchiveForm"), ProgramNames::GroupArchives, ProgramNames::Archives,
            [this] { return NewArchiveForm(); }, register_->text());
    });
    connect(company, &QAction::triggered, this, [this, company] {
        OpenFunction(
            QStringLiteral("CompanyForm"), ProgramNames::GroupArchives, ProgramNames::Company,
            [this] {
                auto* form = new TCompanyForm;
                connect(form, &TCompanyForm::CompanyRenamed, this, [this] { UpdateCaption(); });
                return form;
            },
            company->text());
    });
    connect(numbering, &QAction::triggered, this, &TMainForm::ChangeNumbering);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(ime, &QAction::triggered, this, &TMainForm::ChooseInputMethod);
    connect(picture, &QAction::triggered, this, &TMainForm::ChangePicture);
    connect(color, &QAction::triggered, this, &TMainForm::ChangeColor);
    connect(manual, &QAction::triggered, this, &TMainForm::ShowHelp);
    connect(about, &QAction::triggered, this, &TMainForm::ShowAbout);
}

void TMainForm::BuildToolBar() {
    m_toolBar = addToolBar(QStringLiteral("ToolBar1"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(28, 28));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Button {
        const char* name;
        QString caption;
        QStyle::StandardPixmap icon;
        const char* item;
    };
    const Button buttons[] = {
        {"ArchiveButton", QStringLiteral("档案管理"), QStyle::SP_DirIcon, "ArchiveItem"},
        {"DetailQueryButton", QDGlobal::DetailTitle + ProgramNames::ItemQuerySuffix,
         QStyle::SP_FileDialogContentsView, "DetailQueryItem"},
        {"LendQueryButton", ProgramNames::LendingQuery, QStyle::SP_FileDialogDetailedView, "LendQueryItem"},
        {"BackupButton", QStringLiteral("数据备份"), QStyle::SP_DriveHDIcon, "BackupItem"},
        {"ExitButton", QStringLiteral("退出系统"), QStyle::SP_DialogCloseButton, "ExitItem"},
    };
    for (const Button& button : buttons) {
        QAction* item = Item(QLatin1String(button.item));
        QAction* action = m_toolBar->addAction(style()->standardIcon(button.icon), button.caption);
        action->setObjectName(QLatin1String(button.name));
        action->setToolTip(button.caption);
        action->setEnabled(item->isEnabled());
        connect(item, &QAction::changed, action, [action, item] { action->setEnabled(item->isEnabled()); });
        connect(action, &QAction::triggered, item, &QAction::trigger);
        // The buttons take the width of their captions, so none is cut short.
        if (auto* widget = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action))) {
            widget->setMinimumSize(62, 37);
        }
    }
}

void TMainForm::BuildIconPanel() {
    m_iconPanel = new QWidget(m_area->viewport());
    m_iconPanel->setObjectName(QStringLiteral("MainPanel"));
    m_iconPanel->setAutoFillBackground(true);
    QPalette palette = m_iconPanel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_iconPanel->setPalette(palette);
    m_iconPanel->setFixedSize(800, 580);
    struct Icon {
        QString caption;
        QStyle::StandardPixmap picture;
        const char* item;
        QPoint place;
    };
    const Icon icons[] = {
        {ProgramNames::ArchiveTypes, QStyle::SP_DirOpenIcon, "ArchiveTypeItem", {60, 120}},
        {ProgramNames::Archives, QStyle::SP_DirIcon, "ArchiveItem", {300, 120}},
        {QDGlobal::DetailTitle + ProgramNames::ItemQuerySuffix,
         QStyle::SP_FileDialogContentsView,
         "DetailQueryItem",
         {540, 120}},
        {ProgramNames::Import, QStyle::SP_FileIcon, "ImportItem", {180, 340}},
        {ProgramNames::LendingQuery, QStyle::SP_FileDialogDetailedView, "LendQueryItem", {420, 340}},
    };
    int n = 0;
    for (const Icon& icon : icons) {
        auto* widget = new TFunctionIcon(icon.caption, icon.picture, m_iconPanel);
        widget->setObjectName(QStringLiteral("Icon%1").arg(++n));
        widget->move(icon.place);
        QAction* item = Item(QLatin1String(icon.item));
        widget->onDoubleClick = [this, item] { IconDoubleClicked(item); };
    }
    for (const QPoint& place : {QPoint(262, 150), QPoint(502, 150)}) {
        auto* arrow = new TArrow(m_iconPanel);
        arrow->setGeometry(QRect(place, QSize(36, 30)));
    }
    m_iconPanel->lower();
}

void TMainForm::IconDoubleClicked(QAction* item) {
    if (item && item->isEnabled()) {
        item->trigger();
    } else {
        Information(QStringLiteral("请先关闭打开的其它窗口"), this);
    }
}

void TMainForm::LayoutIconPanel() {
    if (!m_iconPanel) {
        return;
    }
    const QSize area = m_area->viewport()->size();
    const QRect icons(0, 20, std::max(0, area.width() - 20), std::max(0, area.height() - 40));
    m_iconPanel->move(icons.center() - QPoint(m_iconPanel->width() / 2, m_iconPanel->height() / 2));
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutIconPanel();
    ApplyBackground();
}

void TMainForm::ApplyBackground() {
    if (!m_picture.isEmpty()) {
        const QPixmap picture(m_picture);
        if (!picture.isNull()) {
            m_area->setBackground(QBrush(
                picture.scaled(m_area->viewport()->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
            return;
        }
    }
    m_area->setBackground(m_panelColor);
}

void TMainForm::UpdateCaption() {
    QDGlobal::CurrentCompanyName = ValueText(QStringLiteral("SELECT COMPANY_NAME FROM  SYS_COMPANY_TABLE "));
    setWindowTitle(QDGlobal::CurrentCompanyName + QStringLiteral("档案管理系统"));
    // Beside the date: who is signed on, so a shared workstation shows whose
    // name goes into the records.
    QString status = TClock::Today().toString(QStringLiteral("yyyy'年'MM'月'dd'日'"));
    if (!QDGlobal::CurrentUserName.isEmpty()) {
        status += QStringLiteral("    操作员：") + QDGlobal::CurrentUserName;
    }
    m_panels[1]->setText(status);
}

void TMainForm::LoadValues() {
    QString title = ValueText(
        QStringLiteral("SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1 And PROGRAM_ID = 3"));
    if (const qsizetype cut = title.indexOf(ProgramNames::ItemQuerySuffix); cut >= 0) {
        title = title.left(cut);
    }
    QDGlobal::DetailTitle = title.isEmpty() ? ProgramNames::DefaultDetailTitle : title;
    const QString reminder = ParameterValue(QStringLiteral("提醒字段"));
    QDGlobal::ReminderField = reminder == QStringLiteral("否") ? QString() : reminder;
    QDGlobal::ReminderDays =
        static_cast<int>(std::lround(ParseNumber(ParameterValue(QStringLiteral("提醒天数")))));
    QDGlobal::CategoryNumbering =
        static_cast<int>(std::lround(ParseNumber(ParameterValue(TSetAutoIDForm::CategoryNumberingName))));
    const QString itemQuery = QDGlobal::DetailTitle + ProgramNames::ItemQuerySuffix;
    if (QAction* item = Item(QStringLiteral("DetailQueryItem")))
        item->setText(itemQuery);
    if (QAction* button = Item(QStringLiteral("DetailQueryButton"))) {
        button->setText(itemQuery);
        button->setToolTip(itemQuery);
    }
}

bool TMainForm::OpenFunction(const QString& name, const QString& group, const QString& function,
                             const std::function<QWidget*()>& create, const QString& caption) {
    if (m_main->IsOpen(name)) {
        return true;
    }
    if (!m_main->CanBrowse(group, function, QDGlobal::CurrentUserId)) {
        Information(RefusalMessage(function), this);
        return false;
    }
    QWidget* form = create();
    if (!form) {
        return false;
    }
    form->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* frame = m_area->addSubWindow(form);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    QWidget* identifier = form;
    if (auto* child = form->findChild<TQDChild*>(QString(), Qt::FindDirectChildrenOnly)) {
        connect(child, &TQDChild::Shown, m_main, &TQDMain::ChildShown);
        connect(child, &TQDChild::Hidden, m_main, &TQDMain::ChildHidden);
        connect(child, &TQDChild::Closed, m_main, &TQDMain::ChildClosed);
        identifier = child->ShowChild();
    } else {
        frame->show();
        connect(form, &QObject::destroyed, m_main, [this, form] { m_main->ChildClosed(form); });
    }
    m_main->Register(
        name, identifier,
        [this, name, group, function, create, caption] {
            OpenFunction(name, group, function, create, caption);
        },
        caption);
    return true;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_firstShown) {
        return;
    }
    m_firstShown = true;
    setWindowTitle(QDGlobal::CurrentCompanyName + QStringLiteral("档案管理系统"));
    LayoutIconPanel();
    RunDateReminder();
}

TArchiveForm* TMainForm::NewArchiveForm() {
    auto* form = new TArchiveForm;
    // While the register is open its own entry and the numbering settings are off.
    form->LockMenu = menuBar();
    form->LockToolBar = m_toolBar;
    return form;
}

bool TMainForm::RunDateReminder() {
    if (QDGlobal::ReminderField.isEmpty() ||
        !m_main->CanBrowse(ProgramNames::GroupArchives, ProgramNames::Archives, QDGlobal::CurrentUserId)) {
        return false;
    }
    TDM::Today();
    const TDateReminder reminder =
        TDateReminder::Check(QDGlobal::ReminderField, QDGlobal::ReminderDays, TClock::Today());
    if (reminder.Count == 0 || !Question(reminder.Question(), this)) {
        return false;
    }
    return OpenFunction(
        QStringLiteral("ArchiveForm"), ProgramNames::GroupArchives, ProgramNames::Archives,
        [this, reminder] {
            TArchiveForm* form = NewArchiveForm();
            form->SetPreset(reminder.Condition, reminder.Description);
            return form;
        },
        Item(QStringLiteral("ArchiveItem"))->text());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        for (TQDQuery* query : findChildren<TQDQuery*>()) {
            query->Close();
        }
    }
}

void TMainForm::ChangeNumbering() {
    if (!QDGlobal::CurrentUserIsAdministrator) {
        Information(QStringLiteral("只有系统管理员才能有设置修改编号方式的权限"), this);
        return;
    }
    if (m_main->OpenCount() > 0) {
        Information(QStringLiteral("请先关闭其它的窗口"), this);
        return;
    }
    TSetAutoIDForm form(this);
    TModalSeam::Exec(form);
}

void TMainForm::ChooseInputMethod() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("输入法选择窗口"));
    auto* label = new QLabel(QStringLiteral("输入法"), &dialog);
    auto* methods = new QComboBox(&dialog);
    methods->setObjectName(QStringLiteral("ImeBox"));
    label->setBuddy(methods);
    // The platform's input method is the one installed; the empty entry
    // follows whatever the system switches to.
    methods->addItem(QString());
    const QString platform = QString::fromLocal8Bit(qgetenv("QT_IM_MODULE"));
    if (!platform.isEmpty()) {
        methods->addItem(platform);
    }
    if (!QDGlobal::CurrentImeName.isEmpty() && methods->findText(QDGlobal::CurrentImeName) < 0) {
        methods->addItem(QDGlobal::CurrentImeName);
    }
    methods->setCurrentText(QDGlobal::CurrentImeName);
    auto* ok = new QPushButton(QStringLiteral("确定"), &dialog);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QHBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(methods);
    layout->addWidget(ok);
    if (TModalSeam::Exec(dialog) == QDialog::Accepted) {
        QDGlobal::CurrentImeName = methods->currentText();
        WriteSetting(QLatin1String(SettingNames::Imes), QDGlobal::CurrentImeName);
    }
}

void TMainForm::ChangePicture() {
    const int choice =
        SelectOption(QStringLiteral("操作选择窗口"),
                     {QStringLiteral("设置新的窗口背景图像"), QStringLiteral("清除窗口背景图像")}, 0, this);
    if (choice == 2) {
        m_main->ClearPicture();
        m_picture.clear();
    } else if (choice == 1) {
        const QString file = m_main->ChoosePicture();
        if (file.isEmpty()) {
            return;
        }
        m_picture = file;
    }
    ApplyBackground();
}

void TMainForm::ChangeColor() {
    QColorDialog dialog(m_panelColor, this);
    if (TModalSeam::Exec(dialog) != QDialog::Accepted) {
        return;
    }
    Information(QStringLiteral("如果有主窗口图像，只有在") + QLatin1Char('"') +
                    QStringLiteral("改变主窗口图像") + QLatin1Char('"') +
                    QStringLiteral("菜单里清除窗口背景图像，才能看到主窗口颜色"),
                this);
    m_panelColor = dialog.selectedColor();
    const unsigned value = static_cast<unsigned>(m_panelColor.red()) |
                           (static_cast<unsigned>(m_panelColor.green()) << 8) |
                           (static_cast<unsigned>(m_panelColor.blue()) << 16);
    WriteSetting(QLatin1String(SettingNames::Color), QString::number(value));
    ApplyBackground();
}

void TMainForm::ShowAbout() {
    QDialog about(this);
    about.setWindowTitle(QStringLiteral("关于"));
    auto* layout = new QVBoxLayout(&about);
    auto* title = new QLabel(QStringLiteral("档案管理系统"), &about);
    QFont font = title->font();
    font.setPixelSize(22);
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);
    layout->addWidget(
        new QLabel(QStringLiteral("单机版  版本 %1").arg(QStringLiteral(QDARCHIVES_VERSION)), &about));
    layout->addWidget(new QLabel(QStringLiteral("数据库: ") + QDGlobal::DatabaseFolder, &about));
    auto* ok = new QPushButton(QStringLiteral("确定"), &about);
    connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    TModalSeam::Exec(about);
}

void TMainForm::ShowHelp() {
    const QString manual = TEnrolForm::ManualPath();
    if (!QFileInfo::exists(manual)) {
        Information(QStringLiteral("没有找到帮助文件: ") + manual, this);
        return;
    }
    if (TShell::OpenDocument(manual)) {
        return;
    }
    if (!m_manual) {
        auto* window = new QDialog(this, Qt::Window);
        window->setObjectName(QStringLiteral("ManualForm"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("ManualBrowser"));
        browser->setOpenLinks(true);
        browser->setSource(QUrl::fromLocalFile(manual));
        window->setWindowTitle(browser->documentTitle());
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window->resize(900, 700);
        m_manual = window;
    }
    m_manual->show();
    m_manual->raise();
    m_manual->activateWindow();
}
