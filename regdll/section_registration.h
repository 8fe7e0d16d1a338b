// The two Products.ini entry points: a product section and a platform section.
#pragma once

namespace qvreg {

// A section "...Products\<release prefix><application>": registers that application.
bool RegisterProductSection(int mode, const char* acadId, const char* iniPath, const char* section,
                            int reserved);

// A section "...Platform\<release>[\x32|\x64]...": registers every application it lists.
bool RegisterPlatformSection(int mode, const char* acadId, const char* iniPath, const char* section,
                             int reserved);

}  // namespace qvreg
