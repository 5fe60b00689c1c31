#pragma once

#include <QObject>
#include <QString>

// The data module: checks on creation that the database alias leads to a
// database (creating the default one on a machine that has never run the
// program), and holds the program's one connection, "QDArchivesDataBase".
class TDM : public QObject {
    Q_OBJECT
public:
    static constexpr auto DatabaseFileName = "QDArchives.db";

    explicit TDM(QObject* parent = nullptr);
    ~TDM() override;

    // Set when the alias leads nowhere; the program must end before any window.
    bool Terminated() const { return m_terminated; }

    // Opens the connection, upgrading an older database in place. Throws
    // TDatabaseError when the database cannot be opened.
    void Connect();
    bool IsConnected() const;
    // Closes the connection so that the database file can be copied or replaced.
    void Disconnect();

    // The folder the alias names, empty when there is no alias.
    static QString AliasFolder();
    static QString DefaultDatabaseFolder();
    static QString DatabaseFile(const QString& folder);
    // The database folder without its last component: where attachments live.
    static QString ProgramFolderOf(const QString& databaseFolder);

    // Sets StartDateText to today from the clock of this edition.
    static void Today();

    static QString MissingAliasMessage();
    // The database file is no longer the one that was opened (moved, deleted,
    // replaced): commits are refused and this is what the user is told.
    static QString VanishedMessage();
    // Why an existing file cannot be used as the database; empty when it can
    // be opened. Nothing is written to the file to find out.
    static QString Unusable(const QString& file);
    // What a start-up step says when the database refused it; the program
    // then ends with the file as it was.
    static QString StartFailureMessage(const QString& detail);

private:
    bool InstallDefault();

    bool m_terminated = false;
};
