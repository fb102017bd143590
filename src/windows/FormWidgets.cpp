#include "FormWidgets.h"

#include "button/SkinButton.h"
#include "core/Conversions.h"
#include "core/Failure.h"
#include "platform/Fonts.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>
#include <cstdlib>

namespace zendrix {

namespace {
// The classic window background colour, shown where a skin picture does not reach.
const QColor kButtonFace(240, 240, 240);

// The windows of the group carry the same built-in icon: it is decoded once. (An image, not a pixmap,
// so that nothing of the display outlives the application.)
QIcon groupIcon(const QString& path)
{
    static QHash<QString, QImage> decoded;
    auto it = decoded.constFind(path);
    if (it == decoded.constEnd()) {
        const auto icon = Picture::load(path);
        it = decoded.insert(path, icon ? icon->image() : QImage());
    }
    return it->isNull() ? QIcon() : QIcon(QPixmap::fromImage(*it));
}
}  // namespace

QFont layoutFont(const layouts::FontChoice& font)
{
    if (!font.fallbackFamily.isEmpty() && !QFontDatabase::hasFamily(font.family))
        return makeFont(font.fallbackFamily, font.fallbackPoints, font.fallbackBold);
    return makeFont(font.family, font.points, font.bold);
}

SkinButton* makeButton(QWidget* parent, const layouts::Button& layout)
{
    auto* button = new SkinButton(parent);
    button->setObjectName(layout.name);
    button->setAccessibleName(layout.accessibleName);
    button->ReadProperties(layout.properties);
    button->setGeometry(layout.rect);
    return button;
}

Form::Form(const layouts::Window& layout, Kind kind)
{
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    flags |= kind == Kind::Main ? Qt::Window : Qt::Tool;
    setWindowFlags(flags);
    setObjectName(layout.name);
    setWindowTitle(layout.caption);
    setAccessibleName(layout.accessibleName);
    if (!layout.icon.isEmpty()) {
        if (const QIcon icon = groupIcon(layout.icon); !icon.isNull())
            setWindowIcon(icon);
    }
    setFixedSize(layout.client);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The group's windows take turns being the active one: a button's tip shows on any of them.
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

double Form::Left() const { return pixelsToTwips(pos().x()); }
double Form::Top() const { return pixelsToTwips(pos().y()); }
double Form::Width() const { return pixelsToTwips(width()); }
double Form::Height() const { return pixelsToTwips(height()); }

void Form::setLeft(double twips)
{
    move(twipsToPixels(twips), pos().y());
}

void Form::setTop(double twips)
{
    move(pos().x(), twipsToPixels(twips));
}

void Form::setPicture(const Picture& picture)
{
    m_picture = picture;
    update();
}

void Form::closeEvent(QCloseEvent* event)
{
    if (!closeRequested) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    closeRequested();
}

void Form::setDropped(std::function<void(const QStringList&)> dropped)
{
    m_dropped = std::move(dropped);
    setAcceptDrops(static_cast<bool>(m_dropped));
}

QStringList droppedArguments(const QMimeData& data)
{
    QStringList arguments;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            arguments.append(url.toLocalFile());
        else if (url.isValid())
            arguments.append(url.toString(QUrl::FullyEncoded));
    }
    return arguments;
}

void Form::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_dropped && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Form::dropEvent(QDropEvent* event)
{
    const QStringList arguments = droppedArguments(*event->mimeData());
    if (!m_dropped || arguments.isEmpty())
        return;
    event->acceptProposedAction();
    // The dragging program waits for the drop to be taken: what the files start (a message box among
    // them) comes after.
    QMetaObject::invokeMethod(this, [this, arguments] {
        if (m_dropped)
            m_dropped(arguments);
    }, Qt::QueuedConnection);
}

void Form::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kButtonFace);
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture.image());
}

ImageBox::ImageBox(QWidget* parent, const QRect& rect, Fit fit) : QWidget(parent), m_fit(fit)
{
    setGeometry(rect);
    // Presses on an image reach its window, as they do on the classic image control.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageBox::setPicture(const Picture& picture)
{
    m_picture = picture;
    update();
}

void ImageBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QImage& image = m_picture.image();
    switch (m_fit) {
    case Fit::Natural:
        painter.drawImage(0, 0, image);
        break;
    case Fit::Stretch:
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), image);
        break;
    case Fit::Centred:
        painter.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
        break;
    }
}

BoundLabel::BoundLabel(QWidget* parent, const layouts::Label& layout, LabelControl* control)
    : QLabel(layout.caption, parent), m_autoSize(layout.rect.size().isEmpty()), m_place(layout.rect.topLeft())
{
    setObjectName(layout.name);
    setFont(layoutFont(layout.font));
    setAlignment(layout.alignment | Qt::AlignTop);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, layout.color);
    if (layout.background.isValid()) {
        colours.setColor(QPalette::Window, layout.background);
        setAutoFillBackground(true);
    }
    setPalette(colours);
    setTextFormat(Qt::PlainText);
    // The line's room above and below Qt's own ascent and descent, so that the text starts where the
    // full line puts it and a label sized to its text is the full line high.
    const LineMetrics line = lineMetrics(font());
    const QFontMetrics metrics(font());
    setContentsMargins(0, line.ascent - metrics.ascent(), 0, line.descent - metrics.descent());
    if (m_autoSize)
        fit();
    else
        setGeometry(layout.rect);
    if (control)
        bind(*control);
}

void BoundLabel::bind(LabelControl& control)
{
    setText(control.Caption());
    fit();
    control.viewChanged = [this, &control] {
        setText(control.Caption());
        fit();
    };
}

void BoundLabel::setRoom(int left, int right)
{
    m_roomLeft = left;
    m_roomRight = right;
    fit();
}

void BoundLabel::fit()
{
    if (!m_autoSize)
        return;
    const QSize natural = sizeHint();
    const int roomLeft = m_roomLeft >= 0 ? m_roomLeft : m_place.x();
    const int roomRight = m_roomRight >= 0
                              ? m_roomRight
                              : (parentWidget() ? parentWidget()->width() : m_place.x() + natural.width());
    const int width = std::min(natural.width(), std::max(0, roomRight - roomLeft));
    const int left = std::max(roomLeft, std::min(m_place.x(), roomRight - width));
    setGeometry(left, m_place.y(), width, natural.height());
}

bool BoundLabel::isElided() const
{
    return QFontMetrics(font()).horizontalAdvance(text()) > contentsRect().width();
}

QString BoundLabel::shownText() const
{
    if (!isElided())
        return text();
    return QFontMetrics(font()).elidedText(text(), Qt::ElideRight, contentsRect().width());
}

bool BoundLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // Only a cut text needs telling whole; a label showing all of it has no tip.
        if (!isElided()) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this, rect());
        return true;
    }
    return QLabel::event(event);
}

void BoundLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void BoundLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    // A cut text shows its start: the end is what goes.
    const bool elided = isElided();
    const int alignment =
        elided ? (static_cast<int>(this->alignment()) & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft
               : static_cast<int>(this->alignment());
    // Not clipped to the contents: accents rise into the room the line keeps above Qt's ascent.
    painter.drawText(contentsRect(), alignment | Qt::TextDontClip, shownText());
}

BoundScrollBar::BoundScrollBar(QWidget* parent, const layouts::ScrollBar& layout, ScrollBarControl& control)
    : QScrollBar(Qt::Horizontal, parent), m_control(control)
{
    setObjectName(layout.name);
    setAccessibleName(layout.accessibleName);
    setGeometry(layout.rect);
    setSingleStep(1);
    setPageStep(1);
    showControl();
    control.viewChanged = [this] { showControl(); };
    connect(this, &QScrollBar::valueChanged, this, [this](int value) {
        if (value == m_control.Value())
            return;
        try {
            m_control.setValue(value);
        } catch (const Failure&) {
            showControl();
        }
    });
}

void BoundScrollBar::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    if (std::abs(angle.y()) <= std::abs(angle.x())) {
        QScrollBar::wheelEvent(event);
        return;
    }
    // A horizontal bar takes the wheel turned up as a move to the left: turn it round.
    const QPoint pixels = event->pixelDelta();
    QWheelEvent turned(event->position(), event->globalPosition(), QPoint(pixels.x(), -pixels.y()),
                       QPoint(angle.x(), -angle.y()), event->buttons(), event->modifiers(), event->phase(),
                       event->inverted(), event->source());
    QScrollBar::wheelEvent(&turned);
    event->setAccepted(turned.isAccepted());
}

void BoundScrollBar::showControl()
{
    const QSignalBlocker blocker(this);
    setRange(m_control.Min(), m_control.Max());
    setValue(m_control.Value());
}

BoundTimer::BoundTimer(QObject* parent, TimerControl& control, std::function<void()> tick) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(control.Interval());
    connect(&m_timer, &QTimer::timeout, this, std::move(tick));
    control.viewChanged = [this, &control] {
        if (control.Enabled())
            m_timer.start();
        else
            m_timer.stop();
    };
}

}  // namespace zendrix
