#pragma once

#include <cstdio>

namespace vantrel::cli {

// A bar on standard error that redraws itself in place; silent unless enabled (a terminal).
class ProgressBar
{
public:
    ProgressBar(int total, bool enabled) : total_(total), enabled_(enabled) {}
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void show(int done);

private:
    int total_;
    bool enabled_;
    bool drawn_ = false;
};

// Whether standard error is a terminal.
bool stderrIsTerminal();

} // namespace vantrel::cli
