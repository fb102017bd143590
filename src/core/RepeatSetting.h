#pragma once

#include <QObject>

namespace zendrix {

// "RepeatPlaylist" of section "Player": whether the end of the list starts it again. The settings file at
// ConfigPath is read once, when the program has found it, and the value is kept here: the end-of-list
// advance and the desktop's media controls ask here instead of reading the disk at every question. The
// Repeat box changes it (a click; the desktop's LoopStatus acts as one) and the change is written at
// once, as every setting is. The box itself opens unchecked at every start, whatever is stored.
class RepeatSetting : public QObject
{
    Q_OBJECT
public:
    // Reads the stored value: only the exact text "True" is on.
    void load();
    bool isOn() const { return m_on; }
    // Keeps the value and writes "True" or "False"; tells `changed` when the value is another than before.
    void store(bool on);

Q_SIGNALS:
    void changed(bool on);

private:
    bool m_on = false;
};

} // namespace zendrix
