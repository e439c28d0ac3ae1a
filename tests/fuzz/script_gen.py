#!/usr/bin/env python3
"""Builds scripts for the whole-program script fuzzer.

    script_gen.py --root REPO --seed N --count K --out DIR

Each script starts from a real one (samples/*.INF, the manual's ```ini
examples, the scripts the end-to-end tests write) or from the script
language's own section kinds, keywords, field shapes and "@" variables, and
is then mutated: lines cut, doubled or spliced, fields doubled, dropped or
made huge, odd quoting and parentheses, NUL and high bytes, CR-only and
LF-only line ends, deep conditions. Whatever would restart or shut down
Windows, join a domain, rename the computer or start programs is taken out
(see NEUTRAL_*), so a run touches only its prefix and work directory.
The same seed always gives the same scripts.
"""
import argparse
import glob
import os
import random
import re

HEADERS = [
    "[Config]", "[Install Options]", "[Signon]", "[End]", "[FloatInfo]", "[FileCheck]", "[VersionTest]",
    "[Registry]", "[RegEdit]", "[ReadRegistryBefore]", "[TestRegistryBefore]", "[EditRegistry]", "[ReadRegistry]",
    "[SetEnvironment]", "[ReadDefaults]", "[ReadIniFiles]", "[ReadDefaultSettings]", "[IniEdits]", "[WriteCmdFile]",
    "[IsStringInFile]", "[MakeDirs]", "[DestSubDirs]", "[MoveFilesBefore]", "[MoveFiles]", "[MoveFilesAfter]",
    "[DeleteFiles]", "[Files]", "[CopyFiles]", "[MakeDisks]", "[CopyFilesToDisks]", "[Command]", "[Disks]",
]
CONFIG_KEYS = [
    "AskFor", "BackUpMethod", "BeQuiet", "CmdFile", "Caption", "Debug", "DestDir", "ErrorMessage", "ExitMessage",
    "ExitOnCommandError", "ExitOnExecError", "IniFile", "LogFile", "Message", "MessageBox", "MessageBoxEx",
    "MessageDlg", "NoPrompts", "ShowErrorMessage", "ShowVSWindow", "SourceDir", "StartupMsg", "TempExec",
    "WriteFile", "ReadLineFromFile", "WriteLineToFile", "Sleep",
]
WORDS = ["YES", "NO", "TRUE", "FALSE", "1", "0", "OK", "YESNO", "OKCANCEL", "PROMPT", "NOMOD", "UNIQUE", "ORIEXT",
         "DATE", "TIME", "DATETIME", "Small", "Medium", "Large", "XLarge", "Y5", "N", "SZ", "DWORD", "BINARY",
         "EXPAND_SZ", "MULTI_SZ", "HKCU", "HKEY_CURRENT_USER\\Software\\setup32-fuzz", "EQ", "NE", "LT", "GE"]
VARIABLES = ["@" + c for c in "ABCDEFGHIKLMNPSUVW"] + ["@W0", "@W1", "@W12", "@S0", "@S3", "@M1", "@M24", "@A1",
             "@V1", "@%TEMP%", "@%PATH%", "@$X", "@_", "@@", "@.", "@Q", "@R", "@T", "@Z", "@~W0", "@#W0", "@|W0",
             "@\\n", "@\\z", "@\\q"]
FUNCTIONS = ["fnSum", "fnDif", "fnGetArg", "fnGetFileVer", "fnStrBegin", "fnStrEnd", "fnStrInStr", "fnStrStr",
             "fnStrCmp", "fnStrICmp", "fnCharRemove", "fnCharReplace", "fnCmpFileVer", "fnStrReplace", "fnStrLen",
             "fnFileExist", "fnStrAdd", "fnStrAddList", "fnStrInsert", "fnStrInsertList", "fnStrEndToUniBin"]
GUARDS = ["SkipIfTrue:", "ProcessIfTrue:", "SkipIfFileExists ", "ProcessIfFileExists ", "ProcessIfFileNotFound "]

# Sections and lines left out: they would end the Windows session, rename
# or re-join the machine, start or close programs, or wait on purpose (a
# move entry's wait field is shortened instead, see short_wait).
NEUTRAL_SECTIONS = re.compile(
    r"exec|run|shell|launch|restart|reboot|shutdown|logoff|domain|computer|service|account|user|group|"
    r"wireless|map|drive|shortcut|progman|program|close|kill|wait", re.I)
NEUTRAL_LINES = re.compile(
    r"onexit|reboot|restart|shutdown|shut.?down|exitwin|logoff|domain|computername|selfdestruct|tempexec|"
    r"sleep|winpause|exec|\\\\\?\\|\\\?\?\\|unix", re.I)


def read_seeds(root):
    seeds = []
    for path in sorted(glob.glob(os.path.join(root, "samples", "*.INF"))):
        seeds.append(open(path, "rb").read())
    for path in sorted(glob.glob(os.path.join(root, "docs", "**", "*.md"), recursive=True)):
        text = open(path, "rb").read().decode("latin-1")
        for block in re.findall(r"```ini\n(.*?)```", text, re.S):
            seeds.append(block.replace("\n", "\r\n").encode("latin-1"))
    # The scripts the end-to-end tests write: runs of adjacent C string literals.
    literal = r'"(?:[^"\\\n]|\\.)*"'
    for path in sorted(glob.glob(os.path.join(root, "tests", "e2e", "*.cpp"))):
        text = open(path, "rb").read().decode("latin-1")
        for run in re.findall(r"(?:%s\s*)+" % literal, text):
            parts = re.findall(literal, run)
            body = "".join(p[1:-1] for p in parts)
            try:
                data = body.encode("latin-1").decode("unicode_escape").encode("latin-1")
            except (UnicodeDecodeError, UnicodeEncodeError):
                continue
            if b"[" in data and b"\n" in data:
                seeds.append(data)
    return seeds


def field_value(rnd):
    kind = rnd.randrange(8)
    if kind == 0:
        return rnd.choice(VARIABLES)
    if kind == 1:
        args = ",".join(field_value(rnd) if rnd.random() < 0.3 else rnd.choice(WORDS) for _ in range(rnd.randrange(4)))
        return "@_%s(%s)" % (rnd.choice(FUNCTIONS), args)
    if kind == 2:
        return rnd.choice(["C:\\setup32-fuzz\\", "sub\\dir", "..\\x", "\\\\server\\share\\f", "*.*", "A.INI", "X.TXT"])
    if kind == 3:
        return str(rnd.choice([0, 1, 2, 7, 100, 4294967295, 4294967296, -1]))
    return rnd.choice(WORDS)


def generated_script(rnd):
    lines = []
    for _ in range(rnd.randrange(1, 6)):
        lines.append(rnd.choice(HEADERS))
        for _ in range(rnd.randrange(0, 6)):
            fields = [field_value(rnd) for _ in range(rnd.randrange(1, 8))]
            if rnd.random() < 0.4:
                line = rnd.choice(CONFIG_KEYS) + "=" + ",".join(fields)
            else:
                line = ", ".join(fields)
            if rnd.random() < 0.2:
                line = rnd.choice(GUARDS) + line
            lines.append(line)
    lines.append("[End]")
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def deep_condition(rnd):
    depth = rnd.randrange(2, 40)
    inner = rnd.choice(VARIABLES)
    for _ in range(depth):
        inner = "@_%s(%s,%s)" % (rnd.choice(["fnStrCmp", "fnStrICmp", "fnStrLen", "fnSum"]), inner, rnd.choice(WORDS))
    return (rnd.choice(GUARDS[:2]) + inner).encode("latin-1")


def mutate(data, rnd, seeds):
    lines = data.split(b"\n")
    for _ in range(rnd.randrange(1, 7)):
        if not lines:
            lines = [b""]
        i = rnd.randrange(len(lines))
        op = rnd.randrange(14)
        if op == 0:
            del lines[i]
        elif op == 1:
            lines.insert(i, lines[i])
        elif op == 2:
            lines[i] = lines[i][: rnd.randrange(len(lines[i]) + 1)]
        elif op in (3, 4):
            fields = lines[i].split(b",")
            j = rnd.randrange(len(fields))
            if op == 3:
                fields.insert(j, fields[j])
            elif len(fields) > 1:
                del fields[j]
            lines[i] = b",".join(fields)
        elif op == 5:
            pos = rnd.randrange(len(lines[i]) + 1)
            lines[i] = lines[i][:pos] + rnd.choice([b'"', b"(", b")", b"=", b"==", b",", b"@", b"@_", b"["]) + lines[i][pos:]
        elif op == 6:
            pos = rnd.randrange(len(lines[i]) + 1)
            size = rnd.choice([260, 300, 1024, 1100, 5000, 70000])
            lines[i] = lines[i][:pos] + bytes([rnd.choice(b"A\\@,")]) * size + lines[i][pos:]
        elif op == 7:
            pos = rnd.randrange(len(lines[i]) + 1)
            lines[i] = lines[i][:pos] + bytes([rnd.choice([0, 0x80, 0x81, 0xA0, 0xE4, 0xFF, 0x1A])]) + lines[i][pos:]
        elif op == 8:
            lines.insert(i, deep_condition(rnd))
        elif op == 9:
            lines.insert(i, rnd.choice(HEADERS).encode("latin-1"))
        elif op == 10:
            other = rnd.choice(seeds).split(b"\n")
            k = rnd.randrange(len(other))
            lines[i:i] = other[k:k + rnd.randrange(1, 6)]
        elif op == 11:
            pos = rnd.randrange(len(lines[i]) + 1)
            lines[i] = lines[i][:pos] + field_value(rnd).encode("latin-1") + lines[i][pos:]
        elif op == 12:
            lines.insert(i, (rnd.choice(CONFIG_KEYS) + "=" + field_value(rnd)).encode("latin-1"))
        else:
            lines[i] = b" \t " + lines[i] + rnd.choice([b" ", b"\t", b";comment", b" ; x"])
    text = b"\n".join(lines)
    ends = rnd.randrange(6)
    if ends == 0:
        text = text.replace(b"\r\n", b"\n")
    elif ends == 1:
        text = text.replace(b"\r\n", b"\r").replace(b"\n", b"\r")
    return text


def short_wait(line):
    """A move entry's fourth field is a wait the run obeys (half seconds): one at most."""
    fields = line.split(b",")
    if len(fields) >= 4:
        fields[3] = re.sub(rb"\d+", b"1", fields[3])
    return b",".join(fields)


def neutralise(data):
    out, drop, move = [], False, False
    for line in re.split(rb"(?<=\n)|(?<=\r)(?!\n)", data):
        bare = line.strip().decode("latin-1")
        if bare.startswith("[") and "]" in bare:
            drop = bool(NEUTRAL_SECTIONS.search(bare))
            move = "move" in bare.lower()
        if drop or NEUTRAL_LINES.search(bare):
            continue
        out.append(short_wait(line) if move else line)
    # Only the prefix's own drive: Z: is the Unix root under Wine.
    return re.sub(rb"(?i)\bz:", b"C:", b"".join(out))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--seed", type=int, required=True)
    ap.add_argument("--count", type=int, required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    rnd = random.Random(args.seed)
    seeds = read_seeds(args.root) or [generated_script(rnd)]
    os.makedirs(args.out, exist_ok=True)
    for n in range(args.count):
        base = generated_script(rnd) if rnd.random() < 0.3 else rnd.choice(seeds)
        data = neutralise(mutate(base, rnd, seeds))[:300000]
        name = "S%d-%04d.INF" % (args.seed, n)
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
