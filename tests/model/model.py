"""A deliberately plain model of a whole run of the native command: whole files in memory,
one pattern at a time, one file after the other, regular expressions through Oniguruma
itself. It knows each file's encoding because the generator chose it."""
import os
from dataclasses import dataclass, field

import onig

PYTHON_CODEC = {"sjis": "cp932", "eucjp": "euc_jp", "utf8": "utf-8", "ascii": "cp932"}
BOM = b"\xef\xbb\xbf"

NOT_OPEN, NO_TEXT, REGEXP_ER, WRITE_ERR, ENCODE_ER, ISO2022 = -1, -3, -4, -6, -7, -8
ENCODING_NAMES = {"sjis": "Shift-JIS", "eucjp": "EUC-JP", "utf8": "UTF-8", "ascii": "ASCII", "iso2022": "ISO-2022-JP"}
STATUS_WORDS = {NOT_OPEN: " NotOpen", NO_TEXT: "  NoText", REGEXP_ER: "RegExpER", WRITE_ERR: "WriteErr",
                ENCODE_ER: "EncodeER", ISO2022: " ISO2022"}
REASONS = {NOT_OPEN: "cannot be read", NO_TEXT: "holds a NUL byte: not a text file",
           REGEXP_ER: "the regular expression failed on it: an error in it, a search too complex, or a text of 2 GiB "
                      "or more",
           WRITE_ERR: "could not be rewritten: read-only, in a folder that cannot be written, with a name too long "
                      "for its temporary file, changed meanwhile, or the disk is full",
           ENCODE_ER: "a replacement cannot be written in its encoding:", ISO2022: "ISO-2022-JP text is left alone"}


def char_length(text: bytes, i: int, encoding: str) -> int:
    """The length of the character at i: one byte for anything malformed."""
    b = text[i]
    rest = len(text) - i
    if encoding in ("sjis", "ascii"):
        return 2 if (0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC) and rest >= 2 else 1
    if encoding == "eucjp":
        if b == 0x8F and rest >= 3:
            return 3
        return 2 if (b == 0x8E or 0xA1 <= b <= 0xFE) and rest >= 2 else 1
    if b < 0x80:
        return 1
    n = 2 if 0xC2 <= b <= 0xDF else 3 if 0xE0 <= b <= 0xEF else 4 if 0xF0 <= b <= 0xF4 else 1
    return n if n <= rest and all(0x80 <= c <= 0xBF for c in text[i + 1:i + n]) else 1


def character_starts(text: bytes, encoding: str):
    starts, i = set(), 0
    while i < len(text):
        starts.add(i)
        i += char_length(text, i, encoding)
    return starts


def convert(text: bytes, encoding: str, typed: str = "sjis"):
    """A typed text (Shift-JIS, or UTF-8 for what code page 932 cannot hold) in a file's
    encoding; None when it cannot be held. A seven-bit file takes the text as typed."""
    if encoding == typed or encoding == "ascii":
        return text
    if typed == "utf8" and encoding == "sjis":
        # JIS X 0208's code points for characters code page 932 has under others.
        for jis, cp932 in zip("〜‖−—¢£¬", "～∥－―￠￡￢"):
            text = text.replace(jis.encode("utf-8"), cp932.encode("utf-8"))
    try:
        return text.decode(PYTHON_CODEC[typed]).encode(PYTHON_CODEC[encoding])
    except UnicodeError:
        return None


# --- literal patterns -------------------------------------------------------------------

def decode_escapes(text: bytes, is_find: bool, typed: str = "sjis"):
    """The typed text with its escape sequences decoded: the alternatives of a find text."""
    pieces, out, i = [], bytearray(), 0
    table = {ord("\\"): b"\\", ord("n"): b"\r\n", ord("t"): b"\t", ord("u"): b"\n", ord("m"): b"\r"}
    while i < len(text):
        if text[i] == 0x5C and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt in table:
                out += table[nxt]
                i += 2
                continue
            if nxt == ord("|") and is_find:
                pieces.append(bytes(out))
                out = bytearray()
                i += 2
                continue
        n = char_length(text, i, typed)
        out += text[i:i + n]
        i += n
    pieces.append(bytes(out))
    return pieces


def fold(b: int) -> int:
    return b + 32 if 0x41 <= b <= 0x5A else b


def literal_matches_at(text: bytes, at: int, find: bytes, ignore_case: bool, encoding: str) -> bool:
    if text[at:at + len(find)] == find:
        return True
    if not ignore_case or at + len(find) > len(text):
        return False
    k = 0
    while k < len(find):
        n = char_length(find, k, encoding)
        if n == 1:
            if fold(text[at + k]) != fold(find[k]):
                return False
        elif text[at + k:at + k + n] != find[k:k + n]:
            return False
        k += n
    return True


def literal_pass(text: bytes, find: bytes, replacement: bytes, ignore_case: bool, encoding: str):
    if not find:
        return text, 0
    out, count, i, copied = bytearray(), 0, 0, 0
    while i + len(find) <= len(text):
        if literal_matches_at(text, i, find, ignore_case, encoding):
            out += text[copied:i] + replacement
            i = copied = i + len(find)
            count += 1
        else:
            i += char_length(text, i, encoding)
    return bytes(out + text[copied:]), count


def literal_rewrite(text: bytes, pattern, encoding: str):
    escapes = "s" not in pattern.options
    typed = pattern.typed
    alternatives = decode_escapes(pattern.find, True, typed) if escapes else [pattern.find]
    replacement = decode_escapes(pattern.replace, False, typed)[0] if escapes else pattern.replace
    replacement = convert(replacement, encoding, typed)
    count = 0
    for alternative in alternatives:
        converted = convert(alternative, encoding, typed)
        if converted is None:
            continue
        text, found = literal_pass(text, converted, replacement or b"", "c" in pattern.options, encoding)
        count += found
        # A replacement the file cannot hold, where one is needed, leaves the file as it is.
        if count and replacement is None:
            return ENCODE_ER, None
    return count, text


# --- regular expressions ----------------------------------------------------------------

SIMPLE_ESCAPES = {ord("n"): b"\n", ord("r"): b"\r", ord("t"): b"\t", ord("f"): b"\f", ord("e"): b"\x1b",
                  ord("a"): b"\x07"}
HEX = b"0123456789abcdefABCDEF"


def template_pieces(replace: bytes, typed: str = "sjis"):
    """The own template as (literal bytes | group number) pieces: $0-$9 are groups, $$ a
    dollar sign; a backslash gives LF CR TAB FF ESC BEL for n r t f e a, a byte by up to two
    hex digits after x or up to three octal digits, and else the byte after it; a lone $ or
    backslash at the end is dropped."""
    pieces, literal, i = [], bytearray(), 0
    while i < len(replace):
        c = replace[i]
        if c in (ord("$"), ord("\\")):
            if i + 1 == len(replace):
                break
            nxt = replace[i + 1]
            if c == ord("\\"):
                i += 1
                if nxt in SIMPLE_ESCAPES:
                    literal += SIMPLE_ESCAPES[nxt]
                    i += 1
                elif nxt == ord("x"):
                    j = i + 1
                    while j < len(replace) and j < i + 3 and replace[j] in HEX:
                        j += 1
                    literal.append(int(replace[i + 1:j] or b"0", 16))
                    i = j
                elif ord("0") <= nxt <= ord("7"):
                    j = i
                    while j < len(replace) and j < i + 3 and ord("0") <= replace[j] <= ord("7"):
                        j += 1
                    literal.append(int(replace[i:j], 8) & 0xFF)
                    i = j
                else:
                    literal.append(nxt)
                    i += 1
                continue
            if ord("0") <= nxt <= ord("9"):
                pieces.append(bytes(literal))
                pieces.append(nxt - ord("0"))
                literal = bytearray()
                i += 2
                continue
            if nxt == ord("$"):
                literal += b"$"
                i += 2
                continue
        n = char_length(replace, i, typed)
        literal += replace[i:i + n]
        i += n
    pieces.append(bytes(literal))
    return pieces


def regex_rewrite(text: bytes, pattern, encoding: str):
    find = convert(pattern.find, encoding, pattern.typed)
    if find is None:
        return 0, text
    # A seven-bit file is read in the encoding the expression was typed in.
    onig_encoding = ("sjis" if pattern.typed == "sjis" else pattern.typed) if encoding == "ascii" else encoding
    regex = onig.Regex(find, onig_encoding, "i" in pattern.options, "m" in pattern.options)
    pieces = []
    for piece in template_pieces(pattern.replace, pattern.typed):
        if isinstance(piece, bytes):
            piece = convert(piece, encoding, pattern.typed)
        pieces.append(piece)
    if not text:
        return 0, text
    mark = 3 if encoding == "utf8" and text.startswith(BOM) else 0
    out, count, copied, start = bytearray(), 0, 0, mark
    while True:
        # Each search is given the text from where it starts on, as a text of its own.
        groups = regex.search(text[start:])
        if groups is None:
            break
        begin, end = groups[0][0] + start, groups[0][1] + start
        if any(p is None for p in pieces):
            return ENCODE_ER, text
        out += text[copied:begin]
        for piece in pieces:
            if isinstance(piece, bytes):
                out += piece
            elif piece < len(groups) and groups[piece] is not None:
                out += text[groups[piece][0] + start:groups[piece][1] + start]
        count += 1
        copied = nxt = end
        if nxt == begin:
            if nxt == len(text):
                break
            nxt += char_length(text, nxt, onig_encoding)
        if nxt == len(text):
            break
        start = nxt
    if count == 0:
        return 0, text
    return count, bytes(out + text[copied:])


# --- files and runs ---------------------------------------------------------------------

@dataclass
class Pattern:
    find: bytes       # as typed
    replace: bytes
    options: str      # letters: s c (literal), e k m i (regular expression)
    typed: str = "sjis"  # or utf8, for texts code page 932 cannot hold


@dataclass
class FileOutcome:
    result: int
    new_bytes: bytes = None


def rewrite_text(data: bytes, encoding: str, patterns):
    """The result of every pattern in turn on a file's bytes: (count or failure, new bytes)."""
    if encoding == "iso2022":
        return ISO2022, data
    total = 0
    for pattern in patterns:
        # A literal pattern takes no text with a NUL byte; a regular expression reads it.
        if "e" not in pattern.options and b"\0" in data:
            return NO_TEXT, None
        rewrite = regex_rewrite if "e" in pattern.options else literal_rewrite
        count, data = rewrite(data, pattern, encoding)
        if count < 0:
            return count, None
        total += count
    return total, data


@dataclass
class ModelFile:
    path: str           # as listed (absolute)
    shown: str          # as the command shows it
    identity: tuple     # which file, links followed
    real: str           # the file behind links
    encoding: str
    walked: bool = False


def status_line(shown: str, result: int, encoding_name: str = "") -> str:
    word = STATUS_WORDS[result].strip()
    reason = REASONS[result]
    if reason.endswith(":"):
        reason += " " + encoding_name
    return "%s: %s (%s)" % (shown, word, reason)


def log_line(path: str, result: int) -> bytes:
    line = path.encode("cp932").ljust(46)
    if result in STATUS_WORDS:
        line += STATUS_WORDS[result].encode()
    else:
        line += b"%8d" % result
    return line + b"\r\n"
