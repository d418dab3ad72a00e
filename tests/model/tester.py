"""Runs the native command on random trees and requests and compares everything it does
with the plain model: every file's bytes, mode and extended attribute, which files exist
afterwards, the lines on standard output, the summary, the log's bytes and the exit
status; the same request with one worker and with several must give the same. Prints the
seed of every disagreement, so that it can be replayed with --seed."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

import generate
from model import (BOM, NO_TEXT, ISO2022, WRITE_ERR, STATUS_WORDS, rewrite_text, status_line, log_line)

BACKUP_OF_LISTED = -9
REFUSED = "tarvelox: the regular-expression library does not accept "
STATUS_WORDS[BACKUP_OF_LISTED] = "  Backup"
import model
model.REASONS[BACKUP_OF_LISTED] = "the backup of another file of this run: left as it is"


def materialize(case, root):
    os.makedirs(root)
    for folder in case.folders:
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    for f in case.files:
        path = os.path.join(root, f.name)
        with open(path, "wb") as out:
            out.write(f.data)
        os.chmod(path, f.mode)
        if f.xattr:
            os.setxattr(path, "user.model", f.xattr)
        if f.acl:
            subprocess.run(["setfacl", "-m", f.acl, path], check=True)
    for name, target, hard in case.links:
        if hard:
            os.link(os.path.join(root, target), os.path.join(root, name))
        else:
            os.symlink(target, os.path.join(root, name))
    if case.list_bytes is not None:
        with open(os.path.join(root, "..", "list.lst"), "wb") as out:
            out.write(case.list_bytes)


def attributes(path):
    """The extended attributes a rewrite must keep: the user's own and the access control list."""
    kept = []
    for name in ("user.model", "system.posix_acl_access"):
        try:
            kept.append(os.getxattr(path, name))
        except OSError:
            kept.append(None)
    return tuple(kept) if any(kept) else None


def snapshot(root):
    """Every entry below root: bytes, mode and extended attribute of files; links as links."""
    state = {}
    for folder, dirs, files in os.walk(root):
        for name in files + [d for d in dirs if os.path.islink(os.path.join(folder, d))]:
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, root)
            if os.path.islink(path):
                state[rel] = ("link", os.readlink(path))
                continue
            with open(path, "rb") as f:
                data = f.read()
            state[rel] = ("file", data, os.stat(path).st_mode & 0o7777, attributes(path))
    return state


def typed_in_utf8(case):
    return not case.all_auto and case.patterns[0].typed == "utf8"


def command_line(case, root, workers, log):
    # Texts code page 932 cannot hold come from a UTF-8 terminal; the others as bytes.
    arguments = ["-E*.*", "-S1", "-j%d" % workers, "-B1" if case.backup else "-B0"]
    if not typed_in_utf8(case):
        arguments.insert(0, "--bytes")
    if case.all_auto:
        arguments += ["-A1", "-L" + os.path.join(root, "..", "list.lst")]
    else:
        p = case.patterns[0]
        arguments += ["-A0", b"--find=" + p.find, b"--replace=" + p.replace]
        if p.options:
            arguments.append("-O" + p.options)
    if case.preview:
        arguments.append("-n")
    elif log:
        arguments.append("--log=" + log)
    return arguments + ["--"] + case.arguments


def expected_run(case, root, before, log, log_name=lambda path: path, listing=os.listdir, command=True):
    """What the model says: the state afterwards, standard output, the summary, the log, the
    exit status."""
    for p in case.patterns:
        if "e" in p.options:
            try:
                model.onig.Regex(p.find, "utf8" if p.typed == "utf8" else "sjis", "i" in p.options,
                                 "m" in p.options)
            except ValueError:
                # Refused before anything is touched; the library's words are its own.
                return before, "", REFUSED, None, 2
    # The command refuses a find text that holds nothing to find (\| alone: two empty
    # alternatives); the window's automatic mode runs it, and finds nothing.
    finds = [p.find if "e" in p.options or "s" in p.options else b"".join(model.decode_escapes(p.find, True, p.typed))
             for p in case.patterns]
    if command and not all(finds):
        if not case.all_auto:
            return before, "", "tarvelox: the find text is empty\nTry 'tarvelox --help'.\n", None, 2
        if not any(finds):
            return before, "", "tarvelox: the replace list %s holds nothing to find: the find text of every pattern " \
                "is empty; nothing was changed\n" % os.path.join(root, "..", "list.lst"), None, 2
    after = dict(before)
    listed = []
    made_by_runs = []
    left_by_runs = 0
    for argument in case.arguments:
        path = os.path.join(root, argument)
        if os.path.isdir(path) and not os.path.islink(path):
            for folder, dirs, files in os.walk(path):
                # The order the walk meets them in: the file system's, files and folders mixed.
                for name in listing(folder):
                    entry = os.path.join(folder, name)
                    # A run's own file is no text of the user's; a new text cut short goes
                    # once the file beside it is done.
                    if not os.path.islink(entry) and name.endswith((".tarvelox.tmp", ".tarvelox.auto")):
                        left_by_runs += 1
                        if name.endswith(".tmp"):
                            made_by_runs.append(entry)
                    elif os.path.isfile(entry):
                        listed.append((entry, True))
                dirs[:] = []
        elif os.path.isfile(path):
            if all(p != path for p, _ in listed):
                listed.append((path, False))
    # By identity, so that a hard link is read as the file it is.
    encodings = {}
    for f in case.files:
        info = os.stat(os.path.join(root, f.name))
        encodings[(info.st_dev, info.st_ino)] = f.encoding
    paths = {p for p, _ in listed}
    claimed = set()
    lines, log_text = [], bytearray()
    changed = failed = replacements = files = not_text = 0
    for path, walked in listed:
        rel = os.path.relpath(path, root)
        real = os.path.realpath(path)
        identity = (os.stat(path).st_dev, os.stat(path).st_ino)
        encoding = encodings.get(identity, "sjis")
        # What is no text of an encoding of its own is read as Shift-JIS.
        if encoding in ("binary", "user", "leftover"):
            encoding = "sjis"
        if case.backup and path.endswith(".bak") and path[:-4] in paths:
            result = BACKUP_OF_LISTED
        elif identity in claimed:
            result = 0
        else:
            claimed.add(identity)
            real_rel = os.path.relpath(real, root)
            data = before[real_rel][1]
            result, new = rewrite_text(data, encoding, case.patterns)
            mode = before[real_rel][2]
            if result > 0 and mode & 0o222 == 0:
                result = WRITE_ERR
            if result > 0 and not case.preview:
                if case.backup:
                    after[real_rel + ".bak"] = ("file", data, mode, before[real_rel][3])
                after[real_rel] = ("file", new, mode, before[real_rel][3])
                after.pop(real_rel + ".tarvelox.tmp", None)
            elif result == 0 and case.all_auto and case.backup and not case.preview:
                # A copy, made with the file's bits as the umask lets them be.
                umask = os.umask(0)
                os.umask(umask)
                after[real_rel + ".bak"] = ("file", data, mode & ~umask, None)
                after.pop(real_rel + ".tarvelox.tmp", None)
        log_text += log_line(log_name(path), result)
        # The command leaves a file a walk met out when it holds no text; the window logs it
        # NoText, as a failure.
        if result == NO_TEXT and walked and command:
            not_text += 1
            continue
        files += 1
        if result < 0:
            failed += 1
            lines.append(status_line(rel, result, model.ENCODING_NAMES.get(encoding, "")))
        elif result > 0:
            changed += 1
            replacements += result
            lines.append("%s:%d" % (rel, result))
    # The command removes a new text cut short once its file is done; the window leaves it.
    if command and not case.preview:
        for made in made_by_runs:
            if made[: -len(".tarvelox.tmp")] in paths:
                after.pop(os.path.relpath(made, root), None)
    plural = lambda n, one, many: "%d %s" % (n, one if n == 1 else many)
    summary = ("preview: " if case.preview else "") + "%d of %s %s, %s, %d failed" % (
        changed, plural(files, "file", "files"), "would change" if case.preview else "changed",
        plural(replacements, "replacement", "replacements"), failed)
    if not_text:
        summary += ", %d left out as not text" % not_text
    if left_by_runs:
        summary += ", %d left out as a stopped run's own (*.tarvelox.tmp, *.tarvelox.auto)" % left_by_runs
    if case.preview:
        summary += "; nothing was written"
    log_bytes = None
    if log and not case.preview:
        header = "ファイル名".encode("cp932") + b" " * 36 + "置換え数".encode("cp932") + b"\r\n" + b"-" * 54 + b"\r\n"
        log_bytes = header + bytes(log_text) + b"-" * 54 + b"\r\n" + "総置換え数".encode("cp932") + b" " * 33 + \
            b"%11d" % replacements + b"\r\n"
    return after, "".join(l + "\n" for l in lines), "tarvelox: " + summary + "\n", log_bytes, 1 if failed else 0


def run_program(program, case, root, workers, log):
    completed = subprocess.run([program] + [a if isinstance(a, bytes) else a.encode() for a in
                                            command_line(case, root, workers, log)],
                               cwd=root, env=dict(os.environ, LC_ALL="C.UTF-8" if typed_in_utf8(case) else "C",
                                                  XDG_STATE_HOME=os.path.join(os.path.dirname(root), "state")),
                               stdin=subprocess.DEVNULL,
                               capture_output=True, timeout=120)
    log_bytes = None
    if log and os.path.exists(log):
        with open(log, "rb") as f:
            log_bytes = f.read()
    return snapshot(root), completed.stdout.decode("latin1"), completed.stderr.decode("latin1"), log_bytes, \
        completed.returncode


def first_difference(a: bytes, b: bytes) -> str:
    at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
    return "at byte %d: model %r, program %r" % (at, a[max(0, at - 12):at + 12], b[max(0, at - 12):at + 12])


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def run_windows_program(program_folder, case, root):
    """The window program's automatic mode under Wine: its files, its replace.log (beside the
    program) and its exit status."""
    log = os.path.join(program_folder, "replace.log")
    if os.path.exists(log):
        os.remove(log)
    arguments = ["-H", "-E*.*", "-S1", "-B1" if case.backup else "-B0"]
    if case.all_auto:
        arguments += ["-A1", "-L" + windows_path(os.path.join(root, "..", "list.lst"))]
    else:
        p = case.patterns[0]
        # Wine hands the program its arguments in code page 932.
        arguments += ["-A0", "-F" + p.find.decode("cp932"), "-R" + p.replace.decode("cp932")]
        if p.options:
            arguments.append("-O" + p.options)
    arguments += [windows_path(os.path.join(root, a)) for a in case.arguments]
    environment = dict(os.environ, WINEDEBUG="-all", LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
    environment.setdefault("WINEPREFIX", os.path.join(os.path.dirname(__file__), "..", "..", "build", "wine"))
    completed = subprocess.run(["wine", os.path.join(program_folder, "tarvelox.exe")] + arguments, cwd=root,
                               env=environment, stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    log_bytes = None
    if os.path.exists(log):
        with open(log, "rb") as f:
            log_bytes = f.read()
    return snapshot(root), log_bytes, completed.returncode


def check_windows_seed(program_folder, seed, base):
    """The same model, held to the window program's automatic mode: files, log and status
    (the Windows program writes no standard output, and keeps no Unix mode or attributes)."""
    case = generate.make_case(seed)
    if any(p.typed == "utf8" for p in case.patterns):
        return []  # the window program's texts are code page 932
    case.preview = False
    # Links mean other things to Windows: they are left out here.
    case.arguments = [a for a in case.arguments if a not in {name for name, _, _ in case.links}]
    case.links = []
    if any("e" in p.options for p in case.patterns):
        for p in case.patterns:
            try:
                model.onig.Regex(p.find, "sjis", False, False)
            except ValueError:
                return []  # refused with a message box: not for an unattended run
    work = os.path.join(base, "w%d" % seed)
    root = os.path.join(work, "t")
    materialize(case, root)
    before = snapshot(root)
    # Wine lists a folder in the order of the names.
    after, _, _, log_bytes, status = expected_run(case, root, before, "log", windows_path,
                                                  lambda folder: sorted(os.listdir(folder)), command=False)
    actual_files, actual_log, actual_status = run_windows_program(program_folder, case, root)
    strip = lambda files: {k: v[:2] for k, v in files.items()}
    differences = []
    for what, e, a in (("files", strip(after), strip(actual_files)), ("log", log_bytes, actual_log),
                       ("exit status", status, actual_status)):
        if e != a:
            differences.append("seed %d under Wine: %s: %s" % (seed, what, describe(e, a)))
    shutil.rmtree(work)
    return differences


def describe(a, b):
    if a == b:
        return None
    if isinstance(a, dict):
        out = []
        for k in sorted(set(a) | set(b)):
            x, y = a.get(k), b.get(k)
            if x == y:
                continue
            if x and y and x[0] == y[0] == "file" and x[1] != y[1]:
                out.append("%s: %s" % (k, first_difference(x[1], y[1])))
            elif x and y and x[0] == y[0] == "file":
                out.append("%s: mode/attribute %r != %r" % (k, x[2:], y[2:]))
            else:
                out.append("%s: %r != %r" % (k, x and x[:2], y and y[:2]))
        return "; ".join(out)
    if isinstance(a, bytes) and isinstance(b, bytes):
        return first_difference(a, b)
    return "%r != %r" % (a, b)


def check_seed(program, seed, base, verbose=False):
    case = generate.make_case(seed)
    differences = []
    outcomes = []
    for workers in (1, case.workers):
        work = os.path.join(base, "%d-j%d" % (seed, workers))
        root = os.path.join(work, "t")
        materialize(case, root)
        log = os.path.join(work, "run.log")
        before = snapshot(root)
        expected = expected_run(case, root, before, log)
        actual = run_program(program, case, root, workers, log)
        expected = (expected[0], expected[1], expected[2].encode("utf-8").decode("latin1"), expected[3], expected[4])
        if expected[2] == REFUSED and actual[2].startswith(REFUSED):
            actual = actual[:2] + (REFUSED,) + actual[3:]
        for what, e, a in zip(("files", "standard output", "summary", "log", "exit status"), expected, actual):
            if e != a:
                differences.append("seed %d -j%d: %s: %s" % (seed, workers, what, describe(e, a)))
        outcomes.append(tuple(o.replace(root.encode() if isinstance(o, bytes) else root, "ROOT"
                                        if not isinstance(o, bytes) else b"ROOT") if isinstance(o, (str, bytes)) else o
                              for o in actual[1:]))
        shutil.rmtree(work)
    if len(outcomes) == 2 and outcomes[0] != outcomes[1]:
        differences.append("seed %d: -j1 and -j%d differ" % (seed, case.workers))
    if verbose or differences:
        print("seed %d: %d patterns %s, arguments %s" % (seed, len(case.patterns),
                                                         [(p.find, p.replace, p.options) for p in case.patterns],
                                                         case.arguments))
    return differences


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--seeds", type=int, default=50)
    parser.add_argument("--first", type=int, default=1)
    parser.add_argument("--seed", type=int, action="append")
    parser.add_argument("--verbose", action="store_true")
    parser.add_argument("--regressions", help="a file of seeds that once disagreed, replayed first")
    parser.add_argument("--windows", help="the Windows build's folder (tarvelox.exe, bregexp.dll)")
    parser.add_argument("--windows-seeds", type=int, default=0, help="how many seeds also run under Wine")
    args = parser.parse_args()
    if args.seed:
        seeds, args.verbose = args.seed, True
    else:
        seeds = list(range(args.first, args.first + args.seeds))
        if args.regressions:
            with open(args.regressions) as f:
                seeds = [int(line.split()[0]) for line in f if line.strip() and not line.startswith("#")] + seeds
    base = tempfile.mkdtemp(prefix="tvm", dir="/tmp")
    disagreeing = 0
    try:
        for seed in seeds:
            differences = check_seed(args.program, seed, base, args.verbose)
            for line in differences:
                print(line)
            disagreeing += bool(differences)
    finally:
        shutil.rmtree(base, ignore_errors=True)
    windows_seeds = list(seeds)[:args.windows_seeds] if args.windows else []
    if windows_seeds:
        program_folder = tempfile.mkdtemp(prefix="tvw", dir="/tmp")
        for name in ("tarvelox.exe", "bregexp.dll"):
            shutil.copy(os.path.join(args.windows, name), program_folder)
        try:
            for seed in windows_seeds:
                differences = check_windows_seed(program_folder, seed, base)
                for line in differences:
                    print(line)
                disagreeing += bool(differences)
        finally:
            shutil.rmtree(program_folder, ignore_errors=True)
            shutil.rmtree(base, ignore_errors=True)
    print("model: %d seeds, %d under Wine, %d disagree" % (len(seeds), len(windows_seeds), disagreeing))
    return 1 if disagreeing else 0


if __name__ == "__main__":
    sys.exit(main())
