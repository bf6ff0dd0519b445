#pragma once
// Controls bound to one field of a data source's current row. They show the field as
// text (displayText) and, while the set is in Edit or Insert, hand changed text to the
// field when they lose the focus and when the set is about to post.
#include "widgets/DataSource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>

// The binding shared by the controls below.
class FieldLink : public QObject {
    Q_OBJECT
public:
    using Show = std::function<void(const QVariant& value)>;
    using Read = std::function<QVariant()>;
    using Fit = std::function<void(int width)>;
    FieldLink(QWidget* control, Show show, Read read);
    // Told the width of a char(n) field whenever the set is opened or bound: the control takes
    // no more characters than the column holds.
    void setFit(Fit fit) { m_fit = std::move(fit); fitToColumn(); }

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return m_source; }
    QString field() const { return m_field; }
    // Called by the control when its content changes other than by refresh().
    void contentChanged();
    bool modified() const { return m_modified; }
    // Writes the control's content into the field when it was changed and the set is
    // being edited. Throws what the set throws (a text that does not convert).
    void updateData();
    // Shows the field's current value (nothing when there is no row or no set).
    void refresh();
    // Neither in Edit nor in Insert: what the control shows is only the field's value.
    bool browsing() const { return !m_source || !m_source->editing(); }

private:
    void rowChanged(int row);
    void fitToColumn();

    Show m_show;
    Read m_read;
    Fit m_fit;
    QPointer<DataSource> m_source;
    QString m_field;
    bool m_modified = false;
    bool m_refreshing = false;
    QList<QMetaObject::Connection> m_links;
};

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    DBEdit(QWidget* parent, const QString& name, DataSource* source = nullptr,
           const QString& field = QString());
    void bind(DataSource* source, const QString& field) { m_link.bind(source, field); }
    FieldLink& link() { return m_link; }
    void updateData() { m_link.updateData(); }

private:
    FieldLink m_link;
};

class DBComboBox : public QComboBox {
    Q_OBJECT
public:
    DBComboBox(QWidget* parent, const QString& name, DataSource* source = nullptr,
               const QString& field = QString());
    void bind(DataSource* source, const QString& field) { m_link.bind(source, field); }
    FieldLink& link() { return m_link; }
    // Replaces the list offered; the text shown stays.
    void setItems(const QStringList& items);
    void updateData() { m_link.updateData(); }

private:
    FieldLink m_link;
};

class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    DBCheckBox(QWidget* parent, const QString& name, const QString& caption,
               DataSource* source = nullptr, const QString& field = QString());
    void bind(DataSource* source, const QString& field) { m_link.bind(source, field); }
    FieldLink& link() { return m_link; }
    void updateData() { m_link.updateData(); }

private:
    FieldLink m_link;
};

class DBText : public QLabel {
    Q_OBJECT
public:
    DBText(QWidget* parent, const QString& name, DataSource* source = nullptr,
           const QString& field = QString());
    void bind(DataSource* source, const QString& field) { m_link.bind(source, field); }

private:
    FieldLink m_link;
};
