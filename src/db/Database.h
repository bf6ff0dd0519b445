#pragma once
// The one connection to the encrypted database file that every screen uses.
#include "db/Errors.h"
#include "db/JetSql.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

enum class ColumnKind { Text, Number, Bool, Date, Other };

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The program-wide connection.
    static Database& shared();
    // The file password of the program's database.
    static QString fileKey() { return QStringLiteral("qz5"); }

    // Opens (and, when missing, creates) the file with the given key. Throws DbError
    // when the file cannot be opened or read with that key; the connection stays closed.
    void open(const QString& fileName, const QString& key = fileKey());
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString fileName() const { return m_fileName; }

    // Executes Jet SQL text without a result set. Throws DbError; a refused statement
    // writes nothing.
    void exec(const QString& jetSql);
    // Rows changed by the last exec().
    int changes() const;
    // The first value of a query's first row, for a figure that needs no result set: a
    // number as double, a text as QString, null when there is no row or the value is null.
    // Throws DbError.
    QVariant firstValue(const QString& jetSql);

    // The user tables, as named when created.
    QStringList tableNames();
    bool hasTable(const QString& name); // without regard to case

    // Transactions on the connection. Prefer Transaction below.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const;

    // For the result sets: the SQLite text of a Jet statement, a prepared statement
    // (throws DbError), and the kind of a declared column type.
    QString translate(const QString& jetSql);
    sqlite3_stmt* prepare(const QString& sqliteText);
    // A select to step and give back with release(): compiled once for all texts that
    // differ only in the literals they compare against, which are bound as its values.
    // Throws DbError as prepare() does.
    sqlite3_stmt* prepareRead(const QString& sqliteText);
    // Gives back a statement from prepareRead(), or finalizes one from prepare().
    void release(sqlite3_stmt* st);
    // A native statement prepared on its first use and kept until the connection closes
    // (the connection owns it: never finalize it). It comes back reset, its values unbound.
    sqlite3_stmt* preparedOnce(const QString& sqliteText);
    static ColumnKind kindOfDeclType(const char* declType);
    QString lastError() const;
    sqlite3* handle() const { return m_db; }
    // The functions the column-rule triggers call, on any connection to a program file.
    // Without quick paths every value goes through its full conversion, to compare against.
    static void registerFunctions(sqlite3* handle, bool quickPaths = true);

private:
    void execNative(const QString& sqliteText);
    void loadCatalogue();
    // The SQLite statements of a Jet text, as translateJet() gives them under the catalogue.
    QStringList statementsOf(const QString& jetSql);

    sqlite3* m_db = nullptr;
    QString m_fileName;
    SqlCatalogue m_catalogue;
    QHash<QString, sqlite3_stmt*> m_prepared;
    bool m_catalogueLoaded = false;
    // Translations already made under the catalogue, and for texts with their literals
    // masked, whether such texts translate to themselves whatever their literals hold.
    QHash<QString, QStringList> m_translations;
    QHash<QString, bool> m_unchangedShapes;
    // Reads kept by their shape, and whether each is out with a caller.
    struct KeptRead {
        sqlite3_stmt* st = nullptr;
        bool out = false;
    };
    QHash<QString, KeptRead> m_reads;
    QHash<sqlite3_stmt*, QString> m_readShapes;
    void dropReads();
};

// One unit of change: begins on construction, rolls back on destruction unless
// commit() was called, so nothing is left half-written whatever throws.
class Transaction {
public:
    explicit Transaction(Database& db = Database::shared());
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};

// One consistent view for a walk over many rows: the file is locked once for the whole
// walk instead of once per row. Joins a transaction already open; changes nothing.
class ReadTransaction {
public:
    explicit ReadTransaction(Database& db = Database::shared());
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    Database& m_db;
    bool m_own;
};
