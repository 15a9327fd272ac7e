// What `tintrow --help` and `tintrow --version` print.
#pragma once

#include <string>

std::string usageText();
std::string versionText();
