#pragma once

#include <QObject>
#include <QString>

namespace zendrix {

// An on/off setting of the settings file at ConfigPath ("True" or "False", off when missing): read once,
// when the program has found its settings, and kept here for everyone who asks; a change is written at
// once, as every setting is, and told through `changed`.
class SwitchSetting : public QObject
{
    Q_OBJECT
public:
    SwitchSetting(QString section, QString key) : m_section(std::move(section)), m_key(std::move(key)) {}

    // Reads the stored value: only the exact text "True" is on.
    void load();
    bool isOn() const { return m_on; }
    // Keeps the value and writes it; tells `changed` when it differs from before.
    void store(bool on);

Q_SIGNALS:
    void changed(bool on);

private:
    QString m_section;
    QString m_key;
    bool m_on = false;
};

} // namespace zendrix
