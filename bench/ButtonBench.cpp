// The cost of painting the player's buttons: one full Redraw of a 36 x 20 look-14 button with a 16 x 16
// icon in each state, the seven buttons of the main window together, and the compositor on one icon.
#include "../tests/button/TestIcon.h"
#include "button/PictureCompositor.h"
#include "button/SkinButton.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

using namespace zendrix;

namespace {

enum BenchState { Up, Down, Disabled, Hovered, Focused };

void Redraw36x20Look14(benchmark::State& state)
{
    const auto which = static_cast<BenchState>(state.range(0));
    QWidget window;
    SkinButton button(&window);
    button.setGeometry(0, 0, 36, 20);
    button.setButtonType(14);
    button.setPictureNormal(fixtures::playIcon());
    if (which == Disabled)
        button.setEnabled(false);
    if (which == Up || which == Down || which == Disabled) {
        const DrawState drawState = which == Down ? StateDown : StateUp;
        for (auto _ : state)
            button.Redraw(drawState, Force::Yes);
    } else {
        // Hover and focus come from the pointer and the keyboard; the paint is the same work.
        PaintInputs in = button.paintInputs();
        in.isOver = which == Hovered;
        in.hasFocus = which == Focused;
        ButtonPalette palette = button.buttonPalette();
        quint8 mode = 0;
        QImage surface(36, 20, QImage::Format_RGB32);
        for (auto _ : state) {
            DeviceContext dc(surface);
            ButtonPainter(dc, in, palette, mode).paint(StateUp);
            benchmark::DoNotOptimize(surface.constBits());
        }
    }
    static const char* const names[] = {"up", "down", "disabled", "hovered", "focused"};
    state.SetLabel(names[which]);
}
BENCHMARK(Redraw36x20Look14)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void RedrawMainWindowsSevenButtons(benchmark::State& state)
{
    QWidget window;
    const QRect places[] = {{50, 7, 36, 20},  {93, 7, 20, 20},  {24, 7, 20, 20},  {50, 28, 36, 20},
                            {93, 28, 20, 20}, {24, 28, 20, 20}, {136, 30, 65, 17}};
    std::vector<std::unique_ptr<SkinButton>> buttons;
    const Picture icon = fixtures::playIcon();
    for (const QRect& place : places) {
        buttons.push_back(std::make_unique<SkinButton>(&window));
        buttons.back()->setGeometry(place);
        buttons.back()->setButtonType(14);
        buttons.back()->setPictureNormal(icon);
    }
    for (auto _ : state) {
        for (auto& button : buttons)
            button->Redraw(StateUp, Force::Yes);
    }
}
BENCHMARK(RedrawMainWindowsSevenButtons)->Unit(benchmark::kMicrosecond);

void Composite16x16Icon(benchmark::State& state)
{
    const Picture icon = fixtures::playIcon();
    QImage surface(36, 20, QImage::Format_RGB32);
    surface.fill(Qt::lightGray);
    DeviceContext dc(surface);
    CompositeOptions options;
    options.maskColor = rgb(192, 192, 192);
    options.iconBackground = rgb(192, 192, 192);
    for (auto _ : state) {
        PaintPicturePixels(dc, 10, 2, 16, 16, icon, options);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(Composite16x16Icon)->Unit(benchmark::kMicrosecond);

} // namespace
