"""Random trees and requests for the tester, each from one seed."""
import random
from dataclasses import dataclass, field

from model import Pattern, PYTHON_CODEC, BOM

# Characters a text is made of: letters of both cases, double-byte characters whose second
# byte is a backslash, a bar, an at sign or a letter (表 ソ 能 十 ー ＼ ア ヂ), kana, and the
# bytes escape sequences decode to.
WORDS = ["abc", "Abc", "ABC", "foo", "bar", "x1", "12", "表", "ソ", "能", "十", "ア", "ヂ", "ー", "旧社名", "新", "社",
         "\\", "|", "@", "/", "$", ".", "(", "あいう", "かき", "データ", "表示", " ", " ", "\t", "\r\n", "\n"]
# Characters code page 932 cannot hold, which only UTF-8 files take.
BEYOND_CP932 = ["Café", "é", "ü", "🎉", "한"]
# Enough kana that every encoding's reading of a file is beyond doubt.
KANA = "あいうえおかきくけこさしすせそたちつてと"


@dataclass
class TreeFile:
    name: str
    data: bytes
    encoding: str      # sjis, eucjp, utf8, ascii, iso2022, binary
    mode: int = 0o644
    xattr: bytes = None
    acl: str = None        # entries for setfacl -m


@dataclass
class Case:
    seed: int
    files: list = field(default_factory=list)
    links: list = field(default_factory=list)     # (name, target, hard)
    folders: list = field(default_factory=list)
    arguments: list = field(default_factory=list)  # file arguments, relative to the tree
    patterns: list = field(default_factory=list)
    all_auto: bool = False
    backup: bool = False
    preview: bool = False
    workers: int = 1
    list_bytes: bytes = None


def text_of(rng, words):
    return "".join(rng.choice(words) for _ in range(rng.randint(0, 40)))


def make_file(rng, name):
    kind = rng.choice(["sjis", "sjis", "sjis", "eucjp", "utf8", "utf8bom", "ascii", "iso2022", "binary", "empty"])
    body = text_of(rng, WORDS + (BEYOND_CP932 if kind.startswith("utf8") else []))
    if kind == "ascii":
        body = "".join(c for c in body if ord(c) < 0x80)
        return TreeFile(name, body.encode(), "ascii")
    if kind == "empty":
        return TreeFile(name, b"", "ascii")
    if kind == "iso2022":
        return TreeFile(name, (KANA + body.replace("\\", "")).encode("iso2022_jp"), "iso2022")
    if kind == "binary":
        return TreeFile(name, body.encode("cp932") + b"\0" + KANA.encode("cp932"), "binary")
    body = KANA + body if rng.random() < 0.5 else body + KANA
    if rng.random() < 0.2:
        body = body.rstrip("\r\n") + rng.choice(["", "\r\n"])
    if kind == "utf8bom":
        return TreeFile(name, BOM + body.encode("utf-8"), "utf8")
    return TreeFile(name, body.encode(PYTHON_CODEC[kind]), kind)


def literal_find(rng):
    find = "".join(rng.choice(WORDS[:30]) for _ in range(rng.randint(1, 2)))
    if rng.random() < 0.15:
        find += "\\|" + rng.choice(WORDS[:20])
    return find.replace("\\\\|", "\\|")


REGEX_ATOMS = ["a", "b", "x", "1", "表", "ソ", "ア", "ー", "あ", "社", "\\\\", "\\|", "/", "@", ".", "[あ-ん]", "[a-z]",
               "[A-Z]", "\\d", "\\s", "(foo|bar)", "(ア|ヂ)", "(表|能)"]
QUANTIFIERS = ["", "", "", "*", "+", "?", "*?", "+?", "{1,2}"]


def regex_find(rng):
    def sequence():
        return "".join(rng.choice(REGEX_ATOMS) + rng.choice(QUANTIFIERS) for _ in range(rng.randint(1, 3)))
    expression = sequence()
    if rng.random() < 0.2:
        expression = "(" + expression + ")|" + sequence()
    return expression


def template(rng):
    pieces = ["", "-", "<", ">", "$0", "$1", "$2", "$$", "X", "新", "表", "ソ", "\\|", "@"]
    return "".join(rng.choice(pieces) for _ in range(rng.randint(0, 3)))


def beyond_cp932(rng, pattern):
    """The pattern with a character code page 932 cannot hold in its find text or its
    replacement, typed in UTF-8 as a UTF-8 terminal or list gives it."""
    find, replace = pattern.find.decode("cp932"), pattern.replace.decode("cp932")
    extra = rng.choice(BEYOND_CP932)
    if rng.random() < 0.5:
        find = extra if "e" not in pattern.options else extra + find[:4]
    else:
        replace += extra
    return Pattern(find.encode("utf-8"), replace.encode("utf-8"), pattern.options, "utf8")


def make_pattern(rng):
    pattern = make_plain_pattern(rng)
    return beyond_cp932(rng, pattern) if rng.random() < 0.15 else pattern


def make_plain_pattern(rng):
    if rng.random() < 0.5:
        options = "".join(c for c in "sc" if rng.random() < 0.3)
        return Pattern(literal_find(rng).encode("cp932"), text_of(rng, WORDS[:28])[:8].encode("cp932"), options)
    options = "e" + "".join(c for c in "kmi" if rng.random() < 0.4)
    return Pattern(regex_find(rng).encode("cp932"), template(rng).encode("cp932"), options)


def as_utf8(pattern):
    if pattern.typed == "utf8":
        return pattern
    return Pattern(pattern.find.decode("cp932").encode("utf-8"), pattern.replace.decode("cp932").encode("utf-8"),
                   pattern.options)


def list_line(pattern):
    letters = ""
    if "e" in pattern.options:
        letters = "E" + "".join(c for c in "kmi" if c in pattern.options)
    else:
        letters = ("S" if "s" in pattern.options else "") + ("C" if "c" in pattern.options else "")
    return pattern.find + b"\t" + pattern.replace + b"\t" + letters.encode() + b"\r\n"


def make_case(seed):
    rng = random.Random(seed)
    case = Case(seed)
    names = ["a.txt", "b.txt", "c.htm", "d.txt", "e.txt", "f.dat", "g.txt"]
    rng.shuffle(names)
    for name in names[:rng.randint(1, 6)]:
        case.files.append(make_file(rng, name))
    if rng.random() < 0.3:
        case.folders.append("sub")
        for name in ("h.txt", "i.txt")[:rng.randint(1, 2)]:
            case.files.append(make_file(rng, "sub/" + name))
    for f in case.files:
        if rng.random() < 0.15:
            f.mode = rng.choice([0o600, 0o640, 0o755, 0o444])
        if rng.random() < 0.15:
            f.xattr = b"kept-" + str(rng.randint(0, 99)).encode()
        if rng.random() < 0.1:
            f.acl = rng.choice(["u:nobody:rw-", "u:nobody:r--,g:nogroup:rw-"])
    plain = [f.name for f in case.files if "/" not in f.name]
    # The user's own files beside the processed ones, and a leftover of a killed run.
    for name in rng.sample(plain, min(len(plain), rng.randint(0, 2))):
        case.files.append(TreeFile(name + rng.choice([".tmp", ".auto", ".bak"]), b"user's own", "user"))
    if rng.random() < 0.1:
        case.files.append(TreeFile(rng.choice(plain) + ".tarvelox.tmp", b"half a new te", "leftover"))
    # One in a folder a walk meets, decided without a draw, so that every seed's other
    # choices stay as they were.
    if case.folders and len(plain) % 2 == 1:
        case.files.append(TreeFile("sub/h.txt" + (".tarvelox.tmp" if seed % 3 else ".tarvelox.auto"),
                                   b"half a new te", "leftover"))
    if rng.random() < 0.2:
        case.links.append(("link.txt", rng.choice(plain), rng.random() < 0.5))
    case.all_auto = rng.random() < 0.35
    if case.all_auto:
        case.patterns = [make_pattern(rng) for _ in range(rng.randint(1, 4))]
        if rng.random() < 0.3:
            # A step that empties what an earlier step wrote.
            first = case.patterns[0]
            case.patterns.append(Pattern(first.replace or b"x", b"", "e" if rng.random() < 0.5 else "", first.typed))
        # A list with a text code page 932 cannot hold is written in UTF-8, every line of it.
        in_utf8 = any(p.typed == "utf8" for p in case.patterns)
        case.list_bytes = b"".join(list_line(as_utf8(p) if in_utf8 else p) for p in case.patterns)
    else:
        case.patterns = [make_pattern(rng)]
    case.backup = rng.random() < 0.5
    case.preview = rng.random() < 0.2
    case.workers = rng.randint(2, 4)
    arguments = [f.name for f in case.files if "/" not in f.name and f.encoding not in ("user", "leftover")]
    arguments += [name for name, _, _ in case.links]
    rng.shuffle(arguments)
    if case.backup and rng.random() < 0.3 and case.files:
        # A file's backup listed with it, as a walk with -E '*.*' after an earlier run lists it.
        target = rng.choice(plain)
        case.files.append(TreeFile(target + ".bak", b"an older backup " + KANA.encode("cp932"), "sjis"))
        arguments.insert(rng.randint(0, len(arguments)), target + ".bak")
    arguments += case.folders
    case.arguments = arguments
    return case
