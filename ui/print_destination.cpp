#include "ui/print_destination.h"

#if QUILLON_HAVE_CUPS
#include <cups/cups.h>

#include <cstring>
#endif

namespace quillon::ui {

QString whyDestinationRefusesJobs(const QString& printerName)
{
#if QUILLON_HAVE_CUPS
    const QByteArray name = printerName.toUtf8();
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!destination)
        return {};
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    const char* state = cupsGetOption("printer-state", destination->num_options, destination->options);
    QString refusal;
    if (accepting && std::strcmp(accepting, "false") == 0)
        refusal = QStringLiteral("不接受打印任务");
    else if (state && std::strcmp(state, "5") == 0) // IPP_PSTATE_STOPPED
        refusal = QStringLiteral("已停止");
    cupsFreeDests(1, destination);
    return refusal;
#else
    // Windows reports a paused or offline printer in its own queue window.
    Q_UNUSED(printerName);
    return {};
#endif
}

} // namespace quillon::ui
