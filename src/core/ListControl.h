#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace zendrix {

// What the user is told when the list has no room for more.
inline const QString kListFullText = QStringLiteral("The playlist is full: it holds at most 32,767 entries.");

// A list box's entries and selection: the playlist window's list is the player's one playlist, read by
// index by the main window. Counts and indices are 16-bit: the list holds at most 32,767 entries.
//
// Click and DblClick are the window's handlers of the user's gestures, one each, as a list box has them.
// What changed in the list is told to anyone who listens (the widget that shows it, the desktop's media
// controls) through the signals, after the change.
class ListControl : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxCount = 32767;

    std::int16_t ListCount() const { return static_cast<std::int16_t>(m_items.size()); }
    // The entry at index; an index outside the list throws Failure("Invalid property array index").
    const QString& List(int index) const;
    std::int16_t ListIndex() const { return m_index; }

    enum class Notify { Yes, No };
    // Selects an entry (-1 selects nothing); outside -1..ListCount-1 throws Failure("Invalid property value").
    // A changed selection raises Click unless told not to.
    void setListIndex(int index, Notify notify = Notify::Yes);

    // Appends at the end; a full list throws Failure("Out of memory") and is left as it was.
    void AddItem(const QString& item);
    // Appends as many as fit and returns how many did.
    int addItems(const QStringList& items);
    // Removes the entry at index (outside the list: Failure("Invalid procedure call or argument")); the
    // selection is cleared.
    void RemoveItem(int index);
    void Clear();

    // Puts the entries in a new order: order[i] is the old index of the entry that goes to place i, and
    // old indices left out are removed (an index outside the list, or given twice, throws
    // Failure("Invalid procedure call or argument") and changes nothing). The selected entry stays
    // selected at its new place, without raising Click; when it is left out, nothing is selected.
    void rearrange(const QList<int>& order);
    // Moves one entry to another place (both within the list), the others closing up behind it, as
    // rearrange does.
    void moveItem(int from, int to);

    const QStringList& items() const { return m_items; }

    // The window's selection handling.
    std::function<void()> Click;
    // The window's handling of a double click on the selected entry, or Enter: the user asks for that
    // entry, even when it is the one already selected. A double click that first selected the entry
    // raises only Click.
    std::function<void()> DblClick;

Q_SIGNALS:
    void inserted(int first, int last);
    void removed(int first, int last);
    void reset();
    void selectionChanged();
    // After rearrange and moveItem: order[i] is the old index of the entry now at i.
    void rearranged(const QList<int>& order);

private:
    QStringList m_items;
    std::int16_t m_index = -1;
};

}  // namespace zendrix
