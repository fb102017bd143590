#pragma once

#include "core/ListControl.h"

#include <QAbstractListModel>
#include <QListView>

namespace zendrix {

class PlayQueue;
class TagCache;

// Shows a ListControl in a list view. The user's selection changes (mouse or keyboard) go to the
// control, which raises its Click; a double click on the selected entry and Enter raise its DblClick;
// selections the program makes arrive through the control and raise nothing here. Every row is the
// font's whole line high (lineMetrics), so no accent or dot of an entry is cut. Cheap for the longest
// list the control holds.
//
// The list's own gestures: an entry dragged to another place, or moved by Alt+Up and Alt+Down, moves
// there without being selected or started (the selected entry stays selected); a click selects on the
// button's release, so a drag never plays the entry it carries, and the right button selects nothing.
// Delete, J and Ctrl+F, and the context menu (right click, the Menu key, Shift+F10) are told to the window.
//
// With titles shown, an entry reads "Artist - Title" (its file name without tags) with its length at
// the right; a queued entry shows its place in the queue, drawn beside its text. Titles are asked for
// as rows come into view.
class PlaylistView : public QListView
{
    Q_OBJECT
public:
    PlaylistView(QWidget* parent, ListControl& control);

    void setQueue(const PlayQueue* queue);
    void setTags(TagCache* tags);
    void setShowTitles(bool on);
    bool showsTitles() const { return m_showTitles; }
    // The rows on screen.
    std::pair<int, int> visibleRows() const;

Q_SIGNALS:
    void removeRequested();
    void jumpRequested();
    // The context menu for the entry at `row` (-1: none), at `globalPosition`.
    void menuRequested(int row, const QPoint& globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Model;
    void showSelection();
    int dropRow(const QPoint& position) const;
    void askForVisibleTitles();

    ListControl& m_control;
    Model* m_model;
    TagCache* m_tags = nullptr;
    bool m_showTitles = false;
    bool m_syncing = false;
    // Whether the last click changed the selection, so that a double click it began has started its
    // entry already.
    bool m_pressSelected = false;
    // A left press on a row: a click when released there, a drag once the pointer has moved away.
    int m_pressRow = -1;
    QPoint m_pressPosition;
    bool m_dragging = false;
    int m_dropRow = -1;
};

}  // namespace zendrix
