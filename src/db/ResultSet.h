#pragma once
// A result set on the shared connection, as the screens use it: opened from Jet SQL text,
// navigated row by row, and — when it reads columns of one table — editable.
//
// States: Inactive (closed), Browse, Edit (current row being changed), Insert (a new row
// appended at the end, not yet stored). setValue() works in Edit and Insert only; post()
// stores the row (the engine's column rules apply: a refused row throws DbError and the
// state stays as it was, so the caller may cancel()); cancel() drops the change. Moving to
// another row while in Edit or Insert posts first.
//
// Navigation follows the classic dataset flags: after open() and first() bof() is true;
// prior() on the first row leaves it there and sets bof(); next() on the last row leaves it
// there and sets eof(); last() sets eof(); any real move clears both. An empty set has both.
//
// Fields are found by column name or SQL alias, without regard to case. Values are
// QVariant: QString for texts, double for numbers, bool for bit columns, QDate (or
// QDateTime when a time is stored) for dates, null QVariant for null.
#include "db/Database.h"

#include <QHash>
#include <QObject>
#include <QVariant>
#include <QVector>

class ResultSet : public QObject {
    Q_OBJECT
public:
    enum State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    explicit ResultSet(QObject* parent = nullptr);
    explicit ResultSet(Database& db, QObject* parent = nullptr);
    ~ResultSet() override;

    void setSql(const QString& jetSql);
    QString sql() const { return m_sql; }
    // Runs the query (throws DbError) and stands on the first row.
    void open();
    void open(const QString& jetSql);
    void close();
    // Runs the query again; stays on the same row number when it still exists.
    void requery();
    bool isActive() const { return m_state != Inactive; }
    State state() const { return m_state; }
    // True when the set reads plain columns of one table, so rows can be changed.
    bool canModify() const { return !m_table.isEmpty(); }
    QString tableName() const { return m_table; }
    Database& database() const { return m_db; }

    // Shape.
    int fieldCount() const { return m_fields.size(); }
    QString fieldName(int column) const { return m_fields.value(column).name; }
    int fieldIndex(const QString& name) const; // -1 when there is none
    ColumnKind fieldKind(int column) const { return m_fields.value(column).kind; }
    int fieldWidth(int column) const { return m_fields.value(column).width; } // char(n): n, else 0

    // Position. recNo() is 0-based, -1 when the set is empty.
    int recordCount() const;
    int recNo() const { return m_row; }
    bool isEmpty() const { return recordCount() == 0; }
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row); // clamps; clears bof/eof unless the set is empty
    // Makes the first row whose field equals the value current; false (position kept) when none.
    bool locate(const QString& field, const QVariant& value);

    // Values of the current row. value(name) throws DbError when there is no such field.
    QVariant value(int column) const;
    QVariant value(const QString& field) const;
    QString text(const QString& field) const;   // as a screen shows it; empty for null
    double number(const QString& field) const;  // null is 0; a text that is not a number throws ConversionError
    QVariant valueAt(int row, int column) const;
    // All values of a row, read without being kept: for walks over many rows.
    QVector<QVariant> rowValues(int row) const;
    // Reads rows for a walk from the first row on in one pass over the file, the values as
    // rowValues() gives them. Rows asked for out of order are read one by one.
    class RowReader {
    public:
        explicit RowReader(const ResultSet& set);
        ~RowReader();
        RowReader(const RowReader&) = delete;
        RowReader& operator=(const RowReader&) = delete;
        QVector<QVariant> row(int row);

    private:
        const ResultSet& m_set;
        sqlite3_stmt* m_pass = nullptr;
        int m_next = 0;
    };

    // Edit/Insert only. A text for a number or date column is converted (ConversionError
    // when it is not one); empty text stores null.
    void setValue(const QString& field, const QVariant& value);
    void setValue(int column, const QVariant& value);

    void append();
    void edit();
    void post();
    void cancel();
    void remove(); // deletes the current row from the table
    // Posts when in Edit or Insert.
    void checkBrowseMode();

    // While disabled, bound controls do not follow moves; enabling refreshes them.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

signals:
    void reset();               // opened, closed or re-read: everything may have changed
    void currentChanged(int row);
    void stateChanged(ResultSet::State state);
    void rowChanged(int row);   // values of a row changed
    void rowInserted(int row);
    void rowRemoved(int row);
    void updateRecord();        // post() is about to store: bound controls write their pending text

private:
    struct Field {
        QString name;
        QString origin; // base column name when editable
        ColumnKind kind = ColumnKind::Other;
        int width = 0;
    };
    bool describe(sqlite3_stmt* st, int first, QString* table);
    QString originList() const;
    QVector<QVariant> fetchRow(int row) const;
    QVector<QVariant>& cachedRow(int row) const;
    QVariant convertIn(int column, const QVariant& value) const;
    void setCurrent(int row);
    void notifyCurrent();
    void load();
    // Closes without telling the controls; true when the set was open.
    bool discard();
    void clearCache() const;

    Database& m_db;
    QString m_sql;
    State m_state = Inactive;
    QString m_table;              // base table when editable
    QVector<Field> m_fields;
    QHash<QString, int> m_index;  // lower-case name -> column
    // Editable sets keep only the row ids and read rows on demand; others keep the rows.
    QVector<qint64> m_keys;
    QVector<QVector<QVariant>> m_rows;
    mutable QHash<qint64, QVector<QVariant>> m_cache;
    mutable sqlite3_stmt* m_fetch = nullptr;
    QString m_walkSql;            // editable sets: every row with its id, in the set's order
    int m_row = -1;
    bool m_bof = true;
    bool m_eof = true;
    // Pending row of Edit/Insert.
    QVector<QVariant> m_buffer;
    QVector<bool> m_changed;
    int m_savedRow = -1;
    int m_disabled = 0;
};
