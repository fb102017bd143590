#pragma once

#include "platform/Picture.h"
#include "platform/PropertyBag.h"

#include <QWidget>

namespace zendrix {

// The owner-drawn push button of every window (a stand-in until the full control lands).
class SkinButton : public QWidget
{
    Q_OBJECT
public:
    explicit SkinButton(QWidget* parent = nullptr) : QWidget(parent) {}

    void ReadProperties(const PropertyBag& bag)
    {
        m_caption = bag.read(QStringLiteral("TX")).toString();
        m_picture = bag.read(QStringLiteral("PICN")).value<Picture>();
        setEnabled(bag.read(QStringLiteral("ENAB"), true).toBool());
    }
    const QString& Caption() const { return m_caption; }
    void setCaption(const QString& caption)
    {
        m_caption = caption;
        update();
    }
    const Picture& PictureNormal() const { return m_picture; }
    void setPictureNormal(const Picture& picture)
    {
        m_picture = picture;
        update();
    }

Q_SIGNALS:
    void Click();

private:
    QString m_caption;
    Picture m_picture;
};

}  // namespace zendrix
