#pragma once
// Helpers shared by the tests of the small code lists edited in grids.
#include "support/UiHelpers.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/DBGrid.h"

#include <QStringList>

namespace codelist {

inline QString u(const char* s)
{
    return QString::fromUtf8(s);
}

// Stores a row directly in the list's table.
template <class Group>
void insert(const Group& g, const QString& number, const QString& name)
{
    Database::shared().exec(QStringLiteral("insert into %1(bh,%2) values(%3,%4)")
                                .arg(u(g.table), u(g.column), quoted(number), quoted(name)));
}

// "number name" of every stored row, by number.
template <class Group>
QStringList stored(const Group& g)
{
    ResultSet rs;
    rs.open(QStringLiteral("select bh,%1 from %2 order by bh").arg(u(g.column), u(g.table)));
    QStringList rows;
    for (rs.first(); !rs.eof(); rs.next())
        rows << rs.text(QStringLiteral("bh")) + u' ' + rs.text(u(g.column));
    return rows;
}

// "number name" of every row the grid shows.
inline QStringList shown(DBGrid* grid)
{
    QStringList rows;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        rows << cellText(grid, r, 0) + u' ' + cellText(grid, r, 1);
    return rows;
}

} // namespace codelist
