#pragma once

#include "cli/cli_args.h"

namespace vantrel::cli {

// The arguments after "export".
CliRequest parseExport(const QStringList& arguments);

// Returns the exit status.
int runExport(const CliRequest& request);

} // namespace vantrel::cli
