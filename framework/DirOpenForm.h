#pragma once

#include <QDialog>
#include <QObject>
#include <memory>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The folder chooser window: a drive list (the file-system roots and the home
// folder), the folder tree from the drive down to the current folder and its
// sub-folders, and the chosen path.
class TDirOpenForm : public QDialog {
    Q_OBJECT
public:
    explicit TDirOpenForm(QWidget* parent = nullptr);

    QComboBox* DriveComboBox1() const { return m_drives; }
    QListWidget* DirectoryListBox1() const { return m_folders; }
    QLineEdit* Edit1() const { return m_path; }
    QToolButton* SpeedButton1() const { return m_up; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CloseButton() const { return m_close; }

    // Shows the folders from the drive of the path down to it.
    void OpenFolder(const QString& path);
    QString CurrentFolder() const { return m_current; }

private:
    void ShowSelected();
    void Up();
    void Confirm();

    QComboBox* m_drives;
    QToolButton* m_up;
    QListWidget* m_folders;
    QLineEdit* m_path;
    QPushButton* m_ok;
    QPushButton* m_close;
    QString m_current;
};

// The component callers use: Execute, then ChosenFolder with one trailing "/".
class TOpenDirDialog : public QObject {
    Q_OBJECT
public:
    explicit TOpenDirDialog(QObject* parent = nullptr);
    ~TOpenDirDialog() override;

    bool Language = false;
    bool DialogType = false;

    bool Execute();
    QString ChosenFolder() const;
    TDirOpenForm* Form() const { return m_form.get(); }

private:
    std::unique_ptr<TDirOpenForm> m_form;
};
