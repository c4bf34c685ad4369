#include "ui/site.h"

#ifndef VELMORA_SITE_ADDRESS
#error "the build gives the site address"
#endif

namespace velmora {

const char* site_address() {
    return VELMORA_SITE_ADDRESS;
}

Text tag_text_for(const Text& address) {
    Text host = address;
    if (auto scheme = host.find("://"); scheme != Text::npos) host.erase(0, scheme + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    if (auto at = host.rfind('@'); at != Text::npos) host.erase(0, at + 1);
    if (!host.empty() && host.front() == '[') {
        // An IPv6 address keeps its brackets' content; only a port follows.
        if (auto close = host.find(']'); close != Text::npos) host = host.substr(1, close - 1);
    } else {
        host = host.substr(0, host.find(':'));
    }
    return "[" + host + "]";
}

}  // namespace velmora
