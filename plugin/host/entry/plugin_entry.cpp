#include "plugin/host/entry/plugin_entry.h"

#include <exception>

#include "common/platform/processor_arch.h"
#include "plugin/foundation/files/exception.h"
#include "plugin/host/entry/plugin_object.h"
#include "plugin/host/entry/startup_checks.h"

namespace kvl {

void* createPlugin(void* host) noexcept {
  // Nothing may leave into the host: it would end the process without a word.
  try {
    if (auto message = startupCheckMessage(processorArchitectureName())) endWithMessage(*message);
    return new PluginObject(host);
  } catch (const Exception& e) {
    endWithMessage(startupFailureMessage(e.message()));
  } catch (const std::exception& e) {
    endWithMessage(startupFailureMessage(e.what()));
  } catch (...) {
    endWithMessage(startupFailureMessage("unknown error"));
  }
}

}  // namespace kvl
