#include "db/Backup.h"

#include "db/Database.h"
#include "db/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <filesystem>
#include <vector>

namespace backup {
namespace {

const SetMember kMembers[] = {
    {"sjk.mdb", ".mdb"}, {"sptree.dat", ".sp"}, {"khtree.dat", ".kh"}, {"zgtree.dat", ".zg"}};
const char* kTemp = ".tmp";
const char* kRestoreTemp = ".restore-tmp";
const char* kBeforeRestore = ".before-restore";
// The engine's companion files of a database in use.
const char* kSidecars[] = {"-wal", "-shm", "-journal"};

QString inDir(const QString& dir, const char* name)
{
    return QDir(dir).filePath(QString::fromUtf8(name));
}

std::filesystem::path fsPath(const QString& file)
{
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

// Replaces `to` in one step, so it is either the old file or the new one.
bool renameOver(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    return !ec;
}

bool removeIfThere(const QString& file)
{
    return !QFileInfo::exists(file) || QFile::remove(file);
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists()) {
        std::error_code ec;
        return std::filesystem::equivalent(fsPath(a), fsPath(b), ec);
    }
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

bool copyOver(const QString& from, const QString& to)
{
    return removeIfThere(to) && QFile::copy(from, to);
}

// An online copy of the open database into a new file with the same key and page layout.
void copyDatabase(Database& db, const QString& to)
{
    Database dest;
    dest.open(to);
    sqlite3_backup* b = sqlite3_backup_init(dest.handle(), "main", db.handle(), "main");
    if (!b)
        throw AppError(QStringLiteral("数据库备份失败：%1").arg(dest.lastError()));
    const int rc = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE)
        throw AppError(QStringLiteral("数据库备份失败：%1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
    dest.close(); // a write-ahead log is folded into the file here
    for (const char* s : kSidecars)
        if (QFileInfo::exists(to + QLatin1String(s)))
            throw AppError(QStringLiteral("数据库备份失败：备份文件未能写完整：%1").arg(to));
}

} // namespace

const SetMember* members(int* count)
{
    *count = int(std::size(kMembers));
    return kMembers;
}

QString baseOf(const QString& chosenFile)
{
    if (chosenFile.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        return chosenFile.chopped(4);
    return chosenFile;
}

void writeSet(Database& db, const QString& programDir, const QString& base)
{
    if (!db.isOpen())
        throw AppError(QStringLiteral("数据库备份失败：数据库未连接"));
    // Renaming a copy over the file in use would leave the connection writing to a file
    // nobody can open again; the program's own files are no place for a set.
    for (const SetMember& m : kMembers) {
        const QString target = base + QLatin1String(m.ending);
        const QString own = &m == &kMembers[0] ? db.fileName() : inDir(programDir, m.programFile);
        if (sameFile(target, own))
            throw AppError(QStringLiteral("数据库备份失败：不能覆盖程序正在使用的文件 %1").arg(target));
    }
    std::vector<QString> written; // set members under their temporary names
    std::vector<QString> stale;   // members the set no longer has
    auto dropWritten = [&] {
        for (const QString& t : written)
            QFile::remove(t);
    };
    try {
        for (const SetMember& m : kMembers) {
            const QString target = base + QLatin1String(m.ending);
            const QString temp = target + QLatin1String(kTemp);
            if (!removeIfThere(temp))
                throw AppError(QStringLiteral("数据库备份失败：无法写入 %1").arg(temp));
            if (&m == &kMembers[0]) {
                written.push_back(temp);
                copyDatabase(db, temp);
                continue;
            }
            const QString source = inDir(programDir, m.programFile);
            if (!QFileInfo::exists(source)) {
                stale.push_back(target);
                continue;
            }
            written.push_back(temp);
            if (!QFile::copy(source, temp))
                throw AppError(QStringLiteral("数据库备份失败：无法写入 %1").arg(temp));
        }
    } catch (...) {
        dropWritten();
        throw;
    }
    for (const QString& temp : written) {
        const QString target = temp.chopped(int(qstrlen(kTemp)));
        if (!renameOver(temp, target)) {
            dropWritten();
            throw AppError(QStringLiteral("数据库备份失败：无法写入 %1").arg(target));
        }
    }
    for (const QString& s : stale)
        QFile::remove(s);
}

QString checkDatabaseFile(const QString& mdbFile, const QString& shownName)
{
    const QString name = shownName.isEmpty() ? mdbFile : shownName;
    if (!QFileInfo(mdbFile).isFile())
        return QStringLiteral("找不到备份文件：%1").arg(name);
    Database check;
    try {
        check.open(mdbFile);
    } catch (const AppError&) {
        return QStringLiteral("该备份不能用本程序的密码打开（不是本程序的数据库，或文件已损坏）：%1").arg(name);
    }
    QString verdict;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(check.handle(), "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (verdict != QLatin1String("ok"))
        return QStringLiteral("该备份未通过完整性检查，文件已损坏：%1").arg(name);
    QStringList missing;
    try {
        const QStringList present = check.tableNames();
        for (const schema::Table& t : schema::tables())
            if (!present.contains(QString::fromUtf8(t.name), Qt::CaseInsensitive))
                missing << QString::fromUtf8(t.name);
    } catch (const AppError&) {
        return QStringLiteral("该备份未通过完整性检查，文件已损坏：%1").arg(name);
    }
    if (!missing.isEmpty())
        return QStringLiteral("该备份缺少数据表：%1").arg(missing.join(QStringLiteral("、")));
    return {};
}

QString checkSet(const QString& mdbFile)
{
    if (!QFileInfo(mdbFile).isFile())
        return QStringLiteral("找不到备份文件：%1").arg(mdbFile);
    // Opening a file may write to it (a log, a journal mode); the set itself stays untouched.
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("check.mdb"));
    if (!scratch.isValid() || !QFile::copy(mdbFile, copy))
        return QStringLiteral("无法读取备份文件：%1").arg(mdbFile);
    return checkDatabaseFile(copy, mdbFile);
}

void restoreSet(const QString& mdbFile, const QString& programDir)
{
    const QString base = baseOf(mdbFile);
    if (sameFile(mdbFile, inDir(programDir, kMembers[0].programFile)))
        throw AppError(QStringLiteral("数据库恢复失败：所选文件就是程序正在使用的数据库 %1").arg(mdbFile));
    struct Step {
        QString current, temp, kept;
        bool hasNew = false, moved = false, placed = false;
    };
    std::vector<Step> steps;
    std::vector<std::pair<QString, QString>> sidecarsMoved;
    auto dropTemps = [&] {
        for (const Step& s : steps)
            if (s.hasNew && !s.placed)
                QFile::remove(s.temp);
    };

    // Everything the set brings is copied beside its place first; nothing is replaced yet.
    for (const SetMember& m : kMembers) {
        Step s;
        s.current = inDir(programDir, m.programFile);
        s.temp = s.current + QLatin1String(kRestoreTemp);
        s.kept = s.current + QLatin1String(kBeforeRestore);
        const QString from = &m == &kMembers[0] ? mdbFile : base + QLatin1String(m.ending);
        if (QFileInfo::exists(from)) {
            s.hasNew = true;
            steps.push_back(s);
            if (!copyOver(from, s.temp)) {
                dropTemps();
                throw AppError(QStringLiteral("数据库恢复失败：无法复制 %1").arg(from));
            }
        } else {
            steps.push_back(s);
        }
    }
    const QString verdict = checkDatabaseFile(steps.front().temp, mdbFile);
    if (!verdict.isEmpty()) {
        dropTemps();
        throw AppError(QStringLiteral("数据库恢复失败：%1").arg(verdict));
    }

    auto undo = [&] {
        for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
            if (it->placed)
                QFile::remove(it->current);
            if (it->moved)
                renameOver(it->kept, it->current);
        }
        for (const auto& [from, to] : sidecarsMoved)
            renameOver(to, from);
        dropTemps();
    };
    for (Step& s : steps) {
        bool ok = true;
        if (QFileInfo::exists(s.current)) {
            ok = removeIfThere(s.kept) && renameOver(s.current, s.kept);
            s.moved = ok;
        }
        if (ok && &s == &steps.front()) {
            // A log left beside the old file belongs to it, never to the restored one.
            for (const char* side : kSidecars) {
                const QString from = s.current + QLatin1String(side);
                if (!QFileInfo::exists(from))
                    continue;
                const QString to = s.kept + QLatin1String(side);
                ok = removeIfThere(to) && renameOver(from, to);
                if (!ok)
                    break;
                sidecarsMoved.emplace_back(from, to);
            }
        }
        if (ok && s.hasNew) {
            ok = renameOver(s.temp, s.current);
            s.placed = ok;
        }
        if (!ok) {
            undo();
            throw AppError(QStringLiteral("数据库恢复失败：无法替换 %1").arg(s.current));
        }
    }
}

QStringList automaticSets(const QString& folder)
{
    QStringList bases;
    const QStringList files = QDir(folder).entryList({QStringLiteral("sjk-*.mdb")}, QDir::Files, QDir::Name);
    for (const QString& f : files)
        if (f.size() == int(qstrlen("sjk-yyyyMMdd-HHmmss.mdb")))
            bases << baseOf(QDir(folder).filePath(f));
    return bases;
}

void rotate(const QString& folder, int keep)
{
    QStringList bases = automaticSets(folder);
    while (bases.size() > keep) {
        const QString base = bases.takeFirst();
        for (const SetMember& m : kMembers)
            QFile::remove(base + QLatin1String(m.ending));
    }
}

QString writeAutomaticSet(Database& db, const QString& programDir, const QDateTime& now, int keep)
{
    const QString folder = QDir(programDir).filePath(QStringLiteral("backup"));
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("数据库备份失败：无法建立文件夹 %1").arg(folder));
    const QString base = QDir(folder).filePath(QStringLiteral("sjk-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    writeSet(db, programDir, base);
    rotate(folder, keep);
    return base;
}

} // namespace backup
