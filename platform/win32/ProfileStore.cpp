#include "platform/ProfileStore.h"

#include <windows.h>

#include "platform/DoubleByte.h"

namespace platform {

std::string ReadProfileText(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& defaultValue, std::size_t limit)
{
    // Room for one byte beyond the limit: the system cuts a longer value itself, and can
    // leave the last byte of its buffer undefined when a double-byte character does not
    // fit there, so our own cut decides.
    std::string buffer(limit + 2, '\0');
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                    static_cast<DWORD>(buffer.size()), file.c_str());
    buffer.resize(length < buffer.size() ? length : buffer.size() - 1);
    return std::string(LeadingCharacters(buffer, limit));
}

int ReadProfileInteger(const std::string& file, const std::string& section, const std::string& key,
                       int defaultValue)
{
    return static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str()));
}

bool WriteProfileText(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value)
{
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

}  // namespace platform
