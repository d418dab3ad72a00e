#include "platform/posix/LocaleCharset.h"

#include <langinfo.h>

namespace platform {

std::string LocaleCharset()
{
    const char* name = ::nl_langinfo(CODESET);
    return name ? name : "";
}

}  // namespace platform
