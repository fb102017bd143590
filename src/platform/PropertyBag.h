#pragma once

#include <QString>
#include <QVariant>
#include <vector>

namespace zendrix {

// A control's stored layout: named values in the order they were written. Keys compare without
// regard to case, as a window's saved layout does ("BTYPE" finds "btype").
class PropertyBag
{
public:
    // Stores value under key, replacing a value stored under the same key in any case.
    void write(const QString& key, const QVariant& value);
    // The value under key, or defaultValue when there is none.
    QVariant read(const QString& key, const QVariant& defaultValue = {}) const;
    bool contains(const QString& key) const { return indexOf(key) >= 0; }
    QStringList keys() const;
    int size() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry
    {
        QString key;
        QVariant value;
    };
    int indexOf(const QString& key) const;

    std::vector<Entry> m_entries;
};

}  // namespace zendrix
