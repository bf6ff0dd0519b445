#pragma once
// Reads back what a test needs of a written workbook: the cells of sheet 1 with their
// fonts, alignment and number format, the merged ranges, the column widths and the title.
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

struct XlsxStyle {
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    QString hAlign; // "center" or empty
    QString vAlign;
    QString numFormat; // format code, empty for General
};

struct XlsxCell {
    QString type; // "inlineStr", "s", "n" (number), "b"; "" for a blank
    QString text; // the string, or the number as written
    XlsxStyle style;
};

class XlsxReader {
public:
    explicit XlsxReader(const QString& file) : m_file(file)
    {
        readStyles(part(QStringLiteral("xl/styles.xml")));
        readSharedStrings(part(QStringLiteral("xl/sharedStrings.xml")));
        readSheet(part(QStringLiteral("xl/worksheets/sheet1.xml")));
        m_core = QString::fromUtf8(part(QStringLiteral("docProps/core.xml")));
    }

    bool has(const QString& ref) const { return m_cells.contains(ref); }
    XlsxCell cell(const QString& ref) const { return m_cells.value(ref); }
    QString text(const QString& ref) const { return m_cells.value(ref).text; }
    // Sheet rows that hold at least one cell, ascending.
    QList<int> rows() const { return m_rows.keys(); }
    QStringList merges() const { return m_merges; }
    // Width of a 1-based column as stored; 0 when not set.
    double width(int column) const { return m_widths.value(column); }
    QString documentTitle() const
    {
        const int a = m_core.indexOf(QStringLiteral("<dc:title>"));
        if (a < 0)
            return {};
        const int b = m_core.indexOf(QStringLiteral("</dc:title>"), a);
        return m_core.mid(a + 10, b - a - 10);
    }
    XlsxStyle defaultStyle() const { return m_xfs.value(0); }

private:
    QByteArray part(const QString& name) const
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), m_file, name});
        unzip.waitForFinished(30000);
        return unzip.readAllStandardOutput();
    }

    static int columnNumber(const QString& ref)
    {
        int n = 0;
        for (QChar ch : ref) {
            if (!ch.isLetter())
                break;
            n = n * 26 + (ch.unicode() - 'A' + 1);
        }
        return n;
    }

    void readStyles(const QByteArray& xml)
    {
        QHash<int, QString> numFmts;
        QVector<XlsxStyle> fonts;
        QXmlStreamReader r(xml);
        bool inCellXfs = false;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement() && r.name() == QLatin1String("cellXfs"))
                inCellXfs = false;
            if (!r.isStartElement())
                continue;
            const auto a = r.attributes();
            if (r.name() == QLatin1String("numFmt")) {
                numFmts.insert(a.value("numFmtId").toInt(), a.value("formatCode").toString());
            } else if (r.name() == QLatin1String("font")) {
                fonts.append(XlsxStyle{});
            } else if (!inCellXfs && !fonts.isEmpty() && m_xfs.isEmpty()) {
                if (r.name() == QLatin1String("b"))
                    fonts.last().bold = true;
                else if (r.name() == QLatin1String("sz"))
                    fonts.last().fontSize = a.value("val").toDouble();
                else if (r.name() == QLatin1String("name"))
                    fonts.last().fontName = a.value("val").toString();
            }
            if (r.name() == QLatin1String("cellXfs")) {
                inCellXfs = true;
            } else if (inCellXfs && r.name() == QLatin1String("xf")) {
                XlsxStyle s = fonts.value(a.value("fontId").toInt());
                const int fmt = a.value("numFmtId").toInt();
                s.numFormat = numFmts.value(fmt, fmt == 14 ? QStringLiteral("m/d/yyyy") : QString());
                m_xfs.append(s);
            } else if (inCellXfs && r.name() == QLatin1String("alignment")) {
                m_xfs.last().hAlign = a.value("horizontal").toString();
                m_xfs.last().vAlign = a.value("vertical").toString();
            }
        }
    }

    void readSharedStrings(const QByteArray& xml)
    {
        QXmlStreamReader r(xml);
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == QLatin1String("si"))
                m_shared.append(QString());
            else if (r.isStartElement() && r.name() == QLatin1String("t"))
                m_shared.last() += r.readElementText();
        }
    }

    void readSheet(const QByteArray& xml)
    {
        QXmlStreamReader r(xml);
        QString ref;
        while (!r.atEnd()) {
            r.readNext();
            if (!r.isStartElement())
                continue;
            const auto a = r.attributes();
            if (r.name() == QLatin1String("col")) {
                for (int c = a.value("min").toInt(); c <= a.value("max").toInt(); ++c)
                    m_widths.insert(c, a.value("width").toDouble());
            } else if (r.name() == QLatin1String("mergeCell")) {
                m_merges << a.value("ref").toString();
            } else if (r.name() == QLatin1String("c")) {
                ref = a.value("r").toString();
                XlsxCell c;
                c.type = a.value("t").toString();
                c.style = m_xfs.value(a.value("s").toInt());
                m_cells.insert(ref, c);
                int row = 0;
                for (QChar ch : ref)
                    if (ch.isDigit())
                        row = row * 10 + ch.digitValue();
                m_rows.insert(row, true);
            } else if (r.name() == QLatin1String("v")) {
                XlsxCell& c = m_cells[ref];
                const QString v = r.readElementText();
                if (c.type.isEmpty())
                    c.type = QStringLiteral("n");
                c.text = c.type == QLatin1String("s") ? m_shared.value(v.toInt()) : v;
            } else if (r.name() == QLatin1String("t")) {
                m_cells[ref].text += r.readElementText();
            }
        }
    }

    QString m_file;
    QVector<XlsxStyle> m_xfs;
    QStringList m_shared;
    QHash<QString, XlsxCell> m_cells;
    QMap<int, bool> m_rows;
    QStringList m_merges;
    QHash<int, double> m_widths;
    QString m_core;
};
