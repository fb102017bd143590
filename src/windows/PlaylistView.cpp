#include "PlaylistView.h"

#include "core/Failure.h"
#include "core/PlayQueue.h"
#include "core/TagCache.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zendrix {

namespace {

// The most of an entry a row shows. A row is a couple of hundred pixels wide, and laying out a line of
// tens of thousands of characters at every paint would freeze the list; the entry itself stays whole.
constexpr qsizetype kShownCharacters = 500;

// What the delegate draws at a row's right: the length, and the place in the queue.
constexpr int kLengthRole = Qt::UserRole + 1;
constexpr int kQueueRole = Qt::UserRole + 2;

QString shownText(const QString& entry)
{
    if (entry.size() <= kShownCharacters)
        return entry;
    qsizetype length = kShownCharacters;
    if (entry.at(length - 1).isHighSurrogate())
        --length; // never half a character
    return entry.left(length);
}

// Rows a full line of the font high, the text on that line's baseline: some fonts' own metrics (the
// bitmap Tahoma among them) end at the top of the capitals, and a row of that height would cut the
// accents above them and the dots of i and j. The style still paints the row's background, selection
// and focus; only the text is drawn here, and at the row's right the entry's length and its place in
// the queue, each where the model gives one.
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
        QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &row, view);
        const LineMetrics line = lineMetrics(row.font);
        const QFontMetrics metrics(row.font);
        const int baseline = area.top() + (area.height() - line.height()) / 2 + line.ascent;
        const bool selected = row.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = !(row.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (row.state & QStyle::State_Active) ? QPalette::Active
                                                                                : QPalette::Inactive;
        const QColor ink = row.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        painter->save();
        painter->setClipRect(row.rect);
        painter->setFont(row.font);
        painter->setPen(ink);

        // The length at the right edge, the queue's place before it; the entry's text keeps the rest.
        const QString length = index.data(kLengthRole).toString();
        const int place = index.data(kQueueRole).toInt();
        const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
        if (!length.isEmpty()) {
            const int width = metrics.horizontalAdvance(length);
            painter->drawText(area.right() - width, baseline, length);
            area.setRight(area.right() - width - 2 * gap);
        }
        if (place > 0) {
            const QString number = QString::number(place);
            QRect badge(0, 0, metrics.horizontalAdvance(number) + 2 * gap, line.height());
            badge.moveTopRight(QPoint(area.right(), baseline - line.ascent));
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(ink);
            painter->drawRoundedRect(badge, 4, 4);
            painter->setPen(row.palette.color(group, selected ? QPalette::Highlight : QPalette::Base));
            painter->drawText(badge.left() + gap, baseline, number);
            painter->setPen(ink);
            area.setRight(badge.left() - gap);
        }
        painter->drawText(area.left(), baseline, metrics.elidedText(text, row.textElideMode, area.width()));
        painter->restore();
    }
};

} // namespace

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
        if (index.row() < 0 || index.row() >= m_control.ListCount())
            return {};
        const QString& entry = m_control.items().at(index.row());
        // Asked only for the roles that show tags: the view asks for many more at every paint.
        const auto known = [&]() -> const EntryTags* {
            return showTitles && tags ? tags->find(entry) : nullptr;
        };
        switch (role) {
        case Qt::DisplayRole:
            return shownText(showTitles ? entryDisplayName(entry, known()) : entry);
        case kLengthRole:
            if (const EntryTags* tagged = known(); tagged && tagged->hasLength())
                return lengthText(tagged->lengthMs);
            return QString();
        case kQueueRole:
            return queue ? queue->place(index.row()) : 0;
        default:
            return {};
        }
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
    // Titles, lengths or queue places changed: the rows show them at their next paint.
    void refreshRows()
    {
        if (rowCount({}) > 0)
            Q_EMIT dataChanged(index(0), index(rowCount({}) - 1));
    }

    const PlayQueue* queue = nullptr;
    TagCache* tags = nullptr;
    bool showTitles = false;

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

    connect(&control, &ListControl::inserted, this, [this](int first, int last) {
        m_model->inserted(first, last);
        askForVisibleTitles();
    });
    const auto rebuilt = [this] {
        m_model->reset();
        showSelection();
        askForVisibleTitles();
    };
    connect(&control, &ListControl::removed, this, rebuilt);
    connect(&control, &ListControl::rearranged, this, rebuilt);
    connect(&control, &ListControl::reset, this, rebuilt);
    connect(&control, &ListControl::selectionChanged, this, &PlaylistView::showSelection);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
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

void PlaylistView::setQueue(const PlayQueue* queue)
{
    m_model->queue = queue;
    if (queue)
        connect(queue, &PlayQueue::changed, this, [this] { viewport()->update(); });
}

void PlaylistView::setTags(TagCache* tags)
{
    m_model->tags = tags;
    m_tags = tags;
    if (tags) {
        connect(tags, &TagCache::arrived, this, [this] {
            if (m_showTitles)
                m_model->refreshRows();
        });
    }
}

void PlaylistView::setShowTitles(bool on)
{
    if (m_showTitles == on)
        return;
    m_showTitles = on;
    m_model->showTitles = on;
    m_model->refreshRows();
    askForVisibleTitles();
}

std::pair<int, int> PlaylistView::visibleRows() const
{
    const int count = m_control.ListCount();
    if (count == 0)
        return {0, -1};
    const QModelIndex top = indexAt(QPoint(1, 1));
    const QModelIndex bottom = indexAt(QPoint(1, viewport()->height() - 2));
    return {top.isValid() ? top.row() : 0, bottom.isValid() ? bottom.row() : count - 1};
}

void PlaylistView::askForVisibleTitles()
{
    if (!m_showTitles || !m_tags)
        return;
    const auto [first, last] = visibleRows();
    if (last >= first)
        m_tags->request(m_control.items().mid(first, last - first + 1), TagCache::Urgency::First);
}

void PlaylistView::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    askForVisibleTitles();
}

void PlaylistView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    askForVisibleTitles();
}

void PlaylistView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex row = indexAt(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        // The menu acts on the entry under the pointer; the right button selects (and plays) nothing.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && row.isValid()) {
        setFocus(Qt::MouseFocusReason);
        m_pressRow = row.row();
        m_pressPosition = event->position().toPoint();
        m_dragging = false;
        event->accept();
        return;
    }
    const int before = m_control.ListIndex();
    QListView::mousePressEvent(event);
    m_pressSelected = m_control.ListIndex() != before;
}

void PlaylistView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressRow < 0 || !(event->buttons() & Qt::LeftButton)) {
        QListView::mouseMoveEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    if (!m_dragging && (position - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    m_dropRow = dropRow(position);
    viewport()->update();
}

void PlaylistView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressRow < 0 || event->button() != Qt::LeftButton) {
        QListView::mouseReleaseEvent(event);
        return;
    }
    const int from = std::exchange(m_pressRow, -1);
    event->accept();
    if (std::exchange(m_dragging, false)) {
        const int to = std::exchange(m_dropRow, -1);
        viewport()->update();
        try {
            m_control.moveItem(from, to);
        } catch (const Failure&) {
            // The list changed under the drag: nothing to move.
        }
        return;
    }
    const int before = m_control.ListIndex();
    if (from < m_control.ListCount())
        setCurrentIndex(m_model->index(from));
    m_pressSelected = m_control.ListIndex() != before;
}

int PlaylistView::dropRow(const QPoint& position) const
{
    const QModelIndex row = indexAt(QPoint(1, position.y()));
    if (row.isValid())
        return row.row();
    return position.y() < 0 ? 0 : m_control.ListCount() - 1;
}

void PlaylistView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (!m_dragging || m_dropRow < 0 || m_pressRow < 0)
        return;
    // The line shows where the entry lands: below the row when it moves down, above when it moves up.
    const QRect row = visualRect(m_model->index(m_dropRow));
    const int y = m_dropRow > m_pressRow ? row.bottom() : row.top();
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 2));
    painter.drawLine(row.left(), y, row.right(), y);
}

void PlaylistView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex row = indexAt(event->position().toPoint());
    event->accept();
    if (event->button() != Qt::LeftButton || !row.isValid())
        return;
    bool started = m_pressSelected;
    if (m_pressRow < 0) {
        // A double click that comes without its second press acts as that press and its click.
        const int before = m_control.ListIndex();
        setCurrentIndex(row);
        started = m_control.ListIndex() != before;
    }
    // The click that came first selected the entry on its release, which started it.
    if (!started && row.row() == m_control.ListIndex() && m_control.DblClick)
        m_control.DblClick();
}

void PlaylistView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int selected = m_control.ListIndex();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selected >= 0) {
        event->accept();
        if (m_control.DblClick)
            m_control.DblClick();
        return;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && modifiers == Qt::AltModifier) {
        event->accept();
        const int to = selected + (key == Qt::Key_Up ? -1 : 1);
        if (selected >= 0 && to >= 0 && to < m_control.ListCount())
            m_control.moveItem(selected, to);
        return;
    }
    if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        event->accept();
        Q_EMIT removeRequested();
        return;
    }
    if ((key == Qt::Key_J && modifiers == Qt::NoModifier) ||
        (key == Qt::Key_F && modifiers == Qt::ControlModifier)) {
        event->accept();
        Q_EMIT jumpRequested();
        return;
    }
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        event->accept();
        const QRect row = selected >= 0 ? visualRect(m_model->index(selected)) : QRect();
        const QPoint at =
            row.isValid() && viewport()->rect().intersects(row) ? row.bottomLeft() : QPoint(0, 0);
        Q_EMIT menuRequested(selected, viewport()->mapToGlobal(at));
        return;
    }
    QListView::keyPressEvent(event);
}

void PlaylistView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex row = indexAt(viewport()->mapFromGlobal(event->globalPos()));
        Q_EMIT menuRequested(row.isValid() ? row.row() : -1, event->globalPos());
        return;
    }
    const int selected = m_control.ListIndex();
    const QRect row = selected >= 0 ? visualRect(m_model->index(selected)) : QRect();
    const QPoint at = row.isValid() && viewport()->rect().intersects(row) ? row.bottomLeft() : QPoint(0, 0);
    Q_EMIT menuRequested(selected, viewport()->mapToGlobal(at));
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

} // namespace zendrix
