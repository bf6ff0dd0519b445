#pragma once
// Base of the program's dialog screens: names the screen, and fills it once, on its
// first showing, through FormShow(). An error while filling it goes to the error box
// and leaves the screen open.
#include <QDialog>
#include <QStringList>

#include <initializer_list>

class QGridLayout;
class QHBoxLayout;
class QPushButton;

class Screen : public QDialog {
    Q_OBJECT
public:
    // Fills the screen; runs once, when it is first shown.
    virtual void FormShow() {}

protected:
    Screen(QWidget* parent, const QString& name, const QString& caption);

    void showEvent(QShowEvent* event) override;
    bool wasShown() const { return m_shown; }

private:
    bool m_shown = false;
};

// The buttons in one row, centred or (Qt::AlignRight) at its right end.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons, Qt::Alignment align = Qt::AlignHCenter);

// The fields of an entry screen, each after its label "Label1", "Label2"..., filled column
// by column with `rows` to a column; a column takes `span` grid columns (label, field and
// whatever the screen puts after the field).
QGridLayout* labelledFields(QWidget* screen, const QList<QWidget*>& fields, const QStringList& labels, int rows,
                            int span = 2);
