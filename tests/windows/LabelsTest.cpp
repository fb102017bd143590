// Every label of every window, rendered: its text is drawn whole, from the label's top edge with the
// font's full line height, so no mark of it is cut at the label's top or bottom; a text too long for
// its label shows its start and tells the rest.
#include "core/Player.h"
#include "support/ProgramStart.h"
#include "windows/FormWidgets.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/SettingsWindow.h"
#include "windows/TitleStrip.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QColor kInk(255, 0, 255);

// The rows of `image` that hold a pixel of the ink colour: first row, row count.
std::pair<int, int> inkRows(const QImage& image)
{
    int first = -1;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == kInk) {
                first = first < 0 ? y : first;
                ++count;
                break;
            }
        }
    }
    return {first, count};
}

// What the label's tooltip says when the pointer rests on it; empty when the help event goes unanswered,
// as it does for a widget without a tip.
QString tipOf(QLabel& label)
{
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&label, &help);
    return help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
}

// The label as its window shows it, on white.
QImage rendered(QLabel& label)
{
    QImage image(label.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The text in the label's font, drawn with nothing to cut it.
QImage unclipped(const QLabel& label)
{
    const QFontMetrics metrics(label.font());
    QImage image(metrics.horizontalAdvance(label.text()) + 40, metrics.height() * 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(label.font());
    painter.setPen(kInk);
    painter.drawText(QPoint(20, metrics.height() * 2), label.text());
    return image;
}

TEST(Labels, EveryWindowsLabelsDrawTheirTextWholeBelowTheirTopEdge)
{
    ProgramRig rig;
    Program& program = rig.start();
    const QList<QWidget*> windows{&program.frmMain(), &program.frmTitle(), &program.frmPlaylist(),
                                  &program.frmSettings(), &program.frmInfo()};
    int checked = 0;
    for (QWidget* window : windows) {
        for (BoundLabel* label : window->findChildren<BoundLabel*>()) {
            const QString name = window->objectName() + "." + label->objectName();
            EXPECT_TRUE(window->rect().contains(label->geometry())) << name.toStdString();
            QPalette colours = label->palette();
            colours.setColor(label->foregroundRole(), kInk);
            label->setPalette(colours);
            // The label's own text, then accented capitals and descenders: a line's full height.
            for (const QString& text : {label->text(), QStringLiteral("ÉÅÇ gjpy")}) {
                label->setText(text);
                label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
                EXPECT_EQ(inkRows(rendered(*label)).second, inkRows(unclipped(*label)).second)
                    << name.toStdString() << ": " << text.toStdString();
            }
            // Capitals stand below the label's top edge, with the room the font keeps above them.
            label->setText("File Information");
            label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
            EXPECT_GT(inkRows(rendered(*label)).first, 0) << name.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 7 + 1 + 2 + 10) << "the main, playlist, settings and information windows' labels";
}

TEST(Labels, ANameTooLongForItsLabelShowsItsStartCutAtTheEndAndTellsTheWholeInTheTipAndTheAccessibleName)
{
    ProgramRig rig;
    Program& program = rig.start();
    InfoWindow& info = program.frmInfo();
    const auto labelOf = [](QWidget& window, const char* name) {
        return window.findChild<BoundLabel*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    };
    const struct
    {
        LabelControl& control;
        BoundLabel* label;
        QRect room; // where the label may stand in its window
    } labels[] = {
        {rig.player().lblFilename, labelOf(program.frmMain(), "lblFilename"), QRect(136, 8, 281, 15)},
        {program.frmPlaylist().lblFilename, labelOf(program.frmPlaylist(), "lblFilename"),
         QRect(8, 303, 217, 15)},
        {info.lblTitle, labelOf(info, "lblTitle"), QRect(16, 0, 233 - 32, 169)},
        {info.lblAuthor, labelOf(info, "lblAuthor"), QRect(59, 0, 233 - 16 - 59, 169)},
    };
    for (const auto& l : labels) {
        ASSERT_NE(l.label, nullptr);
        SCOPED_TRACE(l.label->parentWidget()->objectName().toStdString() + "." +
                     l.label->objectName().toStdString());
        QPalette colours = l.label->palette();
        colours.setColor(l.label->foregroundRole(), kInk);
        l.label->setPalette(colours);
        for (const QString& name :
             {QStringLiteral("An Exceedingly Long Title That Goes On Past Every Edge Of Its Label"),
              QStringLiteral("Ünïcödé Çàfé Ëxpérïéncé Ågåin Ünd Wïëdër Fürthér Bëyönd Évéry Édgé"),
              QStringLiteral("東京の夜明けに響く長い長い歌のタイトルはここまで続きますまだまだ続きます")}) {
            l.control.setCaption(name);
            EXPECT_TRUE(l.room.contains(l.label->geometry())) << "the label keeps to its room";
            const QString shown = l.label->shownText();
            EXPECT_TRUE(shown.startsWith(name.left(4)) && (shown.endsWith(u'…') || shown.endsWith("...")))
                << shown.toStdString();
            EXPECT_GT(inkRows(rendered(*l.label).copy(0, 0, 2, l.label->height())).second, 0)
                << "drawn from the label's left edge";
            EXPECT_EQ(tipOf(*l.label), name);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(l.label)->text(QAccessible::Name), name);
        }
        l.control.setCaption("Morning");
        EXPECT_EQ(l.label->shownText(), "Morning");
        EXPECT_EQ(tipOf(*l.label), "") << "a name shown whole needs no tip";
    }
    EXPECT_EQ(inkRows(rendered(*labels[0].label).copy(0, 0, 100, 15)).second, 0)
        << "a name that fits keeps its centring";
    EXPECT_EQ(labels[2].label->x(), 105) << "a short title stands where the window puts it";
    info.lblTitle.setCaption(QString(60, u'W'));
    EXPECT_EQ(labels[2].label->x(), 16) << "a long one starts at the window's margin";
    QToolTip::hideText();
}

} // namespace
