#include "PropertyBag.h"

namespace zendrix {

int PropertyBag::indexOf(const QString& key) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void PropertyBag::write(const QString& key, const QVariant& value)
{
    const int index = indexOf(key);
    if (index >= 0)
        m_entries[static_cast<std::size_t>(index)].value = value;
    else
        m_entries.push_back({key, value});
}

QVariant PropertyBag::read(const QString& key, const QVariant& defaultValue) const
{
    const int index = indexOf(key);
    return index >= 0 ? m_entries[static_cast<std::size_t>(index)].value : defaultValue;
}

QStringList PropertyBag::keys() const
{
    QStringList result;
    result.reserve(size());
    for (const Entry& entry : m_entries)
        result.append(entry.key);
    return result;
}

}  // namespace zendrix
