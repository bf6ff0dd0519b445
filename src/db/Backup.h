#pragma once
// Backup sets of the whole business: the database and the three category tree files, kept
// together under one base name (base + ".mdb", ".sp", ".kh", ".zg"). No windows here: the
// main window asks and shows what these report.
#include <QDateTime>
#include <QString>
#include <QStringList>

class Database;

namespace backup {

// The program's file and the ending of its copy in a set.
struct SetMember {
    const char* programFile; // "sjk.mdb"
    const char* ending;      // ".mdb"
};
// The database first, then the goods, partner and department trees.
const SetMember* members(int* count);

// The set a chosen file belongs to: its name without ".mdb" (or as it is without that ending).
QString baseOf(const QString& chosenFile);

// Writes a set from the open database (an online copy that keeps the program's key, whole
// also while the file is in use) and the tree files in programDir; a tree file that does not
// exist leaves no file in the set. Every file is written under a temporary name first and
// all are renamed once all are complete, so a failure leaves an older set under the same
// base as it was. Throws AppError saying what failed.
void writeSet(Database& db, const QString& programDir, const QString& base);

// Empty when the database file opens with the program's key, passes the engine's integrity
// check and holds every table of the program; otherwise the reason, for the operator,
// naming the file as shownName when one is given.
QString checkDatabaseFile(const QString& mdbFile, const QString& shownName = {});
// As checkDatabaseFile, for a set's database, without changing a byte of the set.
QString checkSet(const QString& mdbFile);

// Replaces the program's database and tree files with the set of mdbFile. The database
// must be closed. Each replaced file is kept beside itself as name + ".before-restore".
// The set is checked again on its way in; when that or any step fails, the files in
// programDir are put back as they were and AppError says what failed.
void restoreSet(const QString& mdbFile, const QString& programDir);

// The automatic backup when the program ends: a set in programDir + "backup", named by the
// date and time, then only the newest `keep` sets are kept. Returns the set's base.
QString writeAutomaticSet(Database& db, const QString& programDir, const QDateTime& now, int keep = 7);
// Removes all but the newest `keep` sets of the automatic backup folder.
void rotate(const QString& folder, int keep);
// The automatic sets in the folder, oldest first, as bases.
QStringList automaticSets(const QString& folder);

} // namespace backup
