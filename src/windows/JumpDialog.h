#pragma once

#include "core/EntryFilter.h"

#include <QDialog>

class QLineEdit;
class QListView;

namespace zendrix {

// "Jump to Entry": a text field over the entries that hold every typed word in their title, artist or
// path, without regard to case, updated at each keystroke. Enter (in the field or the list) or a double
// click chooses the highlighted match, the first one while none is highlighted, and closes the dialog;
// Escape closes it without a choice. The entries are taken as the list holds them when it opens.
class JumpDialog : public QDialog
{
    Q_OBJECT
public:
    // `shown` gives the text a match is shown by (the title where titles are shown, else the path).
    JumpDialog(QWidget* parent, const QStringList& entries, const TagLookup& tags,
               std::function<QString(int)> shown);

    QLineEdit* text = nullptr;
    QListView* matches = nullptr;

    // The list index of the chosen entry once the dialog was accepted; -1 before.
    int chosenRow() const { return m_chosen; }
    // The list indices that match the text now, in list order.
    const QList<int>& matchingRows() const { return m_rows; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Model;
    void filter(const QString& typed);
    void choose();

    EntryFilter m_filter;
    QList<int> m_rows;
    Model* m_model;
    int m_chosen = -1;
};

} // namespace zendrix
