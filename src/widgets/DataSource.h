#pragma once
// Links a result set to the controls that show it. While the source is disabled (or
// has no set) its controls show nothing; enabling it shows the set again.
#include "db/ResultSet.h"

#include <QObject>
#include <QPointer>

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* parent = nullptr, ResultSet* set = nullptr);

    void setDataSet(ResultSet* set);
    // The linked set while enabled, else nullptr: what the controls should show.
    ResultSet* dataSet() const { return m_enabled ? m_set.data() : nullptr; }
    ResultSet* linkedSet() const { return m_set; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // Active, enabled and in Edit or Insert.
    bool editing() const;

signals:
    // Relayed from the set (only while enabled).
    void reset();
    void currentChanged(int row);
    void stateChanged(ResultSet::State state);
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void updateRecord();

private:
    QPointer<ResultSet> m_set;
    bool m_enabled = true;
    QList<QMetaObject::Connection> m_links;
};
