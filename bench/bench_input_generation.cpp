// Input frames end to end: the input list, the generator and the store's mono conversion on real
// files, each next to FFmpeg (or Qt's reader) decoding the same file alone with one thread, in
// the same iterations so that both see the same machine. Figures only, no verdicts:
//   ours_ms, base_ms  thread CPU time per iteration (page faults included);
//   x_base            ours_ms / base_ms, to hold against the goal in the label;
//   add_ms, select_ms of ours_ms, adding the file (which decodes its first frame) and getting
//                     input frames for the run (decode, convert); the rest is cutting and
//                     the mono conversion;
//   decoded           input frames decoded per run.
#include "core/frames/frame_store.h"
#include "core/input/animation_generator.h"
#include "core/input/ffmpeg_handles.h"
#include "core/input/frame_buffer_pool.h"
#include "core/input/generation_run.h"
#include "core/input/input_frame_list.h"
#include "support/avi_writer.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <map>
#include <random>
#include <vector>

namespace {

using namespace vantrel;

constexpr QSize PanelSize(160, 54);

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

// Test videos of numbered frames at 25 fps, written once per run: MJPEG (every frame a key
// frame), or MPEG-4 with a key frame every 10.
const QString& sampleVideo(QSize size, int frames, test::AviCodec codec = test::AviCodec::Mjpeg)
{
    static const QTemporaryDir dir;
    static std::map<QString, QString> written;
    const QString name =
        QStringLiteral("%1x%2x%3-%4.avi").arg(size.width()).arg(size.height()).arg(frames).arg(int(codec));
    QString& path = written[name];
    if (path.isEmpty() &&
        test::writeAvi(dir.filePath(name), {.size = size,
                                            .frames = frames,
                                            .codec = codec,
                                            .fps = 25,
                                            .keyFrameInterval = codec == test::AviCodec::Mjpeg ? 1 : 10}))
        path = dir.filePath(name);
    return path;
}

// A photo-like 4000 x 3000 JPEG: gradients under fine noise, so it costs what a photo costs.
const QString& samplePhoto()
{
    static const QTemporaryDir dir;
    static const QString path = [] {
        QImage photo(4000, 3000, QImage::Format_RGB888);
        std::minstd_rand random(3);
        for (int y = 0; y < photo.height(); ++y) {
            uchar* line = photo.scanLine(y);
            for (int x = 0; x < photo.width(); ++x) {
                const int noise = int(random() % 32);
                line[3 * x] = uchar((x * 200 / photo.width() + noise) & 255);
                line[3 * x + 1] = uchar((y * 200 / photo.height() + noise) & 255);
                line[3 * x + 2] = uchar(((x + y) * 100 / photo.width() + noise) & 255);
            }
        }
        const QString file = dir.filePath("photo.jpg");
        QImageWriter writer(file, "jpeg");
        writer.setQuality(90);
        return writer.write(photo) ? file : QString();
    }();
    return path;
}

// FFmpeg on its own: open, seek, decode with one thread, no conversion.
int ffmpegDecode(const QString& path, int firstPage, int count)
{
    const QByteArray name = QFile::encodeName(path);
    AVFormatContext* opened = nullptr;
    const AVInputFormat* demuxer =
        path.endsWith(QLatin1String(".avi")) ? av_find_input_format("avi") : nullptr;
    if (avformat_open_input(&opened, name.constData(), demuxer, nullptr) < 0)
        return 0;
    const ffmpeg::InputContextPtr format(opened);
    const int stream = av_find_best_stream(opened, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0)
        return 0;
    const AVCodecParameters* parameters = opened->streams[stream]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    const ffmpeg::CodecContextPtr codec(decoder ? avcodec_alloc_context3(decoder) : nullptr);
    const ffmpeg::PacketPtr packet(av_packet_alloc());
    const ffmpeg::FramePtr frame(av_frame_alloc());
    if (!codec || !packet || !frame || avcodec_parameters_to_context(codec.get(), parameters) < 0)
        return 0;
    codec->thread_count = 1;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return 0;
    const int64_t target = firstPage - 1; // an AVI's time base is one frame
    if (firstPage > 1 && av_seek_frame(opened, stream, target, AVSEEK_FLAG_BACKWARD) < 0)
        return 0;
    int decoded = 0;
    while (decoded < count && av_read_frame(opened, packet.get()) >= 0) {
        const ffmpeg::PacketUnrefGuard unref(packet.get());
        if (packet->stream_index != stream || avcodec_send_packet(codec.get(), packet.get()) < 0)
            continue;
        while (decoded < count && avcodec_receive_frame(codec.get(), frame.get()) == 0) {
            if (frame->best_effort_timestamp >= target)
                ++decoded;
            benchmark::DoNotOptimize(frame->data[0]);
        }
    }
    // Frames held back for reordering (B-frames) come out at the end.
    avcodec_send_packet(codec.get(), nullptr);
    while (decoded < count && avcodec_receive_frame(codec.get(), frame.get()) == 0) {
        if (frame->best_effort_timestamp >= target)
            ++decoded;
        benchmark::DoNotOptimize(frame->data[0]);
    }
    return decoded;
}

struct Times
{
    double ours = 0;
    double base = 0;
    double add = 0;
    double select = 0;
    double decoded = 0;
};

// FFmpeg decoding `frames` frames from firstPage, its thread CPU time added to total.base; false, with
// the benchmark stopped, when it fails.
bool timeFfmpegDecode(benchmark::State& state, const QString& path, int firstPage, int frames, Times& total)
{
    const double mark = threadCpuMs();
    if (ffmpegDecode(path, firstPage, frames) != frames) {
        state.SkipWithError("FFmpeg did not decode the sample video");
        return false;
    }
    total.base += threadCpuMs() - mark;
    return true;
}

void report(benchmark::State& state, const Times& total, const char* goal)
{
    const double iterations = double(state.iterations());
    state.counters["ours_ms"] = total.ours / iterations;
    state.counters["base_ms"] = total.base / iterations;
    state.counters["x_base"] = total.base > 0 ? total.ours / total.base : 0;
    if (total.add > 0) {
        state.counters["add_ms"] = total.add / iterations;
        state.counters["select_ms"] = total.select / iterations;
        state.counters["decoded"] = total.decoded / iterations;
    }
    state.SetLabel(goal);
}

// Adds the file to a new list and makes a run from the start area to the end area, storing
// every frame with its mono conversion as the window does. The number of frames stored, or -1.
int generateRun(const QString& path, const TCutArea& start, const TCutArea& end, int frameCount,
                Times* times = nullptr)
{
    Times unused;
    Times& spent = times ? *times : unused;
    TInputFrameList list;
    const double adding = threadCpuMs();
    if (list.AddAfter(path) != MediaOk)
        return -1;
    spent.add += threadCpuMs() - adding;
    GenerationRequest request;
    request.start = start;
    request.end = end;
    request.frameCount = frameCount;
    request.panelSize = PanelSize;
    AnimationGenerator generator(request, [&](int frameNo, InputPicture& picture) {
        const double began = threadCpuMs();
        const int result = list.SelectFrame(frameNo - 1, picture);
        spent.select += threadCpuMs() - began;
        return result;
    });
    FrameStore store;
    if (generateIntoStore(store, generator, PanelSize, 0, 0) != 0)
        return -1;
    spent.decoded += double(list.framesDecoded());
    return store.count();
}

TCutArea wholePicture(QSize size, int frameNo)
{
    return {0, 0, size.width(), size.height(), frameNo};
}

// A 90-frame moving cut from the whole first frame to the whole last frame, against FFmpeg
// decoding every frame of the file. Arguments: width, height, frames, inter-coded (MPEG-4 with a
// key frame every 10, whose blocks are decoded whole; for comparison) or not (MJPEG).
void BM_MovingCutAgainstFfmpeg(benchmark::State& state)
{
    const QSize size(int(state.range(0)), int(state.range(1)));
    const int frames = int(state.range(2));
    const bool inter = state.range(3) != 0;
    const QString& path = sampleVideo(size, frames, inter ? test::AviCodec::Mpeg4 : test::AviCodec::Mjpeg);
    Times total;
    for (auto _ : state) {
        if (!timeFfmpegDecode(state, path, 1, frames, total))
            return;
        const double mark = threadCpuMs();
        const auto ours = std::chrono::steady_clock::now();
        if (generateRun(path, wholePicture(size, 1), wholePicture(size, frames), 90, &total) != 90) {
            state.SkipWithError("the run failed");
            return;
        }
        total.ours += threadCpuMs() - mark;
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - ours).count());
    }
    report(state, total,
           inter                 ? "inter-coded, no goal"
           : size.width() < 1000 ? "goal <= 1.0, stretch <= 0.6"
                                 : "goal <= 1.0");
}
BENCHMARK(BM_MovingCutAgainstFfmpeg)
    ->ArgNames({"w", "h", "frames", "inter"})
    ->Args({640, 480, 300, 0})
    ->Args({1920, 1080, 100, 0})
    ->Args({640, 480, 300, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

// A phone-like clip (B-frames, a key frame every 30), written once per run of the benchmarks; empty
// when it could not be written.
QString phoneClip(test::AviCodec codec, QSize size, int frames)
{
    static const QTemporaryDir dir;
    const QString path = dir.filePath(
        QStringLiteral("phone%1_%2x%3.mp4").arg(int(codec)).arg(size.width()).arg(size.height()));
    if (!QFile::exists(path) &&
        !test::writeVideo(
            path, {.size = size, .frames = frames, .codec = codec, .fps = 30, .keyFrameInterval = 30}))
        return {};
    return path;
}

struct ChildUsage
{
    double cpuMs = -1; // -1 when the program failed
    double wallMs = 0;
    double peakMiB = 0; // resident, of the program alone
};

// The peak resident size of a running process, in KiB; 0 once it is gone.
long peakResidentKib(pid_t process)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Runs a program with these arguments, its output discarded. The peak memory is read from the
// running program itself: the rusage of a forked child counts this process's pages too.
ChildUsage runChild(const char* program, const std::vector<const char*>& arguments)
{
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) * 1e-3; };
    std::vector<char*> argv;
    for (const char* argument : arguments)
        argv.push_back(const_cast<char*>(argument));
    argv.push_back(nullptr);
    int execed[2] = {-1, -1};
    if (pipe2(execed, O_CLOEXEC) != 0)
        return {};
    const auto began = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execv(program, argv.data());
        _exit(127);
    }
    ::close(execed[1]);
    char ignored = 0;
    while (::read(execed[0], &ignored, 1) < 0 && errno == EINTR) {
    } // returns at the exec, which closes the pipe
    ::close(execed[0]);
    int status = 0;
    rusage usage{};
    long peakKib = 0;
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        peakKib = std::max(peakKib, peakResidentKib(child));
        usleep(1000);
    }
    ChildUsage result;
    result.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        result.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
        result.peakMiB = double(peakKib) / 1024;
    }
    return result;
}

// Phone video as it comes, H.264 1080p and HEVC 4K with B-frames and a key frame every 30: a
// 90-frame moving cut over the whole picture, its CPU time on every thread (the decoder's too)
// against FFmpeg decoding the file on one thread, and its wall time. Arguments: codec (0 H.264,
// 1 HEVC), width, height, frames.
void BM_PhoneVideoAgainstFfmpeg(benchmark::State& state)
{
    const auto codec = state.range(0) == 0 ? test::AviCodec::H264 : test::AviCodec::Hevc;
    const QSize size(int(state.range(1)), int(state.range(2)));
    const int frames = int(state.range(3));
    const QString path = phoneClip(codec, size, frames);
    if (path.isEmpty()) {
        state.SkipWithError("the clip could not be written");
        return;
    }
    Times total;
    double wallMs = 0, faults = 0;
    for (auto _ : state) {
        if (!timeFfmpegDecode(state, path, 1, frames, total))
            return;
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        const double mark = processCpuMs();
        const auto began = std::chrono::steady_clock::now();
        if (generateRun(path, wholePicture(size, 1), wholePicture(size, frames), 90) != 90) {
            state.SkipWithError("the run failed");
            return;
        }
        const double wall =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
        total.ours += processCpuMs() - mark;
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        faults += double(after.ru_minflt - before.ru_minflt);
        wallMs += wall;
        state.SetIterationTime(wall / 1e3);
    }
    state.counters["wall_ms"] = wallMs / double(state.iterations());
    state.counters["page_faults"] = faults / double(state.iterations());
    const QByteArray input = path.toLocal8Bit();
    const QTemporaryDir out;
    const QByteArray made = out.filePath(QStringLiteral("made.nma")).toLocal8Bit();
    const ChildUsage ours = runChild(VANTREL_CLI_PATH, {"vantrel-cli", "make", input.constData(), "-o",
                                                        made.constData(), "--frames", "90"});
    state.counters["make_rss_mib"] = ours.peakMiB;
    // The pipeline a user could run instead, where FFmpeg's command line tool is installed.
    const QByteArray ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).toLocal8Bit();
    if (!ffmpeg.isEmpty()) {
        const ChildUsage pipeline =
            runChild(ffmpeg.constData(),
                     {"ffmpeg", "-v", "quiet", "-i", input.constData(), "-vf",
                      "scale=160:54:flags=neighbor,format=gray", "-f", "rawvideo", "-y", "/dev/null"});
        state.counters["ffmpeg_rss_mib"] = pipeline.peakMiB;
        state.counters["ffmpeg_wall_ms"] = pipeline.wallMs;
    }
    report(state, total, "goal: CPU <= 1.0 x one-thread decode, RSS <= 1.3 x FFmpeg's");
}
BENCHMARK(BM_PhoneVideoAgainstFfmpeg)
    ->ArgNames({"hevc", "w", "h", "frames"})
    ->Args({0, 1920, 1080, 100})
    ->Args({1, 3840, 2160, 60})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// One cut of the panel's dots over a whole decoded 1080p frame: what each frame of a run costs
// beyond decoding.
void BM_CutFromDecodedFrame(benchmark::State& state)
{
    const QString path = phoneClip(test::AviCodec::H264, {1920, 1080}, 100);
    TInputFrameList list;
    InputPicture picture;
    if (path.isEmpty() || list.AddAfter(path) != MediaOk || list.SelectFrame(0, picture) != MediaOk) {
        state.SkipWithError("the clip did not load");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CutArea(picture, wholePicture({1920, 1080}, 1), 100, PanelSize));
}
BENCHMARK(BM_CutFromDecodedFrame)->Unit(benchmark::kMicrosecond);

// Stepping the input view through a 4K HEVC clip one frame at a time: the frame selected from the
// list and converted at the size shown. Argument: zoom in percent. Goal: no step over 50 ms.
void BM_InputViewStep(benchmark::State& state)
{
    const int zoom = int(state.range(0));
    const QSize size(3840, 2160);
    const QString path = phoneClip(test::AviCodec::Hevc, size, 60);
    if (path.isEmpty()) {
        state.SkipWithError("the clip could not be written");
        return;
    }
    constexpr int Steps = 30;
    double totalMs = 0, slowestMs = 0;
    for (auto _ : state) {
        TInputFrameList list;
        if (list.AddAfter(path) != MediaOk) {
            state.SkipWithError("the clip did not open");
            return;
        }
        for (int frame = 1; frame <= Steps; ++frame) {
            const auto began = std::chrono::steady_clock::now();
            InputPicture picture;
            const QImage shown = list.SelectFrame(frame, picture) != MediaOk ? QImage()
                                 : zoom == 100                               ? picture.toImage()
                                               : resizedNearest(picture, size * zoom / 100);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
            if (shown.isNull()) {
                state.SkipWithError("a frame did not load");
                return;
            }
            totalMs += ms;
            slowestMs = std::max(slowestMs, ms);
        }
    }
    state.counters["step_ms"] = totalMs / double(state.iterations() * Steps);
    state.counters["slowest_ms"] = slowestMs;
    state.SetLabel("goal: every step <= 50 ms");
}
BENCHMARK(BM_InputViewStep)->ArgName("zoom")->Arg(100)->Arg(25)->Iterations(1)->Unit(benchmark::kMillisecond);

// CPU time of the command line tool run with these arguments (stdout discarded), or -1 when it
// fails.
double childCpuMs(const std::vector<const char*>& arguments)
{
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) * 1e-3; };
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    std::vector<char*> argv;
    for (const char* argument : arguments)
        argv.push_back(const_cast<char*>(argument));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        execv(VANTREL_CLI_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    return ms(after.ru_utime) + ms(after.ru_stime) - ms(before.ru_utime) - ms(before.ru_stime);
}

// `vantrel-cli make` of 90 frames across the whole file (default areas), the process's CPU time
// against FFmpeg decoding every frame of the file in this thread.
void BM_CliMakeAgainstFfmpeg(benchmark::State& state)
{
    const QSize size(640, 480);
    const int frames = 300;
    const QString& path = sampleVideo(size, frames);
    const QTemporaryDir dir;
    const QByteArray input = path.toLocal8Bit();
    const QByteArray output = dir.filePath(QStringLiteral("made.nma")).toLocal8Bit();
    Times total;
    double start = 0;
    for (auto _ : state) {
        if (!timeFfmpegDecode(state, path, 1, frames, total))
            return;
        const double made = childCpuMs(
            {"vantrel-cli", "make", input.constData(), "-o", output.constData(), "--frames", "90"});
        const double started = childCpuMs({"vantrel-cli", "--version"});
        if (made < 0 || started < 0) {
            state.SkipWithError("vantrel-cli failed");
            return;
        }
        total.ours += made;
        start += started;
    }
    state.counters["start_ms"] = start / double(state.iterations());
    state.counters["x_base_after_start"] = total.base > 0 ? (total.ours - start) / total.base : 0;
    report(state, total, "goal <= 1.0; x_base includes the process start");
}
BENCHMARK(BM_CliMakeAgainstFfmpeg)->Unit(benchmark::kMillisecond);

// One block of 10 frames from a freshly opened 640 x 480 file against FFmpeg decoding the same
// frames. Argument: what takes the block.
//   0  the decoder loading the 10 frames as pictures, with memory of its own;
//   1  the same with memory from a pool that outlives the file, as the input list hands it;
//   2  the input list adding an inter-coded file (MPEG-4, a key frame every 10): it decodes the
//      block and converts the frame shown;
//   3  the input list adding an MJPEG file: it decodes only the frame shown.
// Each side starts on a trimmed heap, as after other work: memory no pool keeps comes back from
// the system as fresh pages.
void BM_FreshBlockAgainstFfmpeg(benchmark::State& state)
{
    constexpr int BlockSize = TInputFile::FrameBlockSize;
    const int variant = int(state.range(0));
    const int firstPage = variant < 2 ? 151 : 1;
    const QString& path = variant == 2 ? sampleVideo(QSize(640, 480), 300, test::AviCodec::Mpeg4)
                                       : sampleVideo(QSize(640, 480), 300);
    const std::shared_ptr<FrameBufferPool> shared = FrameBufferPool::create();
    TInputFrameList list;
    Times total;
    for (auto _ : state) {
        malloc_trim(0);
        if (!timeFfmpegDecode(state, path, firstPage, BlockSize, total))
            return;
        list.Clear();
        malloc_trim(0);
        const double mark = threadCpuMs();
        const auto ours = std::chrono::steady_clock::now();
        bool loaded = false;
        if (variant < 2) {
            std::unique_ptr<MediaFile> video;
            QList<QImage> block;
            loaded = MediaFile::open(path, video, variant == 1 ? shared : nullptr) == MediaOk &&
                     video->load(firstPage, BlockSize, block) == MediaOk && block.size() == BlockSize;
        } else {
            QImage frame;
            loaded = list.AddAfter(path) == MediaOk && list.SelectFrame(0, frame) == MediaOk;
        }
        if (!loaded) {
            state.SkipWithError("the sample video did not load");
            return;
        }
        total.ours += threadCpuMs() - mark;
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - ours).count());
    }
    const char* labels[] = {"decoder, memory of its own", "decoder, shared pool",
                            "input list, inter-coded: goal <= 1.2", "input list, MJPEG"};
    report(state, total, labels[variant]);
}
BENCHMARK(BM_FreshBlockAgainstFfmpeg)
    ->ArgName("variant")
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// 30 frames panning and zooming from the whole 4000 x 3000 picture to a part of it, added to a
// new list first, against one decode of the JPEG by Qt's reader.
void BM_PhotoRunAgainstOneDecode(benchmark::State& state)
{
    const QString& path = samplePhoto();
    const TCutArea whole = wholePicture(QSize(4000, 3000), 1);
    const TCutArea part{1000, 1000, 1640, 1216, 1};
    Times total;
    for (auto _ : state) {
        double mark = threadCpuMs();
        QImage decoded = QImageReader(path).read();
        if (decoded.isNull()) {
            state.SkipWithError("the photo did not decode");
            return;
        }
        decoded = QImage();
        total.base += threadCpuMs() - mark;
        mark = threadCpuMs();
        const auto ours = std::chrono::steady_clock::now();
        if (generateRun(path, whole, part, 30, &total) != 30) {
            state.SkipWithError("the run failed");
            return;
        }
        total.ours += threadCpuMs() - mark;
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - ours).count());
    }
    report(state, total, "goal <= 2.0");
}
BENCHMARK(BM_PhotoRunAgainstOneDecode)->UseManualTime()->Unit(benchmark::kMillisecond);

// kB of a /proc/self/status field.
long statusKb(const char* field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Peak resident memory growth in MiB while a new process adds the video, views every frame and
// makes a 90-frame moving cut across it; -1 when it can't be measured.
double peakGrowthMiB(const QString& path, QSize size, int frames)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        malloc_trim(0); // what the parent freed must not be counted as ours, nor hide our growth
        QFile clear("/proc/self/clear_refs");
        const bool reset = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1; // peak := now
        clear.close();
        const long before = statusKb("VmRSS:");
        double growth = -1;
        TInputFrameList list;
        bool viewed = reset && list.AddAfter(path) == MediaOk;
        for (int n = 0; viewed && n < frames; ++n) {
            QImage frame;
            viewed = list.SelectFrame(n, frame) == MediaOk;
        }
        if (viewed && generateRun(path, wholePicture(size, 1), wholePicture(size, frames), 90) == 90)
            growth = double(statusKb("VmHWM:") - before) / 1024.0;
        const ssize_t written = write(pipeEnds[1], &growth, sizeof growth);
        _exit(written == sizeof growth ? 0 : 1);
    }
    close(pipeEnds[1]);
    double growth = -1;
    if (child < 0 || read(pipeEnds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    close(pipeEnds[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return growth;
}

void BM_PeakMemory300And3000Frames(benchmark::State& state)
{
    const QSize size(320, 240);
    const QString& shortVideo = sampleVideo(size, 300);
    const QString& longVideo = sampleVideo(size, 3000);
    double shortPeak = -1, longPeak = -1;
    for (auto _ : state) {
        shortPeak = peakGrowthMiB(shortVideo, size, 300);
        longPeak = peakGrowthMiB(longVideo, size, 3000);
    }
    if (shortPeak < 0 || longPeak < 0) {
        state.SkipWithError("peak memory could not be measured");
        return;
    }
    state.counters["peak_MiB_300"] = shortPeak;
    state.counters["peak_MiB_3000"] = longPeak;
    state.counters["x_300"] = longPeak / shortPeak;
    state.SetLabel("goal: x_300 within 0.9..1.1");
}
BENCHMARK(BM_PeakMemory300And3000Frames)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
