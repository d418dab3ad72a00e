#include "platform/TextConversion.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr UINT ShiftJisCodePage = 932;
// EUC-JP as the code-page API knows it: JIS X 0208, half-width katakana after 0x8E, and
// JIS X 0212 as a pair whose second byte lies in 0x21-0x7E.
constexpr UINT EucJpCodePage = 20932;
// ISO-2022-JP with the mapping of code page 932, through MLang: it holds what 20932 lacks
// of code page 932 (～ － ∥ ￢, the NEC row 13) as JIS X 0208 codes.
constexpr DWORD JisCodePage = 50220;

std::optional<std::wstring> Widen(std::string_view text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
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

// Without a best fit or a default character: a character code page 932 lacks is a failure,
// not a question mark.
std::optional<std::string> ToShiftJis(const std::wstring& wide)
{
    return NarrowExactly(wide);
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
using ToUnicode = HRESULT(WINAPI*)(LPDWORD, DWORD, LPCSTR, LPINT, LPWSTR, LPINT);

// An entry point of MLang, looked up once; null without it.
void* MlangFunction(const char* name)
{
    static const HMODULE mlang = ::LoadLibraryA("mlang.dll");
    // Through void*, as every entry point looked up by name is.
    return mlang ? reinterpret_cast<void*>(::GetProcAddress(mlang, name)) : nullptr;
}

ToMultiByte MlangConversion()
{
    static const auto function = reinterpret_cast<ToMultiByte>(MlangFunction("ConvertINetUnicodeToMultiByte"));
    return function;
}

ToUnicode MlangDecoding()
{
    static const auto function = reinterpret_cast<ToUnicode>(MlangFunction("ConvertINetMultiByteToUnicode"));
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

// One EUC-JP character of two bytes, or of three after 0x8F, through code page 20932,
// which writes a JIS X 0212 character as a pair whose second byte lies below 0x80.
bool AppendFromEucCodePage(std::string_view character, std::wstring& out)
{
    std::string codePageForm(character);
    if (character.size() == 3)
        codePageForm = {character[1], static_cast<char>(character[2] & 0x7F)};
    const std::optional<std::wstring> wide = Widen(codePageForm, EucJpCodePage);
    if (!wide || wide->size() != 1)
        return false;
    out += *wide;
    return true;
}

// One JIS X 0208 character of EUC-JP through MLang's ISO-2022-JP with the mapping of code
// page 932.
bool AppendFromJis(std::string_view character, std::wstring& out)
{
    const ToUnicode convert = MlangDecoding();
    if (!convert || character.size() != 2)
        return false;
    const char jis[] = {'\x1B', '$', 'B', static_cast<char>(character[0] & 0x7F),
                        static_cast<char>(character[1] & 0x7F), '\x1B', '(', 'B'};
    DWORD mode = 0;
    INT length = sizeof jis;
    wchar_t wide[4];
    INT wideLength = 4;
    if (convert(&mode, JisCodePage, jis, &length, wide, &wideLength) != S_OK || wideLength != 1)
        return false;
    // MLang gives ・ for a code it does not know.
    if (wide[0] == L'\x30FB' && character != "\xA1\xA6")
        return false;
    out += wide[0];
    return true;
}

bool IsEucJpTrailByte(char byte)
{
    return static_cast<unsigned char>(byte) >= 0xA1 && static_cast<unsigned char>(byte) != 0xFF;
}

std::optional<std::wstring> FromEucJp(std::string_view text)
{
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        const auto first = static_cast<unsigned char>(text[i]);
        if (first < 0x80) {
            out += static_cast<wchar_t>(first);
            ++i;
            continue;
        }
        const std::size_t length = first == 0x8F ? 3 : 2;
        if (text.size() - i < length)
            return std::nullopt;
        const std::string_view character = text.substr(i, length);
        for (std::size_t j = 1; j < length; ++j)
            if (!IsEucJpTrailByte(character[j]))
                return std::nullopt;
        // JIS X 0208 through MLang first, which maps it as code page 932 does (～ and ￢ are
        // 20932's 〜 and ¬); half-width katakana and JIS X 0212 through 20932.
        const bool jis = first != 0x8E && first != 0x8F;
        if (!(jis && AppendFromJis(character, out)) && !AppendFromEucCodePage(character, out))
            return std::nullopt;
        i += length;
    }
    return out;
}

std::optional<std::wstring> ToWide(std::string_view text, CodeSet source)
{
    switch (source) {
    case CodeSet::ShiftJis:
        return Widen(text, ShiftJisCodePage);
    case CodeSet::Utf8:
        return Widen(text, CP_UTF8);
    case CodeSet::EucJp:
        break;
    }
    return FromEucJp(text);
}

std::optional<std::string> FromWide(const std::wstring& wide, CodeSet target)
{
    switch (target) {
    case CodeSet::ShiftJis:
        return ToShiftJis(wide);
    case CodeSet::Utf8:
        return ToUtf8(wide);
    case CodeSet::EucJp:
        break;
    }
    return ToEucJp(wide);
}

}  // namespace

std::optional<std::string> ConvertText(std::string_view text, CodeSet source, CodeSet target)
{
    const std::optional<std::wstring> wide = ToWide(text, source);
    if (!wide)
        return std::nullopt;
    return FromWide(*wide, target);
}

}  // namespace platform
