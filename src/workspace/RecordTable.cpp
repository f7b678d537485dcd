#include "RecordTable.h"

#include "ReadingsPanel.h"

#include "ComparisonRecordList.h"
#include "RecordTableAccessible.h"
#include "Judgement.h"
#include "StandardTexts.h"
#include "VerdictStyle.h"

#include <QAccessible>
#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>

using namespace ComparisonColumns;

namespace {

// The buttons' texts, in the page's catalogue context (written out for lupdate).
QString deleteText()
{
    return QCoreApplication::translate("FirstPageFor310", "Delete");
}

QString reportText()
{
    return QCoreApplication::translate("FirstPageFor310", "Report");
}

// The template of the painted row buttons: initStyleOption is protected.
class ButtonLook : public QPushButton
{
public:
    using QPushButton::QPushButton;
    using QPushButton::initStyleOption;
};

// Paints a row button over its cell, where a button widget in the cell would
// stand, pressed while the mouse holds it, with the focus frame while its
// cell is the keyboard's.
class RowButtonDelegate : public QStyledItemDelegate
{
public:
    explicit RowButtonDelegate(RecordTableView* view) : QStyledItemDelegate(view), m_view(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index); // the cell under it (no text)
        const auto* look = static_cast<const ButtonLook*>(m_view->buttonLook());
        QStyleOptionButton button;
        look->initStyleOption(&button);
        button.rect = buttonRect(option, index);
        button.text = index.data(RecordTableModel::kButtonTextRole).toString();
        button.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_Raised);
        button.state |= m_view->pressedIndex() == index ? QStyle::State_Sunken : QStyle::State_Raised;
        button.state |= option.state & (QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Active);
        if (!m_view->isEnabled()) {
            button.state &= ~QStyle::State_Enabled;
        }
        painter->save();
        painter->setFont(look->font());
        look->style()->drawControl(QStyle::CE_PushButton, &button, painter, look);
        painter->restore();
    }

private:
    // The geometry a widget in the cell is given (QStyledItemDelegate::updateEditorGeometry).
    QRect buttonRect(const QStyleOptionViewItem& option, const QModelIndex& index) const
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.showDecorationSelected = true;
        return m_view->style()->subElementRect(QStyle::SE_ItemViewItemText, &opt, m_view);
    }

    RecordTableView* m_view;
};

} // namespace

RecordTableModel::RecordTableModel(ComparisonRecordList& records, Layout layout, QObject* parent)
    : ComparisonTableModel(records, layout, parent), m_list(records)
{
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int column = index.column();
    if (isButtonColumn(column)) {
        const bool remove = isDeleteColumn(column);
        switch (role) {
        case kButtonTextRole:
        case Qt::AccessibleDescriptionRole:
            return remove ? deleteText() : reportText();
        case Qt::AccessibleTextRole:
            // The row's place (1 the first) and its test name.
            return remove ? QCoreApplication::translate("FirstPageFor310", "Delete row %1").arg(index.row() + 1)
                          : QCoreApplication::translate("FirstPageFor310", "Report for %1")
                                .arg(ComparisonTableModel::data(this->index(index.row(), kTestNameColumn)).toString());
        default:
            return ComparisonTableModel::data(index, role);
        }
    }
    if (column == verdictColumn(layout())) {
        switch (role) {
        case Qt::BackgroundRole: {
            const ComparisonRecord& record = m_list.at(index.row());
            return QBrush(verdictCellColor(record.pass ? Verdict::Pass : Verdict::Ng, record.library.warning));
        }
        case Qt::ForegroundRole:
            return QBrush(QColor(Qt::white)); // readable on all three
        case Qt::ToolTipRole: {
            // Which limit decided, or warned, and what the row was judged against;
            // then the spread of a specimen read several times.
            const ComparisonRecord& record = m_list.at(index.row());
            const QString readings = ReadingsPanel::recordToolTip(record);
            const QString verdict = StandardTexts::verdictToolTip(record);
            return readings.isEmpty() ? verdict : verdict + QLatin1Char('\n') + readings;
        }
        case Qt::AccessibleDescriptionRole:
            return StandardTexts::verdictToolTip(m_list.at(index.row()));
        default:
            break;
        }
    }
    if (role == Qt::ToolTipRole || (role == Qt::DisplayRole && column == kTestNameColumn)) {
        // A specimen read several times: n beside the name, the spread in the row's tooltip.
        const ComparisonRecord& record = records().at(index.row());
        if (role == Qt::ToolTipRole) {
            const QString tip = ReadingsPanel::recordToolTip(record);
            return tip.isEmpty() ? ComparisonTableModel::data(index, role) : QVariant(tip);
        }
        return ReadingsPanel::shownName(record, ComparisonTableModel::data(index, role).toString());
    }
    return ComparisonTableModel::data(index, role);
}

void RecordTableModel::relabel()
{
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

RecordTableView::RecordTableView(QWidget* parent) : QTableView(parent)
{
    // Before anyone asks for the view's accessible: ours offers the row
    // buttons' press action, Qt's table cells only a selection toggle.
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&RecordTableAccessible::factory);
        return true;
    }();
    Q_UNUSED(accessibleInstalled)
    m_look = new ButtonLook(viewport());
    m_look->setObjectName(QStringLiteral("rowButtonLook"));
    m_look->hide();
    m_look->setAttribute(Qt::WA_DontShowOnScreen);
    viewport()->setAttribute(Qt::WA_Hover);
}

void RecordTableView::setRecordModel(RecordTableModel* model)
{
    m_model = model;
    setModel(model);
    auto* buttons = new RowButtonDelegate(this);
    setItemDelegateForColumn(deleteColumn(model->layout()), buttons);
    setItemDelegateForColumn(deleteColumn(model->layout()) + 1, buttons);
}

bool RecordTableView::isButton(const QModelIndex& index) const
{
    return m_model && index.isValid() && m_model->isButtonColumn(index.column());
}

void RecordTableView::press(const QModelIndex& index)
{
    if (currentIndex() != index) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
    emit rowButtonClicked(index);
}

void RecordTableView::pressRowButton(const QModelIndex& index)
{
    if (isButton(index) && index.model() == model()) {
        press(index);
    }
}

void RecordTableView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (isButton(current) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Select:
            event->accept();
            press(current);
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

// A press on a button cell belongs to the button, as it would to a button
// widget there: no selection, no drag; the cell becomes current.
void RecordTableView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !isButton(index)) {
        QTableView::mousePressEvent(event);
        return;
    }
    event->accept();
    setFocus(Qt::MouseFocusReason);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_pressed = index;
    m_pressedInside = true;
    viewport()->update(visualRect(index));
}

void RecordTableView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed.isValid()) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const bool inside = indexAt(event->position().toPoint()) == m_pressed;
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        viewport()->update(visualRect(m_pressed));
    }
}

void RecordTableView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressed.isValid()) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    const QModelIndex index = m_pressed;
    const bool inside = indexAt(event->position().toPoint()) == index;
    m_pressed = QPersistentModelIndex();
    m_pressedInside = false;
    viewport()->update(visualRect(index));
    if (event->button() == Qt::LeftButton && inside) {
        press(index);
    }
}

// A double click on a row button presses it once: the first click already
// deleted the row, and the second would delete the row that moved up under
// the mouse.
void RecordTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (isButton(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}
