#pragma once

#include "cli/cli_args.h"

namespace vantrel::cli {

// Each returns the exit status.
int runInfo(const CliRequest& request);
int runRender(const CliRequest& request);
int runMake(const CliRequest& request);

// One line on stderr, prefixed with the program's name.
void reportError(const QString& message);

} // namespace vantrel::cli
