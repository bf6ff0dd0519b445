#include "db/JetSql.h"

#include "db/Errors.h"
#include "db/SqlText.h"

#include <QRegularExpression>

namespace {

enum class Tok { Space, Word, Number, String, Hash, Op, Open, Close, Comma, Other };

struct Token {
    Tok kind;
    QString text;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.') || c == QLatin1Char('$');
}

QList<Token> tokenize(const QString& sql)
{
    QList<Token> out;
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        int j = i + 1;
        Tok kind = Tok::Other;
        if (c.isSpace()) {
            while (j < n && sql[j].isSpace())
                ++j;
            kind = Tok::Space;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote inside stays part of the literal.
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            kind = Tok::String;
        } else if (c == QLatin1Char('#')) {
            while (j < n && sql[j] != QLatin1Char('#'))
                ++j;
            if (j < n)
                ++j;
            kind = Tok::Hash;
        } else if (c == QLatin1Char('[')) {
            while (j < n && sql[j] != QLatin1Char(']'))
                ++j;
            if (j < n)
                ++j;
            kind = Tok::Word;
        } else if (c.isDigit()) {
            while (j < n && (sql[j].isDigit() || sql[j] == QLatin1Char('.')))
                ++j;
            kind = Tok::Number;
        } else if (isWordChar(c)) {
            while (j < n && isWordChar(sql[j]))
                ++j;
            kind = Tok::Word;
        } else if (c == QLatin1Char('(')) {
            kind = Tok::Open;
        } else if (c == QLatin1Char(')')) {
            kind = Tok::Close;
        } else if (c == QLatin1Char(',')) {
            kind = Tok::Comma;
        } else if (QStringLiteral("<>=!|").contains(c)) {
            while (j < n && QStringLiteral("<>=|").contains(sql[j]))
                ++j;
            kind = Tok::Op;
        } else if (QStringLiteral("+-*/%&").contains(c)) {
            kind = Tok::Op;
        }
        out.append({kind, sql.mid(i, j - i)});
        i = j;
    }
    return out;
}

QString join(const QList<Token>& tokens)
{
    QString s;
    for (const auto& t : tokens)
        s += t.text;
    return s;
}

bool isKeyword(const Token& t, const char* word)
{
    return t.kind == Tok::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString unquote(const QString& literal)
{
    QString inner = literal.mid(1, literal.size() - 2);
    inner.replace(QStringLiteral("''"), QStringLiteral("'"));
    return inner;
}

QString columnPart(const QString& word)
{
    QString w = word;
    const int dot = w.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        w = w.mid(dot + 1);
    if (w.startsWith(QLatin1Char('[')))
        w = w.mid(1, w.size() - 2);
    return w.toLower();
}

// Index of the previous / next token that is not blank, or -1.
int prevSolid(const QList<Token>& t, int i)
{
    for (--i; i >= 0; --i)
        if (t[i].kind != Tok::Space)
            return i;
    return -1;
}

int nextSolid(const QList<Token>& t, int i)
{
    for (++i; i < t.size(); ++i)
        if (t[i].kind != Tok::Space)
            return i;
    return -1;
}

bool isComparison(const Token& t)
{
    static const QStringList ops{QStringLiteral("="), QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="),
                                 QStringLiteral(">="), QStringLiteral("<>"), QStringLiteral("!=")};
    return t.kind == Tok::Op && ops.contains(t.text);
}

bool isDateColumn(const QList<Token>& t, int i, const SqlCatalogue& cat)
{
    return i >= 0 && t[i].kind == Tok::Word && cat.dateColumns.contains(columnPart(t[i].text));
}

// True when the string literal at i stands where a date column is compared with it.
bool comparedWithDate(const QList<Token>& t, int i, const SqlCatalogue& cat)
{
    int p = prevSolid(t, i);
    if (p >= 0 && isComparison(t[p]))
        return isDateColumn(t, prevSolid(t, p), cat);
    if (p >= 0 && isKeyword(t[p], "between"))
        return isDateColumn(t, prevSolid(t, p), cat);
    if (p >= 0 && isKeyword(t[p], "and")) {
        // x between 'a' and 'b'
        const int lit = prevSolid(t, p);
        const int btw = prevSolid(t, lit);
        if (lit >= 0 && btw >= 0 && isKeyword(t[btw], "between"))
            return isDateColumn(t, prevSolid(t, btw), cat);
    }
    const int nx = nextSolid(t, i);
    if (nx >= 0 && isComparison(t[nx]))
        return isDateColumn(t, nextSolid(t, nx), cat);
    return false;
}

bool isTextOperand(const QList<Token>& t, int i, const SqlCatalogue& cat)
{
    if (i < 0)
        return false;
    if (t[i].kind == Tok::String)
        return !isNumber(unquote(t[i].text));
    if (t[i].kind == Tok::Word)
        return cat.textColumns.contains(columnPart(t[i].text)) && !cat.dateColumns.contains(columnPart(t[i].text));
    return false;
}

int matchingClose(const QList<Token>& t, int open)
{
    int depth = 0;
    for (int i = open; i < t.size(); ++i) {
        if (t[i].kind == Tok::Open)
            ++depth;
        else if (t[i].kind == Tok::Close && --depth == 0)
            return i;
    }
    return -1;
}

QString translateCreateTable(const QList<Token>& t);

QString translateStatement(const QString& sql, const SqlCatalogue& cat, QStringList& extra)
{
    QList<Token> t = tokenize(sql);
    const int first = nextSolid(t, -1);
    if (first >= 0 && isKeyword(t[first], "create")) {
        const int second = nextSolid(t, first);
        if (second >= 0 && isKeyword(t[second], "table")) {
            const QString ddl = translateCreateTable(t);
            extra = ddl.split(QStringLiteral(";\n"), Qt::SkipEmptyParts);
            return {};
        }
    }

    QString limit;
    for (int i = 0; i < t.size(); ++i) {
        Token& tok = t[i];
        if (tok.kind == Tok::Hash) {
            bool ok = false;
            const QString canon = canonicalDateText(tok.text, &ok);
            if (!ok)
                throw DbError(QStringLiteral("日期格式错误：%1").arg(tok.text));
            tok = {Tok::String, quoted(canon)};
        } else if (tok.kind == Tok::String && tok.text.startsWith(QLatin1Char('"'))) {
            // Jet reads double quotes as a text literal.
            QString inner = tok.text.mid(1, tok.text.size() - 2);
            inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
            tok.text = quoted(inner);
        } else if (tok.kind == Tok::String && comparedWithDate(t, i, cat)) {
            bool ok = false;
            const QString canon = canonicalDateText(unquote(tok.text), &ok);
            if (ok)
                tok.text = quoted(canon);
        } else if (tok.kind == Tok::Op && tok.text == QLatin1String("+")) {
            if (isTextOperand(t, prevSolid(t, i), cat) || isTextOperand(t, nextSolid(t, i), cat))
                tok.text = QStringLiteral("||");
        } else if (tok.kind == Tok::Op && tok.text == QLatin1String("/")) {
            // Jet divides as real numbers; SQLite would cut 1/3 to 0.
            tok.text = QStringLiteral("*1.0/");
        } else if (tok.kind == Tok::Op && tok.text == QLatin1String("&")) {
            tok.text = QStringLiteral("||");
        } else if (tok.kind == Tok::Word
                   && (isKeyword(tok, "year") || isKeyword(tok, "month") || isKeyword(tok, "day"))) {
            const int open = nextSolid(t, i);
            if (open >= 0 && t[open].kind == Tok::Open) {
                const int close = matchingClose(t, open);
                if (close > 0) {
                    // A cast gives the call a numeric affinity, so year(x)='2004' compares as numbers.
                    t[close].text += QStringLiteral(" AS INTEGER)");
                    tok.text = QStringLiteral("CAST(jx_") + tok.text.toLower();
                }
            }
        } else if (isKeyword(tok, "top") && i == nextSolid(t, first) && isKeyword(t[first], "select")) {
            const int num = nextSolid(t, i);
            if (num >= 0 && t[num].kind == Tok::Number) {
                limit = t[num].text;
                tok.text.clear();
                t[num].text.clear();
            }
        } else if (isKeyword(tok, "true")) {
            tok.text = QStringLiteral("1");
        } else if (isKeyword(tok, "false")) {
            tok.text = QStringLiteral("0");
        }
    }
    QString out = join(t);
    if (!limit.isEmpty()) {
        out = out.trimmed();
        if (out.endsWith(QLatin1Char(';')))
            out.chop(1);
        out += QStringLiteral(" limit ") + limit;
    }
    return out;
}

struct ColumnDef {
    QString name;
    QString type;    // char, numeric, bit, smalldatetime, or other
    int width = 0;   // char(n), numeric(p,…)
    int scale = 0;   // numeric(…,s)
    QString defaultValue;
    bool key = false;
};

QString translateCreateTable(const QList<Token>& all)
{
    QList<Token> t;
    for (const auto& tok : all)
        if (tok.kind != Tok::Space)
            t.append(tok);
    // create table NAME ( defs )
    if (t.size() < 5 || t[3].kind != Tok::Open)
        throw DbError(QStringLiteral("CREATE TABLE 语句语法错误"));
    const QString table = t[2].text;
    QList<ColumnDef> cols;
    int i = 4;
    while (i < t.size() && t[i].kind != Tok::Close) {
        ColumnDef c;
        c.name = t[i++].text;
        if (i < t.size() && t[i].kind == Tok::Word)
            c.type = t[i++].text.toLower();
        if (i < t.size() && t[i].kind == Tok::Open) {
            ++i;
            if (i < t.size())
                c.width = t[i++].text.toInt();
            if (i < t.size() && t[i].kind == Tok::Comma) {
                ++i;
                c.scale = t[i++].text.toInt();
            }
            if (i < t.size() && t[i].kind == Tok::Close)
                ++i;
        }
        while (i < t.size() && t[i].kind != Tok::Comma && t[i].kind != Tok::Close) {
            if (isKeyword(t[i], "default") && i + 1 < t.size()) {
                int k = i + 1;
                QString value = t[k].text;
                if (t[k].text == QLatin1String("-") && k + 1 < t.size())
                    value += t[++k].text;
                c.defaultValue = value;
                i = k + 1;
            } else if (isKeyword(t[i], "primary")) {
                c.key = true;
                i += 2;
            } else {
                ++i;
            }
        }
        cols.append(c);
        if (i < t.size() && t[i].kind == Tok::Comma)
            ++i;
    }

    QStringList defs, checks, sets;
    for (const auto& c : cols) {
        QString def = c.name + QLatin1Char(' ');
        QString norm;
        if (c.type == QLatin1String("char") || c.type == QLatin1String("varchar") || c.type == QLatin1String("text")) {
            def += QStringLiteral("char(%1) COLLATE NOCASE").arg(c.width > 0 ? c.width : 255);
            norm = QStringLiteral("jx_text(%1,%2)").arg(c.name).arg(c.width > 0 ? c.width : 255);
        } else if (c.type == QLatin1String("numeric") || c.type == QLatin1String("decimal")) {
            const int p = c.width > 0 ? c.width : 18;
            def += QStringLiteral("numeric(%1,%2)").arg(p).arg(c.scale);
            norm = QStringLiteral("jx_num(%1,%2,%3)").arg(c.name).arg(p).arg(c.scale);
        } else if (c.type == QLatin1String("bit")) {
            def += QStringLiteral("bit");
            norm = QStringLiteral("jx_bit(%1)").arg(c.name);
        } else if (c.type.contains(QLatin1String("date"))) {
            def += QStringLiteral("smalldatetime");
            norm = QStringLiteral("jx_date(%1)").arg(c.name);
        } else {
            def += c.type;
        }
        if (c.key)
            def += QStringLiteral(" PRIMARY KEY NOT NULL");
        if (!c.defaultValue.isEmpty())
            def += QStringLiteral(" DEFAULT ") + c.defaultValue;
        defs << def;
        if (!norm.isEmpty()) {
            QString newNorm = norm;
            newNorm.replace(QLatin1Char('(') + c.name, QStringLiteral("(NEW.") + c.name);
            checks << QStringLiteral("NEW.%1 IS NOT %2").arg(c.name, newNorm);
            sets << QStringLiteral("%1=%2").arg(c.name, norm);
        }
    }
    QString ddl = QStringLiteral("CREATE TABLE %1 (%2);\n").arg(table, defs.join(QStringLiteral(", ")));
    if (!sets.isEmpty()) {
        const QString body = QStringLiteral("WHEN %1 BEGIN UPDATE %2 SET %3 WHERE rowid=NEW.rowid; END")
                                 .arg(checks.join(QStringLiteral(" OR ")), table, sets.join(QStringLiteral(", ")));
        ddl += QStringLiteral("CREATE TRIGGER %1__jx_ins AFTER INSERT ON %1 %2;\n").arg(table, body);
        ddl += QStringLiteral("CREATE TRIGGER %1__jx_upd AFTER UPDATE ON %1 %2;\n").arg(table, body);
    }
    return ddl;
}

} // namespace

QString canonicalDateText(const QString& text, bool* ok)
{
    bool hasTime = false;
    const QDateTime dt = parseDateText(text, &hasTime);
    *ok = dt.isValid();
    if (!dt.isValid())
        return {};
    return hasTime ? dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : dt.date().toString(QStringLiteral("yyyy-MM-dd"));
}

QStringList translateJet(const QString& sql, const SqlCatalogue& catalogue)
{
    QStringList extra;
    const QString out = translateStatement(sql, catalogue, extra);
    if (!extra.isEmpty())
        return extra;
    return {out};
}
