#pragma once
// Whether an address may be handed to the shell or a quoted command line:
// only "https://" addresses without control characters, spaces or quotes
// pass, so nothing else can be started and nothing can leave the quotes.
namespace ifx {

bool IsOpenableUrl(const char* url) noexcept;

} // namespace ifx
