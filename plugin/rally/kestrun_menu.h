#pragma once
// The rally event's service page "new_main": the host's service panel with the plugin's service
// key, an information box and the service countdown; its action runs the repair service.

namespace kvl::rally {

// Builds the page on the host heap; null when the host gives no memory for the page itself. An
// element whose content cannot be allocated is placed without it.
void* buildKestrunMenu();
// Points the page at the host's shared page table and frees it.
void destroyKestrunMenu(void* page) noexcept;

}  // namespace kvl::rally
