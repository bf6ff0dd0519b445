#include "widgets/Controls.h"

#include "db/Schema.h"
#include "widgets/DatePicking.h"

#include <QStyle>
#include <QStyleOptionComboBox>
#include <QValidator>

namespace {
// Refuses a change that makes the text longer than the limit and longer than it was.
// setText() is not undone by QLineEdit whatever the validator says, so the program's own
// texts stay whole, and such a text still counts as acceptable (Enter works on it).
class LengthLimit : public QValidator {
public:
    LengthLimit(int maxLength, QLineEdit* edit)
        : QValidator(edit), m_max(maxLength), m_last(edit->text().size())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_last = text.size(); });
    }
    State validate(QString& input, int&) const override
    {
        return input.size() > m_max && input.size() > m_last ? Invalid : Acceptable;
    }
    int max() const { return m_max; }

private:
    int m_max;
    qsizetype m_last;
};

template <class W>
W* named(W* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}
} // namespace

void setTypingLimit(QLineEdit* edit, int maxLength)
{
    delete dynamic_cast<const LengthLimit*>(edit->validator());
    edit->setValidator(maxLength > 0 ? new LengthLimit(maxLength, edit) : nullptr);
}

int typingLimit(const QLineEdit* edit)
{
    auto* limit = dynamic_cast<const LengthLimit*>(edit->validator());
    return limit ? limit->max() : 0;
}

void limitTyping(QLineEdit* edit, int width)
{
    if (!edit || width <= 0)
        return;
    const int current = typingLimit(edit);
    if (current == 0 || current > width)
        setTypingLimit(edit, width);
}

void limitToColumn(QLineEdit* edit, const QString& table, const QString& column)
{
    const schema::Table* t = schema::findTable(table);
    if (!t)
        return;
    for (const schema::Column& c : t->columns)
        if (column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return limitTyping(edit, c.width);
}

void limitToColumns(const QString& table, std::initializer_list<std::pair<QWidget*, const char*>> boxes)
{
    for (const auto& [box, column] : boxes) {
        QLineEdit* edit = qobject_cast<QLineEdit*>(box);
        if (auto* combo = qobject_cast<QComboBox*>(box))
            edit = combo->lineEdit();
        limitToColumn(edit, table, QString::fromLatin1(column));
    }
}

int comboWidthFor(const QComboBox* combo, const QString& text)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.rect = QRect(0, 0, 1000, combo->sizeHint().height());
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    int inside = combo->fontMetrics().horizontalAdvance(text);
    if (const QLineEdit* edit = combo->lineEdit()) {
        // QLineEdit keeps 2 pixels each side of its text, and the cursor needs one more.
        const QMargins margins = edit->textMargins();
        inside += 2 * 2 + 1 + margins.left() + margins.right();
        if (edit->hasFrame())
            inside += 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    }
    return option.rect.width() - field.width() + inside;
}

void fitToItems(QComboBox* combo)
{
    int width = comboWidthFor(combo, combo->currentText());
    for (int i = 0; i < combo->count(); ++i)
        width = std::max(width, comboWidthFor(combo, combo->itemText(i)));
    combo->setMinimumWidth(std::max(width, combo->minimumSizeHint().width()));
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = named(new QPushButton(caption, parent), name);
    // Enter in a field or cell belongs to that field; it presses no button of the screen.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QLabel(caption, parent), name);
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, int maxLength)
{
    auto* edit = named(new QLineEdit(parent), name);
    setTypingLimit(edit, maxLength);
    return edit;
}

QLineEdit* makePasswordEdit(QWidget* parent, const QString& name, int maxLength)
{
    auto* edit = makeEdit(parent, name, maxLength);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QComboBox* makeCombo(QWidget* parent, const QString& name, const QStringList& items, int maxLength)
{
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    setTypingLimit(combo->lineEdit(), maxLength);
    return combo;
}

QCheckBox* makeCheck(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QCheckBox(caption, parent), name);
}

QRadioButton* makeRadio(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QRadioButton(caption, parent), name);
}

QGroupBox* makeGroup(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QGroupBox(caption, parent), name);
}

QTabWidget* makeTabs(QWidget* parent, const QString& name)
{
    return named(new QTabWidget(parent), name);
}

QDateEdit* makeDatePicker(QWidget* parent, const QString& name)
{
    return named(new DatePicker(parent), name);
}
