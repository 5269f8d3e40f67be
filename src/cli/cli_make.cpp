#include "cli/cli_commands.h"
#include "cli/progress_bar.h"
#include "core/app/app_settings.h"
#include "core/app/view_sizing.h"
#include "core/files/anim_commands.h"
#include "core/files/anim_info.h"
#include "core/files/anim_result.h"
#include "core/frames/frame_edits.h"
#include "core/frames/frame_store.h"
#include "core/input/cut_geometry.h"
#include "core/input/generation_run.h"
#include "core/input/input_frame_list.h"
#include "core/text/text_placement.h"

#include <QFileInfo>

#include <cstdio>

namespace vantrel::cli {

namespace {

int fail(const QString& file, const QString& message, int status = ExitFailed)
{
    reportError(QStringLiteral("%1: %2").arg(file, message));
    return status;
}

// The area as the generator takes it (view pixels at 100 %), the default one when none was
// given; otherwise the exit status, with the error reported.
struct ResolvedArea
{
    TCutArea area;
    int status = ExitOk;
};

ResolvedArea resolveArea(const char* option, const std::optional<AreaOption>& given, int defaultFrameNo,
                         const TInputFrameList& inputs, QSize shape)
{
    ResolvedArea resolved;
    const int frameNo = given ? given->frameNo : defaultFrameNo;
    if (frameNo > inputs.TotalFrames()) {
        resolved.status =
            fail(QLatin1String(option),
                 QStringLiteral("the inputs have frames 1 to %1").arg(inputs.TotalFrames()), ExitUsage);
        return resolved;
    }
    // The size its file announces: the run decodes the frame once, later.
    const QSize picture = inputs.FrameSize(frameNo - 1);
    const QRect bounds(QPoint(0, 0), picture);
    const QRect rect = given ? given->rect : centredAreaOfShape(picture, shape);
    if (!bounds.contains(rect)) {
        resolved.status = fail(QLatin1String(option),
                               QStringLiteral("the rectangle must lie within frame %1's picture, 0,0,%2,%3")
                                   .arg(frameNo)
                                   .arg(picture.width())
                                   .arg(picture.height()),
                               ExitUsage);
        return resolved;
    }
    resolved.area.Left = rect.left();
    resolved.area.Top = rect.top();
    resolved.area.Right = rect.left() + rect.width();
    resolved.area.Bottom = rect.top() + rect.height();
    resolved.area.FrameNo = frameNo;
    return resolved;
}

} // namespace

int runMake(const CliRequest& request)
{
    const MakeOptions& make = request.make;
    const AnimKind kind = animKindOf(request.output);
    if (kind == AnimKind::Other)
        return fail(request.output, QStringLiteral("the output must be a .nma or .nml file"), ExitUsage);
    if (kind == AnimKind::Frame && make.frames > 1)
        return fail(request.output,
                    QStringLiteral("a .nml file holds one frame; use --frames 1 or a .nma file"), ExitUsage);
    const QFileInfo output(request.output);
    for (const QString& input : request.files) {
        if (output.exists() && output.canonicalFilePath() == QFileInfo(input).canonicalFilePath())
            return fail(request.output, QStringLiteral("the output would replace an input file"), ExitUsage);
    }

    TInputFrameList inputs;
    for (const QString& input : request.files) {
        if (const int code = inputs.AddAfter(input); code != 0)
            return fail(input, mediaResultMessage(code));
    }

    const PanelModel panel;
    const QSize shape(inclusiveExtent(panel.viewRect[0], panel.viewRect[2]),
                      inclusiveExtent(panel.viewRect[1], panel.viewRect[3]));
    const ResolvedArea start = resolveArea("--start", make.start, 1, inputs, shape);
    if (start.status != ExitOk)
        return start.status;
    const ResolvedArea end = resolveArea("--end", make.end, inputs.TotalFrames(), inputs, shape);
    if (end.status != ExitOk)
        return end.status;

    GenerationRequest generation;
    generation.start = start.area;
    generation.end = end.area;
    generation.panelSize = {panel.panelWidth, panel.panelHeight};
    generation.frameCount = make.frames;
    generation.method = make.method;
    generation.scaling = make.smooth ? CutScaling::Smooth : CutScaling::Nearest;
    AnimationGenerator generator(generation, [&inputs](int frameNo, InputPicture& picture) {
        return inputs.SelectFrame(frameNo - 1, picture);
    });

    FrameStore store;
    int code = 0;
    {
        ProgressBar bar(generator.frameCount(), !request.json && stderrIsTerminal());
        code = generateIntoStore(store, generator, generation.panelSize, make.dither, 0, [&bar](int made) {
            bar.show(made);
            return true;
        });
    }
    if (code != 0)
        return fail(inputs.Current()->FileName(), mediaResultMessage(code));

    if (make.effect != 0) {
        for (int i = 0; i < store.count(); ++i)
            applyEffectToFrame(store, i, make.effect, make.strength, make.dither);
    }
    if (make.text) {
        const RenderedText text = placeableText(RenderText(*make.text), make.textAngle);
        for (int i = 0; i < store.count(); ++i)
            insertTextIntoFrame(store, i, text, make.textAt);
    }

    TAnimFile file;
    if (const int result = saveStoreFrames(file, request.output, store.monoFrames(), make.colorCode);
        result != AnimOk) {
        QString message = QStringLiteral("error %1: %2").arg(result).arg(animResultMessage(result));
        if (!file.systemReason().isEmpty())
            message += QStringLiteral(" (%1)").arg(file.systemReason());
        return fail(request.output, message);
    }
    const AnimFileInfo info = inspectAnimFile(file.fileName());
    const QByteArray line = request.json ? infoJson(info) : infoLine(info).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    return ExitOk;
}

} // namespace vantrel::cli
