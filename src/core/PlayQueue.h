#pragma once

#include <QList>
#include <QObject>
#include <optional>

namespace zendrix {

// The entries the user asked to hear next ("Play Next"), by list index, in the order asked. The advance
// at the end of an item takes the first before it goes on in the list's own order. PlayOrder keeps the
// indices on their entries while the list changes.
class PlayQueue : public QObject
{
    Q_OBJECT
public:
    // Queues the entry at the end; an entry already queued keeps its place.
    void enqueue(int index);
    // Takes the entry out of the queue, wherever it stands.
    void remove(int index);
    std::optional<int> takeFirst();
    // The entry's place in the queue, from 1; 0 when it is not queued.
    int place(int index) const;
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QList<int>& entries() const { return m_entries; }

    void clear();
    void afterRemoval(int first, int last);
    void afterRearrangement(const QList<int>& order);

Q_SIGNALS:
    void changed();

private:
    QList<int> m_entries;
};

} // namespace zendrix
