// The Jet SQL translation: any text translates without crashing, and a typed value put into a
// statement through the quoting helper comes back from the engine exactly as typed.
#include "db/Database.h"
#include "db/JetSql.h"
#include "db/ResultSet.h"
#include "db/Schema.h"
#include "db/SqlText.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

Database& books()
{
    static QTemporaryDir dir;
    static Database db;
    if (!db.isOpen()) {
        db.open(dir.filePath(QStringLiteral("sjk.mdb")));
        schema::createAllTables(db);
    }
    return db;
}

void mustEqual(const QString& got, const QString& want, const char* what)
{
    if (got != want) {
        std::fprintf(stderr, "%s: got [%s] want [%s]\n", what, got.toUtf8().constData(), want.toUtf8().constData());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    SqlCatalogue catalogue;
    catalogue.dateColumns = {QStringLiteral("cgrq"), QStringLiteral("jzrq"), QStringLiteral("rzrq")};
    catalogue.textColumns = {QStringLiteral("spdm"), QStringLiteral("spmc"), QStringLiteral("pzh")};
    try {
        (void)translateJet(text, catalogue);
    } catch (const AppError&) {
        // A statement the translation refuses (a malformed date) is an error the screens show.
    }

    // Texts without NUL (an edit box cannot hold one) as a value in the statements the screens write.
    if (text.contains(QChar(0)))
        return 0;
    Database& db = books();
    try {
        ResultSet rs(db);
        rs.open(QStringLiteral("select ") + quoted(text) + QStringLiteral(" as v from J_zjb"));
        mustEqual(rs.value(0).toString(), text, "select");
        rs.close();
        ResultSet like(db);
        like.open(QStringLiteral("select spmc from J_spb where spmc like '%") + text.left(30).replace(QLatin1Char('\''), QLatin1String("''"))
                  + QStringLiteral("%' and spdm=") + quoted(text));
        like.close();
        // Stored through an insert, read back through a where clause on the same text.
        db.exec(QStringLiteral("delete from J_spb"));
        db.exec(QStringLiteral("insert into J_spb(spdm,spmc,bz) values('A1',") + quoted(text.left(30)) + QStringLiteral(",null)"));
        ResultSet back(db);
        back.open(QStringLiteral("select spmc from J_spb where spmc=") + quoted(text.left(30)));
        if (back.isEmpty()) {
            std::fprintf(stderr, "stored text not found by its own value: [%s]\n", text.left(30).toUtf8().constData());
            std::abort();
        }
        mustEqual(back.value(0).toString(), text.left(30), "insert");
    } catch (const AppError& e) {
        // A refusal is allowed only for what the columns cannot hold.
        if (!e.text().startsWith(QStringLiteral("字段太小"))) {
            std::fprintf(stderr, "refused [%s]: %s\n", text.toUtf8().constData(), e.text().toUtf8().constData());
            std::abort();
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}
