#pragma once

#include "ListControl.h"
#include "PlayQueue.h"
#include "RepeatSetting.h"
#include "ShuffleRounds.h"
#include "SwitchSetting.h"

#include <QObject>
#include <optional>

namespace zendrix {

// Which entry the list plays next when the user has asked for an order of their own: the queue ("Play
// Next") first, then, with Shuffle Play on, the shuffle round. The end-of-item advance and the desktop's
// Next and Previous ask here first; where this says nothing, the list's own order decides, as it always
// has. The queue and the round follow their entries while the list is edited, sorted or reordered.
class PlayOrder : public QObject
{
    Q_OBJECT
public:
    PlayOrder(ListControl& list, RepeatSetting& repeat, SwitchSetting& shuffle,
              std::uint32_t seed = std::random_device{}());

    PlayQueue& queue() { return m_queue; }
    const PlayQueue& queue() const { return m_queue; }
    SwitchSetting& shuffle() { return m_shuffle; }
    bool shuffles() const { return m_shuffle.isOn(); }

    // The entry to play after `current` (the selected entry, -1 for none): the first queued entry, else
    // with Shuffle Play on and an item started from the list the round's next (-1 when the round is over
    // and repeat is off). Nothing when the list's own order decides.
    std::optional<int> takeNext(int current, bool fromPlaylist);
    std::optional<bool> hasNext(bool fromPlaylist) const;
    // With Shuffle Play on, the entry played before the current one (-1 for none); nothing otherwise.
    std::optional<int> takePrevious(bool fromPlaylist);
    std::optional<bool> hasPrevious(bool fromPlaylist) const;

    // An entry has started from the list, however it was chosen: it leaves the queue and is played in
    // this shuffle round.
    void started(int index);

private:
    ListControl& m_list;
    RepeatSetting& m_repeat;
    SwitchSetting& m_shuffle;
    PlayQueue m_queue;
    ShuffleRounds m_rounds;
};

} // namespace zendrix
