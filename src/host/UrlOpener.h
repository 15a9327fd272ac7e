// Opening a URL with the desktop's handler (links of the about screen).
#pragma once

#include <string>

namespace host {

// Only http:, https: and mailto: URLs are handed on; failures are ignored.
void openUrl(const std::string& url);
bool isOpenableUrl(const std::string& url);

// Replaces the launcher (tests); null restores the desktop's.
using UrlLauncher = void (*)(const std::string& url);
void setUrlLauncher(UrlLauncher launcher);

} // namespace host
