#pragma once
// The maker's web page and the default tag text that goes with it.
#include "core/text.h"

namespace velmora {

// The web address opened at start-up and on every press on the banner.
const char* site_address();

// The host name of a web address between square brackets:
//   tag_text_for("https://velmora.example/page") == "[velmora.example]"
// The scheme, user information, port, path, query and fragment are left out.
Text tag_text_for(const Text& address);

}  // namespace velmora
