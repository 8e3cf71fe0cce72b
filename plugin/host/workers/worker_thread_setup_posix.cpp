#include "plugin/host/workers/worker_thread_setup.h"

namespace kvl::host {

void enterWorkerThread() noexcept {}
void leaveWorkerThread() noexcept {}

}  // namespace kvl::host
