#pragma once

#include "core/ListControl.h"

#include <QAbstractListModel>
#include <QListView>

namespace zendrix {

// Shows a ListControl in a list view. The user's selection changes (mouse or keyboard) go to the
// control, which raises its Click; a double click on the selected entry and Enter raise its DblClick;
// selections the program makes arrive through the control and raise nothing here. Every row is the
// font's whole line high (lineMetrics), so no accent or dot of an entry is cut. Cheap for the longest
// list the control holds.
class PlaylistView : public QListView
{
    Q_OBJECT
public:
    PlaylistView(QWidget* parent, ListControl& control);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Model;
    void showSelection();

    ListControl& m_control;
    Model* m_model;
    bool m_syncing = false;
    // Whether the last press changed the selection, so that a double click it began has started its
    // entry already.
    bool m_pressSelected = false;
};

}  // namespace zendrix
