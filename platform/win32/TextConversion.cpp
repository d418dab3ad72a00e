#include "platform/TextConversion.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

constexpr UINT ShiftJisCodePage = 932;
// EUC-JP as the code-page API knows it: JIS X 0208, half-width katakana after 0x8E, and
// JIS X 0212 as a pair whose second byte lies in 0x21-0x7E.
constexpr UINT EucJpCodePage = 20932;
// ISO-2022-JP with the mapping of code page 932, through MLang: it holds what 20932 lacks
// of code page 932 (～ － ∥ ￢, the NEC row 13) as JIS X 0208 codes.
constexpr DWORD JisCodePage = 50220;

std::optional<std::wstring> Widen(std::string_view text)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(ShiftJisCodePage, MB_ERR_INVALID_CHARS, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(ShiftJisCodePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                          wide.data(), length);
    return wide;
}

std::optional<std::string> ToUtf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int length = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), static_cast<int>(wide.size()), out.data(),
                          length, nullptr, nullptr);
    return out;
}

// One character through code page 20932, with its JIS X 0212 pair put in EUC-JP's
// three-byte form.
bool AppendThroughEucCodePage(wchar_t character, std::string& out)
{
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int length =
        ::WideCharToMultiByte(EucJpCodePage, WC_NO_BEST_FIT_CHARS, &character, 1, bytes, sizeof bytes, nullptr,
                              &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    if (length == 2 && static_cast<unsigned char>(bytes[1]) < 0x80) {
        out += '\x8F';
        out += bytes[0];
        out += static_cast<char>(bytes[1] | 0x80);
        return true;
    }
    out.append(bytes, static_cast<std::size_t>(length));
    return true;
}

using ToMultiByte = HRESULT(WINAPI*)(LPDWORD, DWORD, LPCWSTR, LPINT, LPSTR, LPINT);

ToMultiByte MlangConversion()
{
    static const ToMultiByte function = [] {
        const HMODULE mlang = ::LoadLibraryA("mlang.dll");
        // Through void*, as every entry point looked up by name is.
        return mlang ? reinterpret_cast<ToMultiByte>(
                           reinterpret_cast<void*>(::GetProcAddress(mlang, "ConvertINetUnicodeToMultiByte")))
                     : nullptr;
    }();
    return function;
}

// One character as a JIS X 0208 code between ESC $ B and ESC ( B, which EUC-JP writes with
// the high bit of both bytes set.
bool AppendThroughJis(wchar_t character, std::string& out)
{
    const ToMultiByte convert = MlangConversion();
    if (!convert)
        return false;
    DWORD mode = 0;
    INT wideLength = 1;
    char bytes[16];
    INT length = sizeof bytes;
    if (convert(&mode, JisCodePage, &character, &wideLength, bytes, &length) != S_OK)
        return false;
    const std::string_view jis(bytes, static_cast<std::size_t>(length));
    if (jis.size() != 8 || jis.substr(0, 3) != "\x1B$B" || jis.substr(5) != "\x1B(B")
        return false;
    out += static_cast<char>(jis[3] | 0x80);
    out += static_cast<char>(jis[4] | 0x80);
    return true;
}

std::optional<std::string> ToEucJp(const std::wstring& wide)
{
    std::string out;
    for (const wchar_t character : wide) {
        if (character < 0x80)
            out += static_cast<char>(character);
        else if (!AppendThroughEucCodePage(character, out) && !AppendThroughJis(character, out))
            return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<std::string> ConvertShiftJis(std::string_view text, CodeSet target)
{
    const std::optional<std::wstring> wide = Widen(text);
    if (!wide)
        return std::nullopt;
    return target == CodeSet::Utf8 ? ToUtf8(*wide) : ToEucJp(*wide);
}

}  // namespace platform
