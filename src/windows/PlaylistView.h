#pragma once

#include "core/ListControl.h"

#include <QAbstractListModel>
#include <QListView>

namespace zendrix {

// Shows a ListControl in a list view. The user's selection changes (mouse or keyboard) go to the
// control, which raises its Click; selections the program makes arrive through the control and raise
// nothing here. Cheap for the longest list the control holds.
class PlaylistView : public QListView
{
    Q_OBJECT
public:
    PlaylistView(QWidget* parent, ListControl& control);
    // Unhooks from the control, which may outlive the view.
    ~PlaylistView() override;

private:
    class Model;
    void showSelection();

    ListControl& m_control;
    Model* m_model;
    bool m_syncing = false;
};

}  // namespace zendrix
