#pragma once
#include <string>

namespace platform {

// Gives the open file `fd` exactly the extended attributes of the file `from`, its access
// control list among them: what `from` has is copied, what `fd` got from its folder's
// defaults and `from` lacks is taken away. Security labels the system sets by its own rules
// are left to it. False when an attribute of `from` cannot be given or read.
bool CopyExtendedAttributes(const std::string& from, int fd);

}  // namespace platform
