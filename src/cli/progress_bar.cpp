#include "cli/progress_bar.h"

#include <algorithm>
#include <string>

#include <unistd.h>

namespace vantrel::cli {

ProgressBar::~ProgressBar()
{
    if (drawn_)
        std::fputc('\n', stderr);
}

void ProgressBar::show(int done)
{
    if (!enabled_ || total_ <= 0)
        return;
    constexpr int Width = 30;
    const int filled = std::clamp(done * Width / total_, 0, Width);
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(Width - filled), ' ');
    std::fprintf(stderr, "\r[%s] %d/%d", bar.c_str(), done, total_);
    std::fflush(stderr);
    drawn_ = true;
}

bool stderrIsTerminal()
{
    return isatty(STDERR_FILENO) != 0;
}

} // namespace vantrel::cli
