#include "PlaylistView.h"

#include "core/Failure.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zendrix {

namespace {

// The most of an entry a row shows. A row is a couple of hundred pixels wide, and laying out a line of
// tens of thousands of characters at every paint would freeze the list; the entry itself stays whole.
constexpr qsizetype kShownCharacters = 500;

QString shownText(const QString& entry)
{
    if (entry.size() <= kShownCharacters)
        return entry;
    qsizetype length = kShownCharacters;
    if (entry.at(length - 1).isHighSurrogate())
        --length;  // never half a character
    return entry.left(length);
}

// Rows a full line of the font high, the text on that line's baseline: some fonts' own metrics (the
// bitmap Tahoma among them) end at the top of the capitals, and a row of that height would cut the
// accents above them and the dots of i and j. The style still paints the row's background, selection
// and focus; only the text is drawn here.
class RowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // What the style gives a row of Qt's own line, grown to the full line (never less, lineMetrics).
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(size.height() - QFontMetrics(option.font).height() +
                       lineMetrics(option.font).height());
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem row(option);
        initStyleOption(&row, index);
        const QString text = row.text;
        row.text.clear();
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, view);

        row.text = text;
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &row, view);
        const LineMetrics line = lineMetrics(row.font);
        const QFontMetrics metrics(row.font);
        const int baseline = area.top() + (area.height() - line.height()) / 2 + line.ascent;
        const bool selected = row.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = !(row.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (row.state & QStyle::State_Active) ? QPalette::Active
                                                                                : QPalette::Inactive;
        painter->save();
        painter->setClipRect(row.rect);
        painter->setFont(row.font);
        painter->setPen(row.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(area.left(), baseline, metrics.elidedText(text, row.textElideMode, area.width()));
        painter->restore();
    }
};

}  // namespace

class PlaylistView::Model : public QAbstractListModel
{
public:
    explicit Model(ListControl& control) : m_control(control) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : m_control.ListCount();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= m_control.ListCount())
            return {};
        return shownText(m_control.items().at(index.row()));
    }

    // The control tells us after it changed: announce inserted rows then, and reset for the rest.
    void inserted(int first, int last)
    {
        beginInsertRows({}, first, last);
        endInsertRows();
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    ListControl& m_control;
};

PlaylistView::PlaylistView(QWidget* parent, ListControl& control)
    : QListView(parent), m_control(control), m_model(new Model(control))
{
    m_model->setParent(this);
    setModel(m_model);
    setItemDelegate(new RowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(&control, &ListControl::inserted, this, [this](int first, int last) { m_model->inserted(first, last); });
    connect(&control, &ListControl::removed, this, [this] {
        m_model->reset();
        showSelection();
    });
    connect(&control, &ListControl::reset, this, [this] { m_model->reset(); });
    connect(&control, &ListControl::selectionChanged, this, &PlaylistView::showSelection);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (m_syncing)
            return;
        const int row = current.isValid() ? current.row() : -1;
        try {
            m_control.setListIndex(row);
        } catch (const Failure&) {
            showSelection();
        }
    });
}

void PlaylistView::mousePressEvent(QMouseEvent* event)
{
    const int before = m_control.ListIndex();
    QListView::mousePressEvent(event);
    m_pressSelected = m_control.ListIndex() != before;
}

void PlaylistView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int before = m_control.ListIndex();
    QListView::mouseDoubleClickEvent(event);
    const bool started = m_pressSelected || m_control.ListIndex() != before;
    const QModelIndex row = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && !started && row.isValid() &&
        row.row() == m_control.ListIndex() && m_control.DblClick)
        m_control.DblClick();
}

void PlaylistView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_control.ListIndex() >= 0) {
        event->accept();
        if (m_control.DblClick)
            m_control.DblClick();
        return;
    }
    QListView::keyPressEvent(event);
}

void PlaylistView::showSelection()
{
    m_syncing = true;
    const int index = m_control.ListIndex();
    if (index < 0) {
        selectionModel()->clear();
    } else {
        const QModelIndex row = m_model->index(index);
        selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        scrollTo(row);
    }
    m_syncing = false;
}

}  // namespace zendrix
