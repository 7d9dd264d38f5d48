#include "ui/qt/print_destination.h"

#include "ui/texts.h"

#if QUILLON_HAVE_CUPS
#include <cups/cups.h>
#include <dlfcn.h>

#include <cstring>
#endif

namespace quillon::ui {

#if QUILLON_HAVE_CUPS
namespace {

// The three CUPS calls, taken from libcups when a printout is first asked
// for: linked into the program, libcups would bring a score of libraries
// (TLS, Kerberos, Avahi ...) into every start, for a question asked only on
// 打印.
struct CupsCalls {
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
};

CupsCalls loadCups()
{
    // Kept loaded for the program's life, as Qt's own print support keeps it.
    void* library = dlopen("libcups.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return {};
    CupsCalls calls{
        .getNamedDest = reinterpret_cast<decltype(&cupsGetNamedDest)>(dlsym(library, "cupsGetNamedDest")),
        .getOption = reinterpret_cast<decltype(&cupsGetOption)>(dlsym(library, "cupsGetOption")),
        .freeDests = reinterpret_cast<decltype(&cupsFreeDests)>(dlsym(library, "cupsFreeDests")),
    };
    return calls.getNamedDest && calls.getOption && calls.freeDests ? calls : CupsCalls{};
}

} // namespace
#endif

QString whyDestinationRefusesJobs(const QString& printerName)
{
#if QUILLON_HAVE_CUPS
    static const CupsCalls cups = loadCups();
    if (!cups.getNamedDest)
        return {};
    const QByteArray name = printerName.toUtf8();
    cups_dest_t* destination = cups.getNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!destination)
        return {};
    const char* accepting = cups.getOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    const char* state = cups.getOption("printer-state", destination->num_options, destination->options);
    QString refusal;
    if (accepting && std::strcmp(accepting, "false") == 0)
        refusal = QString::fromUtf8(kRefusesJobs);
    else if (state && std::strcmp(state, "5") == 0) // IPP_PSTATE_STOPPED
        refusal = QString::fromUtf8(kIsStopped);
    cups.freeDests(1, destination);
    return refusal;
#else
    // Windows reports a paused or offline printer in its own queue window.
    Q_UNUSED(printerName);
    return {};
#endif
}

} // namespace quillon::ui
