#!/usr/bin/env python3
"""gm900ctl's manual page and bash completion, as a package carries them, against what the
packaged gm900ctl's help says: every command, option and exit status it lists is documented and
completed, the page documents nothing it lacks, and no draft of the page describes a feature
that gm900ctl now has. Prints one line per failure and "docs: N passed, N failed" last.

Usage: check_docs.py ROOT PAGE_SOURCE
  ROOT         the unpacked package (usr/bin/gm900ctl, the page, the completion, the factory files)
  PAGE_SOURCE  the page as the repository keeps it, with its drafts
"""
import gzip
import os
import re
import shlex
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../packaging"))
import gm900ctl_docs as docs  # noqa: E402

ESCAPES = {r"\-": "-", r"\(dq": '"', r"\(lq": '"', r"\(rq": '"', r"\~": " ", r"\&": "",
           r"\e": "\\"}


def plain(line):
    """A line of the page as text: macro arguments joined as the macro sets them, fonts and
    escapes resolved. Structural macros and comments give None."""
    if line.startswith('.\\"'):
        return None
    match = re.match(r"^\.([A-Z]{1,2})(?:\s+(.*))?$", line)
    if match:
        macro, rest = match.group(1), match.group(2) or ""
        args = [quoted if quoted or not bare else bare
                for quoted, bare in re.findall(r'"([^"]*)"|(\S+)', rest)]
        if macro in ("B", "I", "SB", "SM"):
            line = " ".join(args)
        elif macro in ("BI", "BR", "IB", "IR", "RB", "RI"):
            line = "".join(args)
        else:
            return None
    line = re.sub(r"\\f(\[[A-Z]*\]|[BIRP])", "", line)
    for escape, text in ESCAPES.items():
        line = line.replace(escape, text)
    return line


class Page:
    """The sections of a manual page and the entries (.TP heading and body) of each."""

    def __init__(self, source):
        self.entries = {}  # section -> [(heading, body)]
        section, entry, expect_heading = None, None, False
        for line in source.splitlines():
            if line.startswith(".SH "):
                section = line[4:].strip().strip('"')
                self.entries[section] = []
                entry, expect_heading = None, False
            elif line.startswith(".TP"):
                expect_heading = True
            elif line.startswith((".PP", ".RE")):
                entry = None
            else:
                text = plain(line)
                if text is None or section is None:
                    continue
                if expect_heading:
                    entry = [text, ""]
                    self.entries[section].append(entry)
                    expect_heading = False
                elif entry is not None:
                    entry[1] += " " + text

    def headings(self, section):
        return [heading for heading, _ in self.entries.get(section, [])]

    def commands(self):
        """(Usage of the heading, heading and body) of each entry of COMMANDS."""
        return [(docs.Usage(heading.replace(",", " ")), heading + " " + body)
                for heading, body in self.entries.get("COMMANDS", [])]


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, what, problems):
        if problems:
            self.failed += 1
            print(f"FAIL docs: {what}: {'; '.join(problems)}")
        else:
            self.passed += 1


def complete(completion, words, cwd):
    """What the completion offers for the last of words (words[0] is the program)."""
    script = (f"source {shlex.quote(completion)}; COMP_WORDS=({' '.join(map(shlex.quote, words))});"
              f" COMP_CWORD={len(words) - 1}; _gm900ctl; printf '%s\\n' \"${{COMPREPLY[@]}}\"")
    done = subprocess.run(["bash", "--norc", "--noprofile", "-c", script], cwd=cwd,
                          capture_output=True, text=True)
    return {line for line in done.stdout.splitlines() if line}


def main(root, page_source):
    binary = os.path.join(root, "usr/bin/gm900ctl")
    factory = os.path.join(root, "usr/share/gm900ctl/config.bin")
    completion = os.path.join(root, "usr/share/bash-completion/completions/gm900ctl")
    with gzip.open(os.path.join(root, "usr/share/man/man1/gm900ctl.1.gz"), "rt") as page_file:
        page = Page(page_file.read())
    with open(page_source, encoding="utf-8") as source_file:
        source = source_file.read()
    help_ = docs.Help(binary, factory)
    checks = Checks()
    entries = page.commands()
    help_commands = {spelling for usage in help_.usages for spelling in usage.spellings()}
    # Every --x the help texts name, the general one and each command's own.
    help_options = set(docs.OPTION.findall(help_.text))
    for command in help_.commands():
        help_options |= set(docs.OPTION.findall(help_.command_help(command) or ""))

    checks.check("the help lists commands", [] if help_.usages else ["none found in --help"])

    def entry_of(spelling):
        return next((text for usage, text in entries if spelling in usage.spellings()), None)

    # The help -> the page.
    missing = sorted(spelling for spelling in help_commands if entry_of(spelling) is None)
    checks.check("the page has an entry in COMMANDS for each command of --help",
                 [f"no entry for '{name}'" for name in missing])
    problems = []
    for spelling in sorted(help_commands):
        text = entry_of(spelling)
        if text is None:
            continue
        words = re.findall(r"--[a-z][a-z0-9-]*", text)
        for option in help_.options_of(spelling):
            if option not in words:
                problems.append(f"'{spelling}' does not describe {option}")
    checks.check("each command's entry names the options its help gives it", problems)
    documented = set()
    for heading in page.headings("OPTIONS") + page.headings("COMMANDS"):
        documented |= set(re.findall(r"--[a-z][a-z0-9-]*", heading))
    checks.check("the page explains each option the help names (OPTIONS or COMMANDS)",
                 [f"{option} is not explained" for option in sorted(help_options - documented)])
    statuses = {heading.strip() for heading in page.headings("EXIT STATUS")}
    checks.check("EXIT STATUS lists the statuses the help gives",
                 [f"status {n}" for n in help_.exit_statuses() if n not in statuses]
                 + ([] if help_.exit_statuses() else ["the help gives no exit status"]))

    # The page -> the help: nothing it lacks.
    problems = []
    for usage, _ in entries:
        for spelling in usage.spellings():
            if spelling not in help_commands:
                problems.append(f"'{spelling}' is not a command of --help")
                continue
            for option in usage.options:
                if option.startswith("--") and option not in help_.options_of(spelling):
                    problems.append(f"'{spelling}' has no {option}")
    for heading in page.headings("OPTIONS"):
        for option in re.findall(r"--[a-z][a-z0-9-]*", heading):
            if option not in help_options:
                problems.append(f"{option} is not an option of the help")
    checks.check("the page documents only what gm900ctl has", problems)

    live = [key for key, _, _ in docs.drafts(source) if help_.has(key)]
    checks.check("no draft of the page describes what gm900ctl already has",
                 [f"gm900ctl has '{key}' now: check its draft text in packaging/gm900ctl.1 "
                  "against the help and remove its draft marks" for key in live])

    # The completion.
    with tempfile.TemporaryDirectory() as work:
        for name in ("a.bin", "B.BIN", "str.ini", "p.json", "notes.txt"):
            open(os.path.join(work, name), "w").close()
        os.mkdir(os.path.join(work, "folder"))
        offered = complete(completion, [binary, ""], work)
        checks.check("the completion offers every command",
                     sorted(set(help_.commands()) - offered))
        problems = []
        for usage in help_.usages:
            if not usage.words:
                continue
            prefix = [usage.words[0][0]]
            if len(usage.words) > 1:
                offered = complete(completion, [binary] + prefix + [""], work)
                problems += [f"{usage.command} {word}" for word in usage.words[1]
                             if word not in offered]
                prefix.append(usage.words[1][0])
            offered = complete(completion, [binary] + prefix + ["--"], work)
            problems += [f"{' '.join(prefix)} {option}" for option in usage.options
                         if option.startswith("--") and option not in offered]
        checks.check("the completion offers each command's subcommands and options", problems)

        def expect(words, wanted):
            got = complete(completion, [binary] + words, work)
            return [] if got == set(wanted) else [f"{' '.join(words)}|: {sorted(got)}"]

        files = ["a.bin", "B.BIN", "folder", "notes.txt", "p.json", "str.ini"]
        checks.check("the completion offers the files each argument takes",
                     expect(["show", ""], ["a.bin", "B.BIN", "folder"])
                     + expect(["show", "a.bin", "--captions", ""], ["str.ini", "folder"])
                     + expect(["diff", "a.bin", "B"], ["B.BIN"])
                     + expect(["macros", ""], files)
                     + expect(["set", ""], ["a.bin", "B.BIN", "folder"]))
        names = help_.setting_names()
        stage = [f"{name}=" for name in names if name.startswith("dpi.stage3.")]
        checks.check("the completion offers the setting names of show --json for get and set",
                     ([] if names else ["show --json gives no names"])
                     + expect(["get", "a.bin", ""], names)
                     + expect(["set", "a.bin", "dpi.stage3."], stage)
                     + expect(["set", "a.bin", "general.reportRate", "=", "500", "dpi.stage3."],
                              stage)
                     + expect(["set", "a.bin", "general.reportRate", "=", ""], []))

    print(f"docs: {checks.passed} passed, {checks.failed} failed")
    return 0 if checks.failed == 0 else 1


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
