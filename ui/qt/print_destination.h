// Asking the printing system whether a printer takes jobs at all, before a
// printout is sent to it: a queue that rejects jobs or is stopped would
// otherwise swallow the printout without a word.
#pragma once

#include <QString>

namespace quillon::ui {

// Why the named destination refuses new jobs, in Chinese, to follow the
// printer's name in a warning ("不接受打印任务", "已停止"), or the empty text
// when it takes them or the printing system cannot tell.
QString whyDestinationRefusesJobs(const QString& printerName);

} // namespace quillon::ui
