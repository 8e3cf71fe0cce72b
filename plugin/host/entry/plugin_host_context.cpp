#include "plugin/host/entry/plugin_host_context.h"

namespace kvl {

PluginHostContext& pluginHostContext() {
  static PluginHostContext context;
  return context;
}

}  // namespace kvl
