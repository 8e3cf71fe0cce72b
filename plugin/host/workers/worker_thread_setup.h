#pragma once
// What a worker thread sets up for itself before its loop runs (COM on Windows) and undoes after.
namespace kvl::host {

void enterWorkerThread() noexcept;
void leaveWorkerThread() noexcept;

}  // namespace kvl::host
