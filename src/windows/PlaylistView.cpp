#include "PlaylistView.h"

#include "core/Failure.h"

#include <QKeyEvent>
#include <QMouseEvent>

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
