#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "core/text/text_placement.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

// A mono frame with every level, as the store holds it.
QImage monoFrame()
{
    QImage frame(160, 54, QImage::Format_Indexed8);
    frame.setColorTable({qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(255, 255, 255)});
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.setPixel(x, y, static_cast<uint>((x / 8 + y / 6) % 4));
    return frame;
}

// What every change on the text page and every drag step costs: render, rotate, reduce, compose
// over the frame, tint and fit to the preview.
void TextPreview(benchmark::State& state)
{
    vantrel::TextStyle style;
    style.lines = {QStringLiteral("Vantrel"), QStringLiteral("\u6587\u5B57\u30A4\u30E1\u30FC\u30B8"),
                   QStringLiteral("Panel 160")};
    style.fontFamily = QStringLiteral("IPAGothic");
    style.pointSize = 36;
    style.decoration = static_cast<int>(state.range(0));
    style.textColour = 3;
    style.outlineColour = 0;
    const QImage frame = monoFrame();
    const vantrel::BacklightLevels levels;

    for (auto _ : state) {
        const vantrel::RenderedText text = vantrel::placeableText(vantrel::RenderText(style), 45);
        QImage composed = vantrel::composeText(frame, text, 20, 5);
        vantrel::SetPanelPalette(composed, levels, 42);
        const QImage preview = vantrel::FitToView(composed, QSize(292, 110));
        benchmark::DoNotOptimize(preview.constBits());
    }
    static constexpr const char* Names[] = {"plain", "outline", "shadow", "raised", "sunken"};
    state.SetLabel(Names[state.range(0)]);
}
BENCHMARK(TextPreview)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

} // namespace
