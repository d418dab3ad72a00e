"""Oniguruma itself, called through ctypes: the model's regular expressions, independent of
the program's own library over it."""
import ctypes

ONIG_OPTION_IGNORECASE = 1
ONIG_OPTION_NEGATE_SINGLELINE = 1 << 6
ONIG_OPTION_CAPTURE_GROUP = 1 << 8
ONIG_OPTION_IGNORECASE_IS_ASCII = 1 << 15
ONIG_OPTION_DIGIT_IS_ASCII = 1 << 17
ONIG_OPTION_SPACE_IS_ASCII = 1 << 18
ONIG_MISMATCH = -1

_lib = ctypes.CDLL("libonig.so.5")


class _Region(ctypes.Structure):
    _fields_ = [("allocated", ctypes.c_int), ("num_regs", ctypes.c_int),
                ("beg", ctypes.POINTER(ctypes.c_int)), ("end", ctypes.POINTER(ctypes.c_int)),
                ("history_root", ctypes.c_void_p)]


class _ErrorInfo(ctypes.Structure):
    _fields_ = [("enc", ctypes.c_void_p), ("par", ctypes.c_char_p), ("par_end", ctypes.c_char_p)]


ENCODINGS = {name: ctypes.addressof(ctypes.c_char.in_dll(_lib, symbol))
             for name, symbol in (("sjis", "OnigEncodingSJIS"), ("utf8", "OnigEncodingUTF8"),
                                  ("eucjp", "OnigEncodingEUC_JP"), ("ascii", "OnigEncodingASCII"))}
_SYNTAX_PERL_NG = ctypes.addressof(ctypes.c_char.in_dll(_lib, "OnigSyntaxPerl_NG"))

_lib.onig_new.argtypes = [ctypes.POINTER(ctypes.c_void_p), ctypes.c_char_p, ctypes.c_char_p, ctypes.c_uint,
                          ctypes.c_void_p, ctypes.c_void_p, ctypes.POINTER(_ErrorInfo)]
_lib.onig_search.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p,
                             ctypes.POINTER(_Region), ctypes.c_uint]
_lib.onig_region_new.restype = ctypes.POINTER(_Region)
_lib.onig_region_free.argtypes = [ctypes.POINTER(_Region), ctypes.c_int]
_lib.onig_free.argtypes = [ctypes.c_void_p]
_encodings = (ctypes.c_void_p * 4)(*ENCODINGS.values())
_lib.onig_initialize(_encodings, 4)


class Regex:
    """A compiled expression; `search` finds the first match in `text` at or after `start`,
    treating `text` as the whole text."""

    def __init__(self, pattern: bytes, encoding: str, ignore_case: bool, multiline: bool):
        options = (ONIG_OPTION_CAPTURE_GROUP | ONIG_OPTION_DIGIT_IS_ASCII | ONIG_OPTION_SPACE_IS_ASCII
                   | ONIG_OPTION_IGNORECASE_IS_ASCII)
        if ignore_case:
            options |= ONIG_OPTION_IGNORECASE
        if multiline:
            options |= ONIG_OPTION_NEGATE_SINGLELINE
        self._reg = ctypes.c_void_p()
        self._pattern = ctypes.create_string_buffer(pattern, len(pattern))
        info = _ErrorInfo()
        status = _lib.onig_new(ctypes.byref(self._reg), self._pattern, ctypes.c_char_p(ctypes.addressof(self._pattern) + len(pattern)),
                               options, ENCODINGS[encoding], _SYNTAX_PERL_NG, ctypes.byref(info))
        if status != 0:
            raise ValueError("Oniguruma refuses %r: %d" % (pattern, status))
        self._region = _lib.onig_region_new()

    def __del__(self):
        if getattr(self, "_region", None):
            _lib.onig_region_free(self._region, 1)
        if getattr(self, "_reg", None):
            _lib.onig_free(self._reg)

    def search(self, text: bytes, start: int = 0):
        """The groups of the first match as (begin, end) pairs, None for a group that took no
        part; None when there is no match."""
        buffer = ctypes.create_string_buffer(text, len(text))
        base = ctypes.addressof(buffer)
        end = ctypes.c_char_p(base + len(text))
        found = _lib.onig_search(self._reg, ctypes.c_char_p(base), end, ctypes.c_char_p(base + start), end,
                                 self._region, 0)
        if found == ONIG_MISMATCH:
            return None
        if found < 0:
            raise RuntimeError("Oniguruma failed to search: %d" % found)
        region = self._region.contents
        return [None if region.beg[i] < 0 else (region.beg[i], region.end[i]) for i in range(region.num_regs)]
