// A plugin library for the runtime plugin folder: the host's loader accepts it by its entry.
extern "C" __declspec(dllexport) void* KVL_CreatePlugin(void*) { return nullptr; }
