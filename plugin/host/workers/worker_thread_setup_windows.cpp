#include <objbase.h>

#include "plugin/host/workers/worker_thread_setup.h"

namespace kvl::host {

void enterWorkerThread() noexcept { CoInitialize(nullptr); }
void leaveWorkerThread() noexcept { CoUninitialize(); }

}  // namespace kvl::host
