#pragma once
// The installation checks KVL_CreatePlugin runs before it starts the plugin.
#include <optional>
#include <string>

namespace kvl {

// The caption and exit code of every fatal start-up message.
constexpr const char* kSanityCheckCaption = "QZR Plugin Sanity Check";
constexpr unsigned kSanityCheckExitCode = 42;

// The plugin files (under Plugins/, without ".dll") that conflict with this plugin.
extern const char* const kConflictingPlugins[3];

// The message that ends the process, or nothing when the installation is usable. Conflicting
// plugins are reported first and hide missing sound-daemon files. The architecture name picks
// the folder Plugins/QZR/bin/<name>.
std::optional<std::string> startupCheckMessage(const std::string& architecture);

// The message for an error that stopped the start-up itself.
std::string startupFailureMessage(const std::string& error);

// Shows the message with the sanity-check caption and ends the process with exit code 42.
[[noreturn]] void endWithMessage(const std::string& text);

}  // namespace kvl
