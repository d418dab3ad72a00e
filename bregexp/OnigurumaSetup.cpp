#include "bregexp/OnigurumaSetup.h"

#include <atomic>
#include <mutex>

namespace bregexp {

namespace {

std::atomic<bool> initialized{false};

// Oniguruma's global tables go with the library when the program unloads it, so that a
// program that loads and frees it repeatedly does not lose memory each time.
struct OnigurumaRelease {
    ~OnigurumaRelease()
    {
        if (initialized.exchange(false))
            onig_end();
    }
} release;

}  // namespace

void EnsureOnigurumaReady()
{
    static std::once_flag once;
    std::call_once(once, [] {
        OnigEncoding encodings[] = {ONIG_ENCODING_ASCII, ONIG_ENCODING_SJIS, ONIG_ENCODING_UTF8, ONIG_ENCODING_EUC_JP};
        onig_initialize(encodings, sizeof encodings / sizeof encodings[0]);
        onig_set_parse_depth_limit(ParseDepthLimit);
        initialized = true;
    });
}

std::string OnigurumaErrorText(int code, OnigErrorInfo* info)
{
    OnigUChar text[ONIG_MAX_ERROR_MESSAGE_LEN];
    const int length = info && onig_is_error_code_needs_param(code) ? onig_error_code_to_str(text, code, info)
                                                                    : onig_error_code_to_str(text, code);
    return std::string(reinterpret_cast<const char*>(text), length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace bregexp
