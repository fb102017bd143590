// Every label of every window, rendered: its text is drawn whole, from the label's top edge with the
// font's full line height, so no mark of it is cut at the label's top or bottom.
#include "support/ProgramStart.h"
#include "windows/FormWidgets.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/SettingsWindow.h"
#include "windows/TitleStrip.h"

#include <QPainter>
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

} // namespace
