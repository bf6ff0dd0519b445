#include "master/CodeListGroup.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QAbstractItemDelegate>
#include <QPushButton>

namespace {
const QString kAdd = QStringLiteral("添加");
const QString kSave = QStringLiteral("保存");
const QString kEdit = QStringLiteral("修改");
const QString kRestore = QStringLiteral("恢复");
} // namespace

CodeListGroup::CodeListGroup(QWidget* screen, DBGrid* grid, QPushButton* addSave, QPushButton* editRestore,
                             QPushButton* remove, QPushButton* locked, const CodeListTexts& texts)
    : QObject(screen), m_screen(screen), m_grid(grid), m_addSave(addSave), m_editRestore(editRestore),
      m_remove(remove), m_locked(locked), m_texts(texts)
{
    m_set = new ResultSet(this);
    m_source = new DataSource(this, m_set);
    m_grid->setDataSource(m_source);
    m_grid->setReadOnly(true);
    // A new row left with its number empty, or a number taken: the list's own text.
    m_grid->setRefusedRowHandler([this] { showInfo(m_screen, m_texts.saveError); });
    onClick(m_addSave, this, &CodeListGroup::addSaveClick);
    onClick(m_editRestore, this, &CodeListGroup::editRestoreClick);
    onClick(m_remove, this, &CodeListGroup::removeClick);
}

bool CodeListGroup::busy() const
{
    return m_addSave->text() == kSave;
}

void CodeListGroup::open()
{
    m_set->close();
    m_set->open(m_texts.query);
}

void CodeListGroup::abandon()
{
    dropTyping();
    if (m_set->isActive())
        m_set->cancel();
    m_set->close();
}

void CodeListGroup::startChange(bool adding)
{
    if (adding || m_set->isEmpty())
        m_set->append();
    else
        m_set->edit();
    m_grid->setReadOnly(false);
    m_addSave->setText(kSave);
    m_editRestore->setText(kRestore);
    m_remove->setEnabled(false);
    m_locked->setEnabled(false);
}

void CodeListGroup::endChange()
{
    m_grid->setReadOnly(true);
    m_addSave->setText(kAdd);
    m_editRestore->setText(kEdit);
    m_remove->setEnabled(true);
    m_locked->setEnabled(true);
}

void CodeListGroup::dropTyping()
{
    if (QWidget* editor = m_grid->indexWidget(m_grid->currentIndex()))
        QMetaObject::invokeMethod(m_grid, "closeEditor", Q_ARG(QWidget*, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
}

void CodeListGroup::addSaveClick()
{
    if (!busy()) {
        startChange(true);
        m_grid->setFocus();
        return;
    }
    try {
        m_set->post();
    } catch (const AppError&) {
        showInfo(m_screen, m_texts.saveError);
        m_set->cancel();
    }
    endChange();
}

void CodeListGroup::editRestoreClick()
{
    if (!busy()) {
        // On an empty list this starts a new row, as "添加" would.
        startChange(false);
        return;
    }
    dropTyping();
    m_grid->setReadOnly(true);
    m_set->cancel();
    endChange();
}

void CodeListGroup::removeClick()
{
    if (m_set->isEmpty())
        return;
    const QString number = displayText(m_set->value(0));
    const QString name = displayText(m_set->value(1));
    if (!askWarning(m_screen, m_texts.deleteQuestion + name + QStringLiteral(" 吗？")))
        return;
    if (!m_texts.deleteTable.isEmpty()) {
        Database::shared().exec(QStringLiteral("delete from ") + m_texts.deleteTable + QStringLiteral(" where bh=")
                                + quoted(number));
        m_set->requery(); // the grid shows the list as it now is
        return;
    }
    try {
        m_set->remove();
    } catch (const AppError&) {
        showInfo(m_screen, m_texts.deleteError);
    }
}
