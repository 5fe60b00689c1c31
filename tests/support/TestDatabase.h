#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class TDM;

// A database of its own for one test: a fresh folder, the alias pointing at it,
// the schema and delivered rows created by the installer, and the program's
// connection open on it.
class TTestDatabase {
public:
    TTestDatabase();
    ~TTestDatabase();

    bool IsReady() const { return m_ready; }
    QString Folder() const;
    QString Root() const { return m_root.path(); }
    TDM* DataModule() const { return m_dm.get(); }

private:
    QTemporaryDir m_root;
    std::unique_ptr<TDM> m_dm;
    bool m_ready = false;
};

// Points the alias at a folder without creating anything.
void SetAliasFolder(const QString& folder);
void RemoveAlias();
