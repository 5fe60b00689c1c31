#pragma once

#include <QPointer>

#include "framework/QDBasePopEditShowForm.h"

class QLabel;
class QPushButton;
class TRecordCard;
class TSelectArchivesTypeForm;

// The volume editor "档案资料录入编辑窗口": one volume of the register's list on
// the record card, with its type, numbering scope and copy.
class TEditArchivesForm : public TQDBasePopEditShowForm {
    Q_OBJECT
public:
    enum class TStart { None, Add, Edit };

    explicit TEditArchivesForm(QWidget* parent = nullptr);

    // What the register hands in.
    void Prepare(TQDQuery* list, const QString& typeId, const QString& typeName, bool autoNumbering,
                 TStart start, TSelectArchivesTypeForm* chooser);

    TRecordCard* Card() const { return m_card; }
    QLabel* Title() const { return m_title; }
    QPushButton* TypeButton() const { return m_typeButton; }
    QPushButton* CopyButton() const { return m_copyButton; }
    QString CurrentTypeId() const { return m_typeId; }

    // The names of a type and its ancestors from the top level down.
    static QString TypePath(const QString& typeId);
    // Scopes of the archive number check and sequence by the numbering setting.
    static bool SetScopes(TQDQuery& list, int setting, const QString& typeId, bool autoNumbering);

    void Add() override;
    void EditRow() override;
    void DeleteRow() override;
    void SaveRow() override;
    void ChooseType();
    void Copy();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateTitle();
    void UpdateButtons();
    void SetType(TQDQuery& list);

    TRecordCard* m_card;
    QLabel* m_title;
    QPushButton* m_typeButton;
    QPushButton* m_copyButton;
    QString m_typeId = QStringLiteral("G001");
    QString m_typeName;
    bool m_autoNumbering = false;
    TStart m_start = TStart::None;
    QPointer<TSelectArchivesTypeForm> m_chooser;
    bool m_shown = false;
};
