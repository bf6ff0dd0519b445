#pragma once
// The database's 32 tables in one place: names, columns in order, types as written,
// keys and seed rows. System initialization writes its statements from this table.
#include <QString>
#include <QStringList>
#include <vector>

class Database;

namespace schema {

enum class Type { Char, Numeric, Bit, SmallDateTime };

struct Column {
    const char* name;
    Type type;
    int width = 0;     // char(n): n
    bool key = false;  // created as PRIMARY KEY
    QString typeText() const; // "char(40)", "numeric(10,2) default 0", "bit default 0", "smalldatetime"
};

struct Table {
    const char* name;
    std::vector<Column> columns;
    std::vector<const char*> seeds;   // rows every new database starts with
    std::vector<const char*> indexes; // column lists searched often ("pzh", "spdm,xsrq")
};

// In creation order.
const std::vector<Table>& tables();
const Table* findTable(const QString& name); // without regard to case

// "create table J_yhb(yhmc char(40),dz char(40),...)"
QString createStatement(const Table& table);
// "create index ix_J_cgmxb_1 on J_cgmxb(pzh)", ...
QStringList indexStatements(const Table& table);

// Every statement of a system initialization, in order: for each table a drop when its
// name is among the existing tables (compared without regard to case), its creation,
// its seed rows and its indexes.
QStringList initializationStatements(const QStringList& existingTables);

// Runs initializationStatements(db.tableNames()), each statement by itself. The first
// statement the database refuses throws DbError: tables handled before it stay re-created,
// the later ones stay as they were.
void createAllTables(Database& db);

// Brings the indexes of a file made by an earlier version up to the table above: creates
// the missing ones and re-creates one whose columns changed, all in one transaction.
// Tables the file does not have yet are left to the initialization.
void addMissingIndexes(Database& db);

} // namespace schema
