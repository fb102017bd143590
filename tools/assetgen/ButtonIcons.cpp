#include "ButtonIcons.h"

#include "PixelIcon.h"

namespace zendrix::assetgen {

namespace {

constexpr int kIconSize = 16;

// The buttons' faces are light grey to white, so every glyph carries a dark outline.
const Material kBlue{0xff0f2547, 0xff78aef0, 0xff1d4c96, 0xffd2e6ff};
const Material kRed{0xff5c0b0b, 0xffff8a78, 0xffc41f1f, 0xffffd2ca};
const Material kGreen{0xff104412, 0xff8be673, 0xff2c9a2e, 0xffd8fbcc};
const Material kSteel{0xff272d36, 0xffe3e8f0, 0xff6a7688, 0xfff8fafc};
const Material kYellow{0xff6b4a00, 0xfffff08a, 0xffdc9f00, 0xfffffbd6};

PixelIcon canvas()
{
    return PixelIcon(kIconSize, kIconSize);
}

QImage finish(const PixelIcon& icon, const std::map<char, Material>& materials)
{
    return reserveMaskColour(icon.render(materials));
}

QImage blue(const PixelIcon& icon)
{
    return finish(icon, {{'a', kBlue}, {'b', kBlue}});
}

PixelIcon playShape()
{
    return std::move(canvas().polygon({{4, 2}, {13, 8}, {4, 14}}, 'a'));
}

// A bar and a triangle pointing right; previous is its mirror image.
PixelIcon nextShape()
{
    return std::move(canvas().polygon({{2, 2.5}, {10, 8}, {2, 13.5}}, 'a').rect(10, 3, 4, 10, 'b'));
}

PixelIcon forwardShape()
{
    return std::move(canvas()
                         .polygon({{1, 2.5}, {8.5, 8}, {1, 13.5}}, 'a')
                         .polygon({{7.5, 2.5}, {15, 8}, {7.5, 13.5}}, 'b'));
}

PixelIcon arrowRightShape()
{
    return std::move(canvas().rect(1, 6, 7, 4, 'a').polygon({{7, 1.5}, {14.5, 8}, {7, 14.5}}, 'a'));
}

} // namespace

std::vector<NamedImage> buttonIcons()
{
    std::vector<NamedImage> icons;
    auto add = [&icons](const char* name, QImage image) {
        icons.push_back({QString::fromLatin1(name), std::move(image)});
    };

    add("play", blue(playShape()));
    add("pause", blue(canvas().rect(3, 2, 4, 12, 'a').rect(9, 2, 4, 12, 'b')));
    add("stop", blue(canvas().rect(3, 3, 10, 10, 'a')));
    add("next", blue(nextShape()));
    add("previous", blue(nextShape().mirrored()));
    add("forward", blue(forwardShape()));
    add("rewind", blue(forwardShape().mirrored()));
    add("eject", blue(canvas().polygon({{1.5, 9.5}, {8, 2.5}, {14.5, 9.5}}, 'a').rect(2, 11, 12, 3, 'b')));

    add("remove", finish(canvas().rect(2, 6, 12, 4, 'a'), {{'a', kRed}}));
    add("add", finish(canvas().rect(6, 2, 4, 12, 'a').rect(2, 6, 12, 4, 'a'), {{'a', kGreen}}));
    add("save", finish(canvas()
                           .rect(6, 1, 4, 5, 'a')
                           .polygon({{1.5, 5.5}, {14.5, 5.5}, {8, 12}}, 'a')
                           .rect(2, 12, 12, 3, 'b'),
                       {{'a', kGreen}, {'b', kSteel}}));
    add("listopen", blue(arrowRightShape()));
    add("listclose", blue(arrowRightShape().mirrored()));

    add("about", blue(canvas().rect(6, 1, 4, 9, 'a').rect(7, 10, 2, 1, 'a').rect(6, 12, 4, 3, 'b')));
    add("help", blue(canvas().rows({
                    "................",
                    "....aaaaaaa.....",
                    "...aaaaaaaaa....",
                    "..aaaa...aaaa...",
                    "..aaa.....aaa...",
                    "..........aaa...",
                    ".........aaaa...",
                    "........aaaa....",
                    ".......aaaa.....",
                    "......aaaa......",
                    "......aaa.......",
                    "......aaa.......",
                    "................",
                    "......bbb.......",
                    "......bbb.......",
                    "......bbb.......",
                })));
    add("info", finish(canvas().disc({8, 8}, 7.6, 'a').rect(7, 4, 2, 6, 'w').rect(7, 11, 2, 2, 'w'),
                       {{'a', kBlue}, {'w', Material::flat(0xffffffff)}}));
    add("settings", finish(canvas()
                               .disc({8, 8}, 5.7, 'a')
                               .rect(6, 0, 4, 3, 'a')
                               .rect(6, 13, 4, 3, 'a')
                               .rect(0, 6, 3, 4, 'a')
                               .rect(13, 6, 3, 4, 'a')
                               .polygon({{1.5, 3.5}, {3.5, 1.5}, {6, 4}, {4, 6}}, 'a')
                               .polygon({{14.5, 3.5}, {12.5, 1.5}, {10, 4}, {12, 6}}, 'a')
                               .polygon({{1.5, 12.5}, {3.5, 14.5}, {6, 12}, {4, 10}}, 'a')
                               .polygon({{14.5, 12.5}, {12.5, 14.5}, {10, 12}, {12, 10}}, 'a')
                               .disc({8, 8}, 2.3, 0),
                           {{'a', kSteel}}));
    add("screen",
        finish(
            canvas().rect(1, 1, 6, 6, 'r').rect(9, 1, 6, 6, 'g').rect(1, 9, 6, 6, 'b').rect(9, 9, 6, 6, 'y'),
            {{'r', kRed}, {'g', kGreen}, {'b', kBlue}, {'y', kYellow}}));
    add("exit", finish(canvas()
                           .polygon({{1.5, 4.5}, {4.5, 1.5}, {14.5, 11.5}, {11.5, 14.5}}, 'a')
                           .polygon({{11.5, 1.5}, {14.5, 4.5}, {4.5, 14.5}, {1.5, 11.5}}, 'a'),
                       {{'a', kRed}}));
    add("ok", finish(canvas().polygon({{1, 8}, {4, 5}, {6.5, 7.5}, {12, 2}, {15, 5}, {6.5, 13.5}}, 'a'),
                     {{'a', kGreen}}));
    return icons;
}

QImage speaker(Loudness loudness)
{
    PixelIcon icon(16, 15);
    icon.rect(0, 5, 3, 5, 'a').polygon({{2, 5}, {7, 0.5}, {7, 14.5}, {2, 10}}, 'a');
    const QPointF centre(4.5, 7.5);
    icon.arc(centre, 3.6, 4.8, -48, 48, 'w');
    if (loudness == Loudness::Loud) {
        icon.arc(centre, 6.0, 7.2, -50, 50, 'w');
        icon.arc(centre, 8.4, 9.6, -52, 52, 'w');
    }
    // Drawn for a black panel: a dim rim instead of a dark outline, and pale blue waves.
    const Material silver{0xff5d6878, 0xfff4f7fb, 0xff8c98aa, 0xffffffff};
    return icon.render({{'a', silver}, {'w', Material::flat(0xffa9c8ee)}});
}

} // namespace zendrix::assetgen
