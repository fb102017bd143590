// Renders the contact sheet of the button looks: all fourteen ButtonType values in the up, down,
// disabled, hovered and focused states, with a caption, with a 16 x 16 icon, and with both.
// Usage: button_sheet <output.png> [--soak N]
// With --soak, it also repaints a look-14 button N times in every state (for leak checks).
#include "TestIcon.h"
#include "button/SkinButton.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QPainter>
#include <cstdio>

using namespace zendrix;

namespace {

constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 24;
constexpr int kCell = 70;
constexpr int kRowHeight = 30;
constexpr int kLabelWidth = 28;
constexpr int kHeaderHeight = 30;
const char* const kStates[] = {"up", "down", "disabled", "hovered", "focused"};
const char* const kVariants[] = {"caption", "icon", "icon + caption"};

QImage paintCell(SkinButton& button, int state)
{
    PaintInputs in = button.paintInputs();
    in.enabled = state != 2;
    in.isOver = state == 3;
    in.hasFocus = state == 4;
    in.lastState = state == 1 ? StateDown : StateUp;
    ButtonPalette palette = button.buttonPalette();
    quint8 captionMode = 0;
    QImage surface(kButtonWidth, kButtonHeight, QImage::Format_RGB32);
    DeviceContext dc(surface);
    ButtonPainter(dc, in, palette, captionMode).paint(in.lastState);
    return surface;
}

void configure(SkinButton& button, int type, int variant, const Picture& icon)
{
    button.setButtonType(type);
    button.setCaption(variant == 1 ? QString() : QStringLiteral("&Play"));
    button.setPictureNormal(variant == 0 ? Picture() : icon);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: button_sheet <output.png> [--soak N]\n");
        return 2;
    }
    loadBundledFonts();
    const Picture icon = fixtures::playIcon();

    QWidget container;
    container.setStyleSheet(QStringLiteral("background: rgb(90, 110, 140)"));
    SkinButton button(&container);
    button.setGeometry(0, 0, kButtonWidth, kButtonHeight);

    const int columns = 3 * 5;
    QImage sheet(kLabelWidth + columns * kCell, kHeaderHeight + 14 * kRowHeight, QImage::Format_RGB32);
    sheet.fill(QColor(90, 110, 140));
    QPainter painter(&sheet);
    painter.setPen(Qt::white);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(9);
    painter.setFont(label);
    for (int variant = 0; variant < 3; ++variant) {
        painter.drawText(kLabelWidth + variant * 5 * kCell + 4, 11, QString::fromLatin1(kVariants[variant]));
        for (int state = 0; state < 5; ++state)
            painter.drawText(kLabelWidth + (variant * 5 + state) * kCell + 4, 24,
                             QString::fromLatin1(kStates[state]));
    }
    for (int type = 1; type <= 14; ++type) {
        const int y = kHeaderHeight + (type - 1) * kRowHeight;
        painter.drawText(4, y + 16, QString::number(type));
        for (int variant = 0; variant < 3; ++variant) {
            configure(button, type, variant, icon);
            for (int state = 0; state < 5; ++state) {
                // The button's own window shape shows the container through the cut corners.
                QImage cell = paintCell(button, state);
                const QRegion shape = button.mask();
                const int x = kLabelWidth + (variant * 5 + state) * kCell;
                painter.save();
                painter.setClipRegion(shape.translated(x, y));
                painter.drawImage(x, y, cell);
                painter.restore();
            }
        }
    }
    painter.end();
    const QImage scaled = sheet.scaled(sheet.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "button_sheet: cannot write %s\n", argv[1]);
        return 1;
    }

    if (argc >= 4 && QByteArray(argv[2]) == "--soak") {
        const int repaints = QByteArray(argv[3]).toInt();
        SkinButton soaked(&container);
        soaked.setGeometry(0, 0, 36, 20);
        soaked.setButtonType(14);
        soaked.setPictureNormal(icon);
        for (int i = 0; i < repaints; ++i) {
            soaked.Redraw(i % 2 ? StateDown : StateUp, Force::Yes);
            if (i % 1000 == 0)
                soaked.setCaption(i % 2000 ? QStringLiteral("&Play") : QString());
        }
    }
    return 0;
}
