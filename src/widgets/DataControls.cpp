#include "widgets/DataControls.h"

#include "db/SqlText.h"
#include "widgets/Controls.h"

#include "widgets/ErrorHandler.h"

FieldLink::FieldLink(QWidget* control, Show show, Read read)
    : QObject(control), m_show(std::move(show)), m_read(std::move(read))
{
}

void FieldLink::bind(DataSource* source, const QString& field)
{
    for (const auto& c : m_links)
        disconnect(c);
    m_links.clear();
    m_source = source;
    m_field = field;
    if (source) {
        auto force = [this] { refresh(); };
        m_links << connect(source, &DataSource::reset, this, [this] {
            fitToColumn();
            refresh();
        })
                << connect(source, &DataSource::currentChanged, this, force)
                << connect(source, &DataSource::stateChanged, this, force)
                << connect(source, &DataSource::rowChanged, this, &FieldLink::rowChanged)
                << connect(source, &DataSource::updateRecord, this, &FieldLink::updateData);
    }
    fitToColumn();
    refresh();
}

void FieldLink::fitToColumn()
{
    ResultSet* set = m_source ? m_source->dataSet() : nullptr;
    if (!m_fit || !set || !set->isActive() || m_field.isEmpty())
        return;
    const int column = set->fieldIndex(m_field);
    if (column >= 0 && set->fieldWidth(column) > 0)
        m_fit(set->fieldWidth(column));
}

void FieldLink::contentChanged()
{
    if (!m_refreshing)
        m_modified = true;
}

void FieldLink::updateData()
{
    if (!m_modified || !m_source || !m_source->editing())
        return;
    m_source->dataSet()->setValue(m_field, m_read());
    m_modified = false;
}

void FieldLink::refresh()
{
    QVariant value;
    ResultSet* set = m_source ? m_source->dataSet() : nullptr;
    if (set && set->isActive() && set->recNo() >= 0 && !m_field.isEmpty()) {
        const int column = set->fieldIndex(m_field);
        if (column >= 0)
            value = set->value(column);
    }
    m_refreshing = true;
    m_show(value);
    m_refreshing = false;
    m_modified = false;
}

void FieldLink::rowChanged(int row)
{
    // Another control wrote its field: keep what the operator is still typing here.
    ResultSet* set = m_source ? m_source->dataSet() : nullptr;
    if (set && row == set->recNo() && !m_modified)
        refresh();
}

namespace {

// Shows a field as the control's text. In browse state a text already shown is left alone,
// since setting it again lays it out again; while editing it is always set, so a box being
// reset goes back to the field even when the texts look alike.
template <class Current, class Set>
FieldLink::Show asText(const FieldLink* link, Current current, Set set)
{
    return [link, current, set](const QVariant& v) {
        const QString shown = ::displayText(v);
        if (link->browsing() && shown == current())
            return;
        set(shown);
    };
}

} // namespace

DBEdit::DBEdit(QWidget* parent, const QString& name, DataSource* source, const QString& field)
    : QLineEdit(parent),
      m_link(this, asText(&m_link, [this] { return text(); }, [this](const QString& t) { setText(t); }),
             [this] { return QVariant(text()); })
{
    setObjectName(name);
    connect(this, &QLineEdit::textChanged, &m_link, &FieldLink::contentChanged);
    beforeExit(this, [this] { m_link.updateData(); });
    bind(source, field);
    m_link.setFit([this](int width) { limitTyping(this, width); });
}

DBComboBox::DBComboBox(QWidget* parent, const QString& name, DataSource* source, const QString& field)
    : QComboBox(parent),
      m_link(this, asText(&m_link, [this] { return currentText(); }, [this](const QString& t) { setEditText(t); }),
             [this] { return QVariant(currentText()); })
{
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::editTextChanged, &m_link, &FieldLink::contentChanged);
    beforeExit(this, [this] { m_link.updateData(); });
    // As wide as the longest name offered, and never too narrow for a short one.
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumContentsLength(8);
    bind(source, field);
    m_link.setFit([this](int width) { limitTyping(lineEdit(), width); });
}

void DBComboBox::setItems(const QStringList& items)
{
    const QString shown = currentText();
    const bool wasModified = m_link.modified();
    clear();
    addItems(items);
    if (!wasModified) {
        m_link.refresh();
    } else {
        setEditText(shown);
    }
}

DBCheckBox::DBCheckBox(QWidget* parent, const QString& name, const QString& caption, DataSource* source,
                       const QString& field)
    : QCheckBox(caption, parent),
      m_link(this, [this](const QVariant& v) { setChecked(v.toBool()); }, [this] { return QVariant(isChecked()); })
{
    setObjectName(name);
    connect(this, &QCheckBox::toggled, &m_link, &FieldLink::contentChanged);
    beforeExit(this, [this] { m_link.updateData(); });
    bind(source, field);
}

DBText::DBText(QWidget* parent, const QString& name, DataSource* source, const QString& field)
    : QLabel(parent), m_link(this, [this](const QVariant& v) { setText(::displayText(v)); }, [] { return QVariant(); })
{
    setObjectName(name);
    bind(source, field);
}
