// Starts quillon-cli.

#include "cli/app.h"
#include "cli/platform.h"

int main(int argc, char** argv)
{
    const quillon::cli::StandardStreams streams;
    return quillon::cli::runCli(quillon::cli::commandLineArguments(argc, argv));
}
