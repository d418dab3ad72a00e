#include "platform/TextConversion.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    ~Converter()
    {
        if (IsOpen())
            ::iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Nothing when a byte sequence is malformed or has no counterpart: glibc's converters
    // stop there (EILSEQ, EINVAL) instead of putting something else in its place.
    std::optional<std::string> Convert(std::string_view text)
    {
        std::string out(text.size() * 2 + 8, '\0');
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        std::size_t done = 0;
        while (inLeft > 0) {
            char* to = out.data() + done;
            std::size_t outLeft = out.size() - done;
            const std::size_t result = ::iconv(handle_, &in, &inLeft, &to, &outLeft);
            done = out.size() - outLeft;
            if (result != static_cast<std::size_t>(-1))
                break;
            if (errno != E2BIG)
                return std::nullopt;
            out.resize(out.size() * 2);
        }
        out.resize(done);
        return out;
    }

private:
    iconv_t handle_;
};

const char* IconvName(CodeSet codeSet)
{
    // "SHIFT_JIS" lacks the extensions of code page 932 and maps ～ elsewhere; "EUC-JP"
    // turns ～ into a JIS X 0212 character. These follow code page 932.
    switch (codeSet) {
    case CodeSet::ShiftJis:
        return "CP932";
    case CodeSet::Utf8:
        return "UTF-8";
    case CodeSet::EucJp:
        break;
    }
    return "EUC-JP-MS";
}

}  // namespace

std::optional<std::string> ConvertText(std::string_view text, CodeSet source, CodeSet target)
{
    Converter converter(IconvName(target), IconvName(source));
    if (!converter.IsOpen())
        return std::nullopt;
    std::optional<std::string> converted = converter.Convert(text);
    // Into code page 932 iconv fits some characters onto look-alikes (¥ onto the backslash,
    // ‾ onto the tilde): such a text is one code page 932 cannot hold. Its own duplicates
    // (the NEC and IBM rows) mean the same characters, so only this direction is checked.
    if (converted && target == CodeSet::ShiftJis && source != target) {
        Converter back(IconvName(source), IconvName(target));
        if (!back.IsOpen() || back.Convert(*converted) != std::optional<std::string>(text))
            return std::nullopt;
    }
    return converted;
}

}  // namespace platform
