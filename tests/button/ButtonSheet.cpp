// Renders the contact sheet of the button looks: all fourteen ButtonType values in the up, down,
// disabled, hovered and focused states, with a caption, with a 16 x 16 icon, and with both.
// Usage: button_sheet <output.png>
#include "TestIcon.h"
#include "button/SkinButton.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QPainter>
#include <cstdio>

using namespace zendrix;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: button_sheet <output.png>\n");
        return 2;
    }
    loadBundledFonts();
    constexpr int kWidth = 64, kHeight = 24, kCell = 70, kRow = 30, kLabel = 28, kHeader = 30;
    const char* const states[] = {"up", "down", "disabled", "hovered", "focused"};
    const char* const variants[] = {"caption", "icon", "icon + caption"};
    const Picture icon = fixtures::playIcon();
    QWidget container;
    container.setStyleSheet(QStringLiteral("background: rgb(90, 110, 140)"));
    SkinButton button(&container);
    button.setGeometry(0, 0, kWidth, kHeight);

    QImage sheet(kLabel + 15 * kCell, kHeader + 14 * kRow, QImage::Format_RGB32);
    sheet.fill(QColor(90, 110, 140));
    QPainter painter(&sheet);
    painter.setPen(Qt::white);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(9);
    painter.setFont(label);
    for (int variant = 0; variant < 3; ++variant) {
        painter.drawText(kLabel + variant * 5 * kCell + 4, 11, QString::fromLatin1(variants[variant]));
        for (int state = 0; state < 5; ++state)
            painter.drawText(kLabel + (variant * 5 + state) * kCell + 4, 24,
                             QString::fromLatin1(states[state]));
    }
    for (int type = 1; type <= 14; ++type) {
        const int y = kHeader + (type - 1) * kRow;
        painter.drawText(4, y + 16, QString::number(type));
        for (int variant = 0; variant < 3; ++variant) {
            button.setButtonType(type);
            button.setCaption(variant == 1 ? QString() : QStringLiteral("&Play"));
            button.setPictureNormal(variant == 0 ? Picture() : icon);
            for (int state = 0; state < 5; ++state) {
                PaintInputs in = button.paintInputs();
                in.enabled = state != 2;
                in.isOver = state == 3;
                in.hasFocus = state == 4;
                in.lastState = state == 1 ? StateDown : StateUp;
                ButtonPalette palette = button.buttonPalette();
                quint8 captionMode = 0;
                QImage cell(kWidth, kHeight, QImage::Format_RGB32);
                DeviceContext dc(cell);
                ButtonPainter(dc, in, palette, captionMode).paint(in.lastState);
                // The button's own window shape shows the sheet through the cut corners.
                const int x = kLabel + (variant * 5 + state) * kCell;
                painter.save();
                painter.setClipRegion(button.mask().translated(x, y));
                painter.drawImage(x, y, cell);
                painter.restore();
            }
        }
    }
    painter.end();
    if (!sheet.scaled(sheet.size() * 2).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "button_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
