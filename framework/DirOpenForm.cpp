#include "framework/DirOpenForm.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QToolButton>

#include "data/MessageBoxes.h"
#include "framework/ModalSeam.h"
#include "framework/QDChild.h"

namespace {
constexpr int PathRole = Qt::UserRole;
}

TDirOpenForm::TDirOpenForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_drives(new QComboBox(this))
    , m_up(new QToolButton(this))
    , m_folders(new QListWidget(this))
    , m_path(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this))
    , m_close(new QPushButton(QStringLiteral("取消"), this)) {
    setObjectName(QStringLiteral("DirOpenForm"));
    setFixedSize(430, 222);
    auto* search = new QLabel(QStringLiteral("目录搜寻"), this);
    search->setBuddy(m_drives);
    search->setGeometry(8, 3, 80, 20);
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    m_drives->setGeometry(98, 3, 145, 22);
    m_up->setObjectName(QStringLiteral("SpeedButton1"));
    m_up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    m_up->setGeometry(265, 3, 26, 20);
    m_folders->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_folders->setGeometry(8, 28, 412, 138);
    auto* name = new QLabel(QStringLiteral("目录名称"), this);
    name->setBuddy(m_path);
    name->setGeometry(8, 176, 52, 20);
    m_path->setObjectName(QStringLiteral("Edit1"));
    m_path->setReadOnly(true);
    m_path->setFocusPolicy(Qt::ClickFocus);
    m_path->setGeometry(61, 174, 276, 22);
    m_ok->setObjectName(QStringLiteral("button_ok"));
    m_close->setObjectName(QStringLiteral("button_close"));
    m_ok->setGeometry(349, 172, 72, 22);
    m_close->setGeometry(349, 196, 72, 22);

    QStringList drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !drives.contains(volume.rootPath())) drives.append(volume.rootPath());
    }
    drives.sort();
    if (!drives.contains(QDir::homePath())) drives.append(QDir::homePath());
    for (const QString& drive : drives) m_drives->addItem(drive, drive);

    connect(m_drives, &QComboBox::activated, this, [this](int index) { OpenFolder(m_drives->itemData(index).toString()); });
    connect(m_folders, &QListWidget::currentRowChanged, this, &TDirOpenForm::ShowSelected);
    connect(m_folders, &QListWidget::itemClicked, this, &TDirOpenForm::ShowSelected);
    connect(m_folders, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OpenFolder(item->data(PathRole).toString()); });
    connect(m_up, &QToolButton::clicked, this, &TDirOpenForm::Up);
    connect(m_ok, &QPushButton::clicked, this, &TDirOpenForm::Confirm);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    OpenFolder(QDir::homePath());
}

void TDirOpenForm::OpenFolder(const QString& path) {
    const QString folder = QDir::cleanPath(path);
    m_current = folder;
    // The drive is the longest listed root that holds the folder.
    int drive = -1;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i).toString();
        if ((folder == root || folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'))) &&
            (drive < 0 || root.size() > m_drives->itemData(drive).toString().size())) {
            drive = i;
        }
    }
    m_drives->setCurrentIndex(drive);
    const QString root = drive >= 0 ? m_drives->itemData(drive).toString() : QStringLiteral("/");
    m_folders->clear();
    QStringList chain;
    for (QString step = folder; ; step = QFileInfo(step).path()) {
        chain.prepend(step);
        if (step == root || step == QStringLiteral("/") || QFileInfo(step).path() == step) break;
    }
    int depth = 0;
    for (const QString& step : chain) {
        const QString label = step == QStringLiteral("/") ? step : QFileInfo(step).fileName().isEmpty() ? step : QFileInfo(step).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + label, m_folders);
        item->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        item->setData(PathRole, step);
        ++depth;
    }
    const int currentRow = m_folders->count() - 1;
    const QStringList children = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + child, m_folders);
        item->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
        item->setData(PathRole, QDir(folder).filePath(child));
    }
    m_folders->setCurrentRow(currentRow);
    ShowSelected();
}

void TDirOpenForm::ShowSelected() {
    const QListWidgetItem* item = m_folders->currentItem();
    m_path->setText(item ? item->data(PathRole).toString() : QString());
}

void TDirOpenForm::Up() {
    const int row = m_folders->currentRow();
    if (row > 0) {
        m_folders->setCurrentRow(row - 1);
    }
    ShowSelected();
}

void TDirOpenForm::Confirm() {
    if (m_path->text().trimmed().isEmpty()) {
        Information(QStringLiteral("必须选择一个目录"), this);
        return;
    }
    accept();
}

TOpenDirDialog::TOpenDirDialog(QObject* parent) : QObject(parent), m_form(std::make_unique<TDirOpenForm>()) {}

TOpenDirDialog::~TOpenDirDialog() = default;

bool TOpenDirDialog::Execute() {
    m_form->setWindowTitle(DialogType ? QStringLiteral("选择要存放的目录") : QStringLiteral("选择要保存的目录"));
    QFont font = Language ? QFont(QStringLiteral("新細明體")) : QFont(QStringLiteral("宋体"));
    font.setPointSize(Language ? 11 : 9);
    m_form->setFont(font);
    return TModalSeam::Exec(*m_form) == QDialog::Accepted;
}

QString TOpenDirDialog::ChosenFolder() const {
    QString folder = m_form->Edit1()->text().trimmed();
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return folder;
}
