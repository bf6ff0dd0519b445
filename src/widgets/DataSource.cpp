#include "widgets/DataSource.h"

DataSource::DataSource(QObject* parent, ResultSet* set) : QObject(parent)
{
    setDataSet(set);
}

void DataSource::setDataSet(ResultSet* set)
{
    for (const auto& c : m_links)
        disconnect(c);
    m_links.clear();
    m_set = set;
    if (set) {
        auto relay = [this](auto signal, auto mine) {
            m_links << connect(m_set.data(), signal, this, [this, mine](auto... args) {
                if (m_enabled)
                    emit (this->*mine)(args...);
            });
        };
        relay(&ResultSet::reset, &DataSource::reset);
        relay(&ResultSet::currentChanged, &DataSource::currentChanged);
        relay(&ResultSet::stateChanged, &DataSource::stateChanged);
        relay(&ResultSet::rowChanged, &DataSource::rowChanged);
        relay(&ResultSet::rowInserted, &DataSource::rowInserted);
        relay(&ResultSet::rowRemoved, &DataSource::rowRemoved);
        relay(&ResultSet::updateRecord, &DataSource::updateRecord);
        // A screen frees its sets while its controls may be going too: tell them later,
        // and only those still there.
        m_links << connect(set, &QObject::destroyed, this, [this] {
            m_set = nullptr;
            QMetaObject::invokeMethod(this, &DataSource::reset, Qt::QueuedConnection);
        });
    }
    emit reset();
}

void DataSource::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    emit reset();
}

bool DataSource::editing() const
{
    ResultSet* set = dataSet();
    return set && (set->state() == ResultSet::Edit || set->state() == ResultSet::Insert);
}
